#pragma once

#include <cstddef>

// Formats one number with a printf-style format the way our value texts were always written:
//   "%W.Pf" and "%d" convert as in C;
//   "%%" prints one percent sign;
//   a percent sign at the very end of the format prints nothing ("%3.0f dB%" -> " 20 dB");
//   a percent sign whose conversion character is unknown prints neither itself nor its flags,
//   only that character ("%3.1f% ms" -> "12.3ms").
// The C library treats the last two differently (glibc even reads "% m" as strerror), so the
// format is interpreted here and only the plain numeric conversions go to snprintf.
// Writes at most `size` bytes including the terminator; `size` 0 writes nothing.
void formatValue(char* out, std::size_t size, const char* format, double value);
