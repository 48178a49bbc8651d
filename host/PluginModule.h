#pragma once

#include "VstInterface.h"

#include <string>

namespace ofchost
{

using VstEntryPoint = AEffect* (*)(audioMasterCallback);

// A VST 2.4 library loaded into this process, with its entry point found the way hosts look
// for it: VSTPluginMain first, then the older name main.
class PluginModule
{
  public:
    PluginModule() = default;
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    bool load(const std::string& path);
    bool isLoaded() const { return entry != nullptr; }
    VstEntryPoint entryPoint() const { return entry; }
    const std::string& entryName() const { return entryNameFound; }
    const std::string& error() const { return lastError; }
    // Another export of the loaded library, or null.
    void* symbol(const char* name) const;

  private:
    void* library = nullptr;
    VstEntryPoint entry = nullptr;
    std::string entryNameFound;
    std::string lastError;
};

} // namespace ofchost
