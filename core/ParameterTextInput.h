#pragma once

#include <cstdint>

// A value text typed by the user or handed back by a host, read as the parameter's normalised
// value: the inverse of parameterValueText. Names ("off", "Dyn RMS", "6 dB/oct") are matched
// ignoring case and spaces; numbers are found on the parameter's own range, the unit optional
// ("-12", "-12.0 dB"), and taken to the nearest value whose text shows them. Every text the
// plug-in shows reads back to a value that shows the same text. False, with value untouched,
// for an index outside 0..20 or a text that names no value of the parameter.
bool parameterValueFromText(std::int32_t index, const char* text, float& value);
