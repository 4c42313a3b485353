#pragma once

// What the program asks of its X11 connection beyond what the toolkit does.
namespace X11Connection {

// Call once, before the toolkit connects: from here on lost() can tell.
void watchForLoss();

// Call once the toolkit is up; does nothing off X11. A top-level window destroyed by another
// client ends the program with status 0, as closing it does. The server is asked to send a held
// key's repeats as presses alone, with no release between (XKB's detectable auto-repeat), so
// that no repeat can pass for a new press.
void takeOver();

// Async-signal-safe. Whether the display's connection is known to be lost: the toolkit's own
// was closed, or the server of a local display takes no connection.
bool lost() noexcept;
// Async-signal-safe. The line that says so: "lost the connection to the display :0".
const char *lostLine() noexcept;

} // namespace X11Connection
