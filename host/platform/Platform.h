#pragma once

#include <string>
#include <vector>

// What the host needs from the operating system, behind one interface: the implementations live
// in platform/posix and platform/win32 and the build picks one. Every path here is UTF-8.
namespace ofchost::platform
{

// A shared library loaded into this process, or null with `error` saying why. A bare file name
// that exists in the current directory means that file, not a search of the library path.
void* loadLibrary(const std::string& path, std::string& error);
void* findSymbol(void* library, const char* name);
void unloadLibrary(void* library);

// True when both paths name one existing file (links and different spellings included).
bool sameFile(const std::string& a, const std::string& b);

bool removeFile(const std::string& path);

bool stderrIsTerminal();

// The process's resident memory in bytes, or 0 if unknown.
long long residentBytes();

// The program's arguments as UTF-8, whatever the system's own encoding of the command line.
std::vector<std::string> commandLineArguments(int argc, char** argv);

} // namespace ofchost::platform
