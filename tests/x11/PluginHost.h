#pragma once

#include "VstInterface.h"

#include <mutex>
#include <string>
#include <vector>

// A small host for the built plug-in library: loads it with dlopen, creates effects through
// VSTPluginMain with a callback that records what the plug-in tells the host about
// parameters, and drives the editor opcodes. Calls may come from any thread.

struct HostCall
{
    AEffect* effect;
    VstInt32 opcode; // audioMasterAutomate, audioMasterBeginEdit or audioMasterEndEdit
    VstInt32 index;
    float value; // automation only
};

class HostCallLog
{
  public:
    static HostCallLog& instance();
    void add(const HostCall& call);
    std::vector<HostCall> calls() const;
    // The calls of one effect only.
    std::vector<HostCall> callsOf(const AEffect* effect) const;
    void clear();

  private:
    mutable std::mutex mutex;
    std::vector<HostCall> log;
};

class PluginLibrary
{
  public:
    explicit PluginLibrary(const std::string& path);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    bool isLoaded() const { return entry != nullptr; }
    const std::string& error() const { return why; }
    // A new effect, opened and given a rate and block size; null on failure.
    AEffect* createEffect() const;
    // The editor rendered without a window (the plug-in's own export), or null.
    using SnapshotFunction = int (*)(AEffect*, const char*, unsigned int);
    SnapshotFunction snapshotFunction() const { return snapshot; }

  private:
    void* handle = nullptr;
    AEffect* (*entry)(audioMasterCallback) = nullptr;
    SnapshotFunction snapshot = nullptr;
    std::string why;
};

VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                   void* ptr = nullptr, float opt = 0.0f);
void closeEffect(AEffect* effect);
bool openEditor(AEffect* effect, unsigned long parentWindow);
void closeEditor(AEffect* effect);
void idleEditor(AEffect* effect);
