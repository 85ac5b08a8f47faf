// The end of a program that prints: what it printed must have reached its
// place. Output to a full disk that went nowhere is a failure, not a
// success the user finds out about later.
#pragma once

#include <string_view>

namespace zelk {

// Writes `text` to standard output. The reason of a failed write is kept for
// closeStandardOutput: the stream remembers only that one failed.
void writeStandardOutput(std::string_view text);

// Flushes and closes standard output. A write that failed, then or before,
// gives "<program>: write error: <reason>" on standard error and 1; a
// reader that went away (a closed pipe, `| head`) is no error worth a word.
// Otherwise `exitCode` is returned unchanged.
int closeStandardOutput(const char* program, int exitCode);

}  // namespace zelk
