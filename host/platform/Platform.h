#pragma once

#include <string>
#include <vector>

// What the host needs from the operating system, behind one interface: the implementations live
// in platform/posix and platform/win32 and the build picks one. Every path here is UTF-8.
namespace ofchost::platform
{

// A shared library loaded into this process, or null with `error` saying why. The path is
// always the file meant: a bare name is taken in the current directory, never searched for.
void* loadLibrary(const std::string& path, std::string& error);
void* findSymbol(void* library, const char* name);
void unloadLibrary(void* library);

// True when both paths name one existing file (links and different spellings included).
bool sameFile(const std::string& a, const std::string& b);

// True when both paths lead to one place, for files that do not exist yet too ("a.wav" and
// "./a.wav"); existing files are compared by identity.
bool samePlace(const std::string& a, const std::string& b);

bool removeFile(const std::string& path);

// The file a path leads to once symbolic links are followed; the path itself if it does not exist.
std::string followLinks(const std::string& path);

// Creates a new, empty file that did not exist before, for writing. False with `error` saying
// which folder is missing or may not be written, or what else stopped it.
bool createNewFile(const std::string& path, std::string& error);

// Puts `from` in place of `to` in one step, replacing any file there; an existing file's
// permissions carry over where the system has them.
bool replaceFile(const std::string& from, const std::string& to, std::string& error);

// From the call on, Ctrl-C (and a termination request where the system has one) sets a flag
// instead of ending the process; a second one ends it as usual.
void catchInterruptions();
// The signal number of the interruption caught (2 for Ctrl-C), or 0.
int interruption();

// The process's id, for names that must not collide with another running copy.
long processId();

bool stderrIsTerminal();

// The process's resident memory in bytes, or 0 if unknown, after the heap has handed back the
// pages it holds free: what lives now, not what was freed earlier and is still mapped.
long long residentBytes();

// The program's arguments as UTF-8, whatever the system's own encoding of the command line.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// Sets a variable in this process's environment, where libraries loaded afterwards see it.
void setEnvironment(const std::string& name, const std::string& value);

} // namespace ofchost::platform
