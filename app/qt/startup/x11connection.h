#pragma once

// What the program asks of its X11 connection beyond what the toolkit does.
namespace X11Connection {

// Call once, while start-up is guarded and before the toolkit connects. However the program
// learns that its X server has gone (an I/O error in Xlib, the toolkit's event reader finding
// the connection broken, or the toolkit crashing on a reply that never came), it ends with one
// line on standard error, "fizzet: lost the connection to the display :0", and status 1. A
// crash while the server is still there stays a crash.
void watchForLoss();

// Call once the toolkit is up and the start-up guard is gone; does nothing off X11. From here on
// the toolkit's own word for a broken connection gives way to the one line, and a top-level
// window destroyed by another client ends the program with status 0, as closing it does. The
// server is asked to send a held key's repeats as presses alone, with no release between (XKB's
// detectable auto-repeat), so that no repeat can pass for a new press.
void takeOver();

// Async-signal-safe. Whether the connection is known to be lost: the server of DISPLAY takes no
// connection (tried for local and loopback displays only), or it closed the program's own.
bool lost() noexcept;

} // namespace X11Connection
