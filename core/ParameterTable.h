#pragma once

#include "ParameterIds.h"

#include <cstddef>

class CompressorEngine;

// Everything that is said about one parameter, in one row: the host's view of it, what the
// engine receives, and the editor's own texts and the transfer display's inputs where they
// exist. Adding a parameter means adding its index, its row here and the engine's setter.
struct ParameterInfo
{
    ParameterIndex index;
    const char* name;
    const char* unitLabel; // always empty: the units are part of the value texts

    // Hands the normalised value over to the engine; null where the engine takes nothing (Bypass
    // is the effect's own switch, Meter Scale the editor's, 19 and 20 are only stored).
    void (*toEngine)(CompressorEngine& engine, float v);

    // The value text hosts show (at most size - 1 characters).
    void (*hostText)(float v, char* text, std::size_t size);

    // The text the editor shows under the parameter's knob (kValueTextCapacity bytes); null
    // where the editor shows none.
    void (*editorText)(float v, char* text);

    // What the transfer-curve display is given for this parameter; null where it takes nothing.
    double (*displayInput)(float v);
};

// Row i describes parameter index i.
extern const ParameterInfo kParameterTable[kNumParams];

// The transfer display's input for one of the parameters that has one.
inline double displayInput(VstInt32 index, float v)
{
    return kParameterTable[index].displayInput(v);
}
