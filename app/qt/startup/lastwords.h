#pragma once

#include <cstddef>
#include <string_view>

// How the program ends when it cannot go on: one line, "fizzet: <why>", on the real standard
// error (also while start-up captures it), and status 1, never a core dump for a cause it knows.
namespace LastWords {

// Async-signal-safe. Writes all of `text` to standard error, as far as it takes it.
void write(const char *text, std::size_t size) noexcept;

// Async-signal-safe. Says why and ends the program.
[[noreturn]] void say(const char *why) noexcept;

// Call once, first thing. An exception that nothing catches ends the program with its line
// ("out of memory", or what the exception says), and so does a crash for a known cause: memory
// that cannot be had, or one added with addCrashCause. Any other crash stays a crash.
void install();

// Async-signal-safe. Whether a few megabytes more cannot be had: a failure then is most likely
// a library that met a failed allocation, whatever it says.
bool memoryIsShort() noexcept;

// Whether a library's message tells of an allocation or a mapping that failed: in its own words,
// in the C library's (ENOMEM), or, from the font library's configuration parser, as the buffer
// it could not get.
bool saysMemoryRanOut(std::string_view message) noexcept;

// A cause of crashes: when `applies` (async-signal-safe) says so at the time of a crash, the
// program ends with `why`, which must live as long as the program.
void addCrashCause(bool (*applies)() noexcept, const char *why);

} // namespace LastWords
