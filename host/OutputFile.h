#pragma once

#include <string>
#include <vector>

// Files the commands write. A file is written under a temporary name beside its target and put
// in place only once complete, so an existing file is never truncated ahead of time and an
// interrupted or failed write leaves the target as it was.
namespace ofchost
{

class OutputFile
{
  public:
    OutputFile() = default;
    ~OutputFile() { discard(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the temporary file beside the target (beside the file a link leads to).
    bool create(const std::string& target, std::string& error);
    const std::string& temporaryPath() const { return temporary; }
    // Replaces the target with the finished temporary file.
    bool commit(std::string& error);
    // Removes the temporary file, if any; the target stays untouched.
    void discard();
    // A message about the temporary file, rewritten to name the file the user asked for.
    std::string userMessage(std::string message) const;

  private:
    std::string asked;
    std::string target;
    std::string temporary;
};

// A file a command reads or writes, and what it is to the user ("the input", "the plug-in").
struct NamedFile
{
    std::string role;
    std::string path;
};

// Refuses "-" (the report goes to standard output) and an output that would land on any of the
// other files of the command, whatever the spelling, link or hard link.
bool checkOutputPath(const std::string& output, const std::vector<NamedFile>& others,
                     std::string& error);

// The exit statuses shared by ofc-host and ofc-bench.
enum ExitStatus
{
    kExitOk = 0,
    kExitFailed = 1,       // could not do what was asked; nothing was written
    kExitUsage = 2,        // the command line is wrong
    kExitBadAudio = 3,     // written, but the plug-in produced NaN or infinite samples
    kExitInterrupted = 128 // plus the signal number: 130 for Ctrl-C, 143 for SIGTERM
};

} // namespace ofchost
