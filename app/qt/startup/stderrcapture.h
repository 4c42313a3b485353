#pragma once

#include <QByteArray>

// Standard error, captured into an in-memory file while start-up is guarded, so that what
// libraries write there directly (Xlib's reason for a refused connection, say) can be judged or
// passed on.
namespace StderrCapture {

// Starts capturing; where that cannot be done, standard error stays as it is.
void start();
// What was written to standard error while it is captured; nothing when it is not.
QByteArray captured();
// Puts standard error back and returns what was written to it meanwhile.
QByteArray end();

// Async-signal-safe. Whether standard error is being captured.
bool active() noexcept;
// Async-signal-safe. Where standard error really goes, also while it is captured.
int realStderr() noexcept;
// Async-signal-safe. Puts standard error back, if it is being captured; with `replay`, what
// was written to it meanwhile goes there first.
void release(bool replay) noexcept;

} // namespace StderrCapture
