#include "OutputFile.h"

#include "Platform.h"

namespace ofchost
{

bool OutputFile::create(const std::string& path, std::string& error)
{
    discard();
    asked = path;
    target = platform::followLinks(path);
    // The process id keeps two runs apart; the counter steps over leftovers of a crashed run.
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        const std::string candidate = target + ".part-" + std::to_string(platform::processId()) +
                                      "-" + std::to_string(attempt);
        if (platform::sameFile(candidate, candidate)) continue; // exists already
        std::string reason;
        if (!platform::createNewFile(candidate, reason))
        {
            error = path + ": " + reason;
            return false;
        }
        temporary = candidate;
        return true;
    }
    error = path + ": cannot find a free temporary name beside it";
    return false;
}

bool OutputFile::commit(std::string& error)
{
    if (temporary.empty())
    {
        error = "nothing to put in place";
        return false;
    }
    if (!platform::replaceFile(temporary, target, error))
    {
        discard();
        return false;
    }
    temporary.clear();
    return true;
}

void OutputFile::discard()
{
    if (!temporary.empty()) platform::removeFile(temporary);
    temporary.clear();
}

std::string OutputFile::userMessage(std::string message) const
{
    const auto at = temporary.empty() ? std::string::npos : message.find(temporary);
    if (at != std::string::npos) message.replace(at, temporary.size(), asked);
    return message;
}

bool checkOutputPath(const std::string& output, const std::vector<NamedFile>& others,
                     std::string& error)
{
    if (output == "-")
    {
        error = "cannot write to standard output ('-'), which carries the report: name a file";
        return false;
    }
    for (const auto& other : others)
        if (!other.path.empty() && platform::samePlace(output, other.path))
        {
            error =
                output + " is " + other.role + " (" + other.path + "): refusing to overwrite it";
            return false;
        }
    return true;
}

} // namespace ofchost
