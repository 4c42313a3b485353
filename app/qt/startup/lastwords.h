#pragma once

// How the program ends when it cannot go on: one line, "fizzet: <why>", on standard error, and
// status 1, never a core dump for a cause it knows.
namespace LastWords {

// Async-signal-safe. Says why and ends the program.
[[noreturn]] void say(const char *why) noexcept;

// Call once, first thing. A crash where memory cannot be had or the display's connection is lost
// ends the program with its line; any other crash stays a crash.
void install();

// Async-signal-safe. Whether a few megabytes more cannot be had: a failure then is most likely
// a library that met a failed allocation, whatever it says.
bool memoryIsShort() noexcept;

} // namespace LastWords
