#include "PluginHost.h"

#include <dlfcn.h>

namespace
{
VstIntPtr VSTCALLBACK recordingCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr,
                                        void*, float opt)
{
    switch (opcode)
    {
    case audioMasterVersion:
        return 2400;
    case audioMasterAutomate:
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
        HostCallLog::instance().add(
            {effect, opcode, index, opcode == audioMasterAutomate ? opt : 0.0f});
        return 1;
    case audioMasterGetSampleRate:
        return 48000;
    case audioMasterGetBlockSize:
        return 256;
    default:
        return 0;
    }
}
} // namespace

HostCallLog& HostCallLog::instance()
{
    static HostCallLog log;
    return log;
}

void HostCallLog::add(const HostCall& call)
{
    std::lock_guard<std::mutex> lock(mutex);
    log.push_back(call);
}

std::vector<HostCall> HostCallLog::calls() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return log;
}

std::vector<HostCall> HostCallLog::callsOf(const AEffect* effect) const
{
    std::lock_guard<std::mutex> lock(mutex);
    std::vector<HostCall> own;
    for (const HostCall& call : log)
        if (call.effect == effect) own.push_back(call);
    return own;
}

void HostCallLog::clear()
{
    std::lock_guard<std::mutex> lock(mutex);
    log.clear();
}

PluginLibrary::PluginLibrary(const std::string& path)
{
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
    {
        const char* message = dlerror();
        why = message ? message : "dlopen failed";
        return;
    }
    entry = reinterpret_cast<AEffect* (*)(audioMasterCallback)>(dlsym(handle, "VSTPluginMain"));
    snapshot = reinterpret_cast<SnapshotFunction>(dlsym(handle, "OrvaneEditorSnapshot"));
    if (!entry) why = "no VSTPluginMain";
}

PluginLibrary::~PluginLibrary()
{
    // Kept loaded: the sanitizers need the library's code to describe what it left behind.
}

AEffect* PluginLibrary::createEffect() const
{
    if (!entry) return nullptr;
    AEffect* effect = entry(recordingCallback);
    if (!effect || effect->magic != kEffectMagic) return nullptr;
    dispatch(effect, effOpen);
    dispatch(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    dispatch(effect, effSetBlockSize, 0, 256);
    return effect;
}

VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                   float opt)
{
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

void closeEffect(AEffect* effect)
{
    dispatch(effect, effClose);
}

bool openEditor(AEffect* effect, unsigned long parentWindow)
{
    return dispatch(effect, effEditOpen, 0, 0,
                    reinterpret_cast<void*>(static_cast<uintptr_t>(parentWindow))) == 1;
}

void closeEditor(AEffect* effect)
{
    dispatch(effect, effEditClose);
}

void idleEditor(AEffect* effect)
{
    dispatch(effect, effEditIdle);
}
