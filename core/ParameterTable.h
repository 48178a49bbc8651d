#pragma once

#include "EngineInput.h"
#include "ParameterIds.h"

#include <cstddef>

// How a host should offer a parameter: a range, a switch, or a few named positions.
enum class ParameterKind
{
    Continuous,
    Toggle, // off below 1.0, on at exactly 1.0
    List,   // a few positions, each a range of values with one text
};

// One position of a List parameter: the value a host sets to choose it, and its host text.
struct ListEntry
{
    float value;
    const char* label;
};

enum ParameterFlag : unsigned
{
    kAutomatable = 1u << 0,
    kHidden = 1u << 1,       // stored only: formats that can hide a parameter do
    kBypassSwitch = 1u << 2, // the host's own bypass button may drive it
};

// Everything that is said about one parameter, in one row: what every plug-in format and host
// needs to offer it, what the engine receives, and the editor's own texts and the transfer
// display's input where they exist. Adding a parameter means adding its index, its row here,
// its factory values and the engine's input.
struct ParameterInfo
{
    ParameterIndex index; // stable: the VST 2.4 index, the LV2 port order, the VST3 and CLAP id
    const char* name;
    const char* shortName; // at most 8 characters, for hosts with narrow displays
    // What the value text's number is in ("" where it is a name). The texts carry their units
    // themselves, so a host's separate unit label stays empty.
    const char* unit;
    ParameterKind kind;
    const ListEntry* entries; // List only: every position, in value order
    int entryCount;
    unsigned flags;

    // The engine input the parameter drives, and the physical value it hands over for v; None
    // and null where the engine takes nothing (Bypass is the effect's own switch, Meter Scale
    // the editor's, 19 and 20 are only stored).
    EngineInput engineInput;
    double (*toEngine)(float v);

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

// The value a new instance starts with: program 0's.
float defaultValue(std::int32_t index);

// How many steps a host may offer between 0 and 1: 1 for a switch, one fewer than the
// positions for a list, 0 for a continuous range.
int stepCount(std::int32_t index);

// The transfer display's input for one of the parameters that has one.
inline double displayInput(std::int32_t index, float v)
{
    return kParameterTable[index].displayInput(v);
}
