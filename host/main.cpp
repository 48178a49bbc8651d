// ofc-host: loads VST 2.4 plug-ins the way a host does and works with them from the command
// line. The commands come from the registration table (HostCommand.h).

#include "CommandLine.h"
#include "HostCommand.h"
#include "Platform.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{

void printUsage(std::FILE* out)
{
    std::fprintf(out, "usage: ofc-host COMMAND [ARGUMENTS]\n\ncommands:\n");
    int count = 0;
    const ofchost::HostCommand* list = ofchost::commands(count);
    for (int i = 0; i < count; ++i)
        std::fprintf(out, "  %-40s %s\n", list[i].usage, list[i].summary);
}

} // namespace

int main(int argc, char** rawArgv)
{
    // Commands see UTF-8 on every system, so paths with any characters reach the files.
    std::vector<std::string> arguments = ofchost::platform::commandLineArguments(argc, rawArgv);
    std::vector<char*> pointers;
    for (std::string& argument : arguments)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    argc = static_cast<int>(arguments.size());
    char** argv = pointers.data();
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)
    {
        printUsage(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    int count = 0;
    const ofchost::HostCommand* list = ofchost::commands(count);
    for (int i = 0; i < count; ++i)
        if (std::strcmp(list[i].name, argv[1]) == 0)
            return ofchost::reportWriteErrors(list[i].run(argc - 2, argv + 2), "ofc-host");
    std::fprintf(stderr, "ofc-host: unknown command '%s'\n\n", argv[1]);
    printUsage(stderr);
    return 2;
}
