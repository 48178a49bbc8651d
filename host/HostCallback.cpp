#include "HostCallback.h"

#include <cstring>
#include <mutex>

namespace ofchost
{
namespace
{

std::mutex& logMutex()
{
    static std::mutex m;
    return m;
}

std::vector<HostCall>& callLog()
{
    static std::vector<HostCall> calls;
    return calls;
}

void record(AEffect* effect, VstInt32 opcode, VstInt32 index, float value)
{
    std::lock_guard<std::mutex> lock(logMutex());
    callLog().push_back({effect, opcode, index, value});
}

void copyText(void* ptr, const char* text, std::size_t capacity)
{
    if (!ptr) return;
    char* out = static_cast<char*>(ptr);
    std::strncpy(out, text, capacity - 1);
    out[capacity - 1] = '\0';
}

} // namespace

HostSettings& hostSettings()
{
    static HostSettings settings;
    return settings;
}

VstIntPtr VSTCALLBACK hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr,
                                   void* ptr, float opt)
{
    switch (opcode)
    {
    case audioMasterVersion:
        return hostSettings().versionAnswer;
    case audioMasterAutomate:
        record(effect, opcode, index, opt);
        return 0;
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
        record(effect, opcode, index, 0.0f);
        return 1;
    case audioMasterGetSampleRate:
        return static_cast<VstIntPtr>(hostSettings().sampleRate);
    case audioMasterGetBlockSize:
        return hostSettings().blockSize;
    case audioMasterGetVendorString:
        copyText(ptr, "Quenmoor", kVstMaxVendorStrLen);
        return 1;
    case audioMasterGetProductString:
        copyText(ptr, "ofc-host", kVstMaxProductStrLen);
        return 1;
    case audioMasterGetVendorVersion:
        return 1000;
    default:
        return 0;
    }
}

std::vector<HostCall> recordedCalls()
{
    std::lock_guard<std::mutex> lock(logMutex());
    return callLog();
}

void clearRecordedCalls()
{
    std::lock_guard<std::mutex> lock(logMutex());
    callLog().clear();
}

} // namespace ofchost
