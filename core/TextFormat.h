#pragma once

#include <cstddef>

// Formats one value with one of our printf-style value-text formats. The rules are ours,
// not the C library's:
//   "%W.Pf" converts the value as C does (right-aligned in W characters, P decimals);
//   "%%" prints one percent sign;
//   a percent sign (with any flags, width and precision) followed by a character that is no
//   conversion prints nothing itself; that character and the rest print as they stand, so
//   "%3.1f% ms" gives "12.3ms";
//   a percent sign at the very end prints nothing, so "%3.1f dB%" gives "-30.0 dB".
// Writes at most size bytes, terminator included, cutting the text if needed; size 0 writes
// nothing. Answers the length of the text written.
std::size_t formatText(char* out, std::size_t size, const char* format, double value);
