#pragma once

// The commands of ofc-host. Each command lives in its own source file (compiled into the
// ofc-host executable) and registers itself with one line at namespace scope:
//
//     OFC_HOST_COMMAND(info, "info PLUGIN.so", "print identity, parameters and programs", runInfo);
//
// where runInfo is `int runInfo(int argc, char** argv)`, called with the arguments after the
// command name, and answering the process exit status.

namespace ofchost
{

using CommandFunction = int (*)(int argc, char** argv);

struct HostCommand
{
    const char* name;
    const char* usage;
    const char* summary;
    CommandFunction run;
};

// Keeps the command; answers true so it can initialise a static.
bool registerCommand(const HostCommand& command);

// The registered commands, sorted by name; count receives their number.
const HostCommand* commands(int& count);

} // namespace ofchost

#define OFC_HOST_COMMAND(id, usage, summary, function)                                             \
    static const bool ofcHostCommandRegistered_##id =                                              \
        ::ofchost::registerCommand({#id, usage, summary, function})
