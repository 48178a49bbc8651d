#pragma once

#include <string>
#include <vector>

// The command-line syntax shared by every ofc-host command and ofc-bench: options may stand
// anywhere, a value follows as the next word or after '=' ("--block 256", "--block=256"),
// "--help" or "-h" asks for the usage, and "--" ends the options, so that a file whose name
// starts with '-' can still be named.
namespace ofchost
{

struct KnownOption
{
    const char* name; // "--block"
    bool takesValue;
};

struct ParsedOption
{
    std::string name;
    std::string value; // empty for a switch
};

struct CommandLine
{
    bool help = false;
    std::vector<ParsedOption> options; // in the order given
    std::vector<std::string> positional;
};

// False with a message naming the option for an unknown option, a missing value, or a value
// given to a switch.
bool parseCommandLine(int argc, char** argv, const std::vector<KnownOption>& known,
                      CommandLine& line, std::string& error);

// A number for an option, within low..high. The message names the option, what it takes and
// what it got: "--seconds must be a number of seconds from 0 to 86400, got -1".
bool parseNumberOption(const ParsedOption& option, double low, double high, const char* unit,
                       double& value, std::string& error);
// The same for whole numbers.
bool parseCountOption(const ParsedOption& option, long low, long high, const char* unit, int& value,
                      std::string& error);

// A report that did not reach standard output (a full disk, a closed pipe) is a failure: says
// so on stderr and answers a failing status in place of a successful one.
int reportWriteErrors(int status, const char* program);

} // namespace ofchost
