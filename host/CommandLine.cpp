#include "CommandLine.h"

#include "OutputFile.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ofchost
{
namespace
{

const KnownOption* find(const std::vector<KnownOption>& known, const std::string& name)
{
    for (const auto& rule : known)
        if (name == rule.name) return &rule;
    return nullptr;
}

std::string numberText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

bool rangeError(const ParsedOption& option, double low, double high, const char* unit,
                const char* kind, std::string& error)
{
    error = option.name + " must be " + kind + " " + unit + " from " + numberText(low) + " to " +
            numberText(high) + ", got " + (option.value.empty() ? "nothing" : option.value);
    return false;
}

} // namespace

bool parseCommandLine(int argc, char** argv, const std::vector<KnownOption>& known,
                      CommandLine& line, std::string& error)
{
    bool optionsEnded = false;
    for (int i = 0; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-')
        {
            line.positional.push_back(arg);
            continue;
        }
        if (arg == "--")
            optionsEnded = true;
        else if (arg == "--help" || arg == "-h")
            line.help = true;
        else
        {
            const auto equals = arg.find('=');
            ParsedOption option{arg.substr(0, equals), ""};
            const KnownOption* rule = find(known, option.name);
            if (!rule)
            {
                error = "unknown option " + option.name;
                return false;
            }
            if (!rule->takesValue && equals != std::string::npos)
            {
                error = option.name + " takes no value";
                return false;
            }
            if (rule->takesValue && equals != std::string::npos)
                option.value = arg.substr(equals + 1);
            else if (rule->takesValue && i + 1 < argc)
                option.value = argv[++i];
            else if (rule->takesValue)
            {
                error = option.name + " needs a value";
                return false;
            }
            line.options.push_back(option);
        }
    }
    return true;
}

bool parseNumberOption(const ParsedOption& option, double low, double high, const char* unit,
                       double& value, std::string& error)
{
    errno = 0;
    char* end = nullptr;
    const double parsed = std::strtod(option.value.c_str(), &end);
    if (option.value.empty() || errno != 0 || !end || *end != '\0' || !std::isfinite(parsed) ||
        parsed < low || parsed > high)
        return rangeError(option, low, high, unit, "a number of", error);
    value = parsed;
    return true;
}

bool parseCountOption(const ParsedOption& option, long low, long high, const char* unit, int& value,
                      std::string& error)
{
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(option.value.c_str(), &end, 10);
    if (option.value.empty() || errno != 0 || !end || *end != '\0' || parsed < low || parsed > high)
        return rangeError(option, static_cast<double>(low), static_cast<double>(high), unit,
                          "a whole number of", error);
    value = static_cast<int>(parsed);
    return true;
}

int reportWriteErrors(int status, const char* program)
{
    errno = 0;
    const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout);
    if (!failed) return status;
    std::fprintf(stderr, "%s: writing the report to standard output failed: %s\n", program,
                 errno ? std::strerror(errno) : "output error");
    return status == kExitOk ? kExitFailed : status;
}

} // namespace ofchost
