#pragma once

#include "VstInterface.h"

#include <cstddef>

// The texts a host shows for each parameter: name, unit label (always empty: units are part of
// the value text) and the value text made from the stored normalised value.

// Null for an index outside 0..20.
const char* parameterName(VstInt32 index);

// Writes the value text of a parameter index 0..20 into text, which must hold size bytes;
// at most size - 1 characters are written, whatever the value. Answers false (writing
// nothing) for other indices.
bool parameterValueText(VstInt32 index, float v, char* text, std::size_t size);
