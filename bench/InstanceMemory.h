#pragma once

#include "PluginModule.h"

#include <string>

// What one more instance of a plug-in costs in resident memory: a first instance is made (so
// that whatever the process shares is already there), then `count` more, opened, resumed and
// run for a block each, and the growth of the process is divided among them. For our own
// plug-in, then, what opening every editor off-screen adds, and what painting them adds again.
void printInstanceMemory(const ofchost::PluginModule& module, const std::string& label,
                         int count = 32);
