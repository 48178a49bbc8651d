#pragma once

#include <cstdint>

#include <cstddef>

// The texts a host shows for each parameter: name, unit label (always empty: units are part of
// the value text) and the value text made from the stored normalised value.

// Null for an index outside 0..20.
const char* parameterName(std::int32_t index);

// Writes the value text of a parameter index 0..20 into text, which must hold size bytes;
// at most size - 1 characters are written, whatever the value. Answers false (writing
// nothing) for other indices.
bool parameterValueText(std::int32_t index, float v, char* text, std::size_t size);

// The value-text rules the parameter table names, one per kind of parameter. Each writes at most
// size - 1 characters into text (size > 0).
namespace hostText
{
void detection(float v, char* text, std::size_t size);
void filterType(float v, char* text, std::size_t size);
void frequency(float v, char* text, std::size_t size);
void threshold(float v, char* text, std::size_t size);
void knee(float v, char* text, std::size_t size);
void ratio(float v, char* text, std::size_t size);
void attack(float v, char* text, std::size_t size);
void release(float v, char* text, std::size_t size);
void dryMix(float v, char* text, std::size_t size);
void makeUp(float v, char* text, std::size_t size);
void amount(float v, char* text, std::size_t size);
void onOff(float v, char* text, std::size_t size);
void meterScale(float v, char* text, std::size_t size);
void unused(float v, char* text, std::size_t size);
} // namespace hostText
