#pragma once

#include "PluginModule.h"

#include <string>

// What making an instance costs a host: `cycles` times the entry point, effOpen and effClose
// with no other instance alive (so nothing the process shares between instances is already
// there), after one cycle that is not counted. Prints the best and the median in ms.
void printCreationTime(const ofchost::PluginModule& module, const std::string& label,
                       int cycles = 40);
