#pragma once

#include "HostCallback.h"
#include "PluginModule.h"

#include <memory>
#include <string>

namespace ofchost
{

constexpr VstInt32 kMaxListed = 4096;
constexpr std::size_t kMaxTextLength = 128;

// One effect instance, driven only through its AEffect record, as a host drives it.
// Closing (effClose) happens in the destructor.
class PluginInstance
{
  public:
    // Null when the entry point answers null (the reason is in error).
    static std::unique_ptr<PluginInstance> create(const PluginModule& module,
                                                  audioMasterCallback callback, std::string& error);
    static std::unique_ptr<PluginInstance> create(const PluginModule& module, std::string& error)
    {
        return create(module, hostCallback, error);
    }
    ~PluginInstance();
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    AEffect* effect() const { return record; }
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f) const;

    // The usual start-up: open, rate, block size. resume/suspend are effMainsChanged.
    void open(double sampleRate, VstInt32 blockSize) const;
    void resume() const { dispatch(effMainsChanged, 0, 1); }
    void suspend() const { dispatch(effMainsChanged, 0, 0); }

    // How many parameters and programs the host works with: the record's counts, never below 0
    // and never above kMaxListed, so a broken or hostile record cannot make a host loop for ever.
    VstInt32 parameterCount() const;
    VstInt32 programCount() const;

    // A text opcode answered into a generous zeroed buffer; at most kMaxTextLength characters,
    // with control characters shown as '?', so that a hostile name cannot flood a report.
    std::string text(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0) const;
    std::string effectName() const { return text(effGetEffectName); }
    std::string vendorString() const { return text(effGetVendorString); }
    std::string productString() const { return text(effGetProductString); }

    float parameter(VstInt32 index) const;
    void setParameter(VstInt32 index, float value) const;
    std::string parameterName(VstInt32 index) const { return text(effGetParamName, index); }
    std::string parameterLabel(VstInt32 index) const { return text(effGetParamLabel, index); }
    std::string parameterDisplay(VstInt32 index) const { return text(effGetParamDisplay, index); }

    // By index where the plug-in supports it, else by switching programs (and back).
    std::string programName(VstInt32 program) const;
    std::string currentProgramName() const { return text(effGetProgramName); }

    // A flag is believed only when the function it promises is there.
    bool canProcessFloat() const;
    bool canProcessDouble() const;
    void processReplacing(float** inputs, float** outputs, VstInt32 frames) const;
    void processDoubleReplacing(double** inputs, double** outputs, VstInt32 frames) const;

  private:
    explicit PluginInstance(AEffect* record) : record(record) {}
    AEffect* record;
};

// Names used when printing what a plug-in reports.
std::string fourCharCode(VstInt32 id); // most significant byte first; unprintable bytes as '.'
const char* categoryName(VstIntPtr category);
std::string flagNames(VstInt32 flags);

} // namespace ofchost
