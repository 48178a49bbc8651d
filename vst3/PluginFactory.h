#pragma once

#include "Vst3Factory.h"
#include "Vst3Object.h"

// The module's factory: one class, the compressor, whose component is its own edit controller.
// The host may keep it for the module's life and ask it from any thread.
class PluginFactory final : public vst3::IPluginFactory3
{
    VST3_REFCOUNTED_OBJECT

  public:
    PluginFactory() = default;

    vst3::tresult VST3_CALL getFactoryInfo(vst3::PFactoryInfo* info) override;
    vst3::int32 VST3_CALL countClasses() override { return 1; }
    vst3::tresult VST3_CALL getClassInfo(vst3::int32 index, vst3::PClassInfo* info) override;
    vst3::tresult VST3_CALL createInstance(vst3::FIDString cid, vst3::FIDString iid,
                                           void** obj) override;
    vst3::tresult VST3_CALL getClassInfo2(vst3::int32 index, vst3::PClassInfo2* info) override;
    vst3::tresult VST3_CALL getClassInfoUnicode(vst3::int32 index,
                                                vst3::PClassInfoW* info) override;
    vst3::tresult VST3_CALL setHostContext(vst3::FUnknown*) override { return vst3::kResultOk; }

  private:
    ~PluginFactory() = default;
    vst3::tresult findInterface(const vst3::TUID iid, void** obj);
};

// The compressor's class id as the interface lays out identifiers.
const vst3::TUID& compressorClassId();
