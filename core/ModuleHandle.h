#pragma once

#include <cstddef>

// The plug-in library's own module: its handle and file path, recorded by the library load
// hook so that the toolkit can find the library's image resources.
namespace ModuleHandle
{

// Called once by the load hook. path may be null; both are copied or kept as given.
void record(void* handle, const char* path);

// The recorded handle, or, where no load hook ran (a test program linking the core
// statically), the module containing this code, looked up on first use. Null if unknown.
void* handle();
// The module's file path, or an empty string if unknown.
const char* path();

// Per platform: the module containing this code and its path (at most pathSize bytes with the
// terminator); false if it cannot be found.
bool findOwnModule(void*& handle, char* path, std::size_t pathSize);

} // namespace ModuleHandle
