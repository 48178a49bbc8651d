#pragma once

#include "EffectEditorAccess.h"
#include "OrvaneEffect.h"
#include "Vst3Controller.h"
#include "Vst3Object.h"

#include <atomic>
#include <memory>
#include <vector>

class EmbeddedEditor;
class Vst3EditorView;

// The compressor as a VST3 plug-in: one object that is component, audio processor and edit
// controller at once, so the controller's values are the effect's own and nothing needs to pass
// between two objects. The factory programs are the root unit's program list, chosen through a
// program-change parameter.
//
// Threads, as the interface assigns them: the audio thread calls process alone; everything else
// comes from the host's user-interface thread. The effect itself is safe for both at once.
class Vst3Plugin final : public vst3::IComponent,
                         public vst3::IAudioProcessor,
                         public vst3::IEditController,
                         public vst3::IUnitInfo,
                         private EditorHost
{
    VST3_REFCOUNTED_OBJECT

  public:
    // Parameter ids: 0..20 are the parameter table's indices; the program choice has its own.
    static constexpr vst3::ParamID kProgramParameterId = 1000;
    static constexpr vst3::ProgramListID kFactoryProgramList = 1;
    static constexpr vst3::int32 kMaxSetupBlock = 1 << 20;

    // Null if it could not be made. Born with one reference.
    static Vst3Plugin* create();

    // IPluginBase (both bases)
    vst3::tresult VST3_CALL initialize(vst3::FUnknown* context) override;
    vst3::tresult VST3_CALL terminate() override;

    // IComponent
    vst3::tresult VST3_CALL getControllerClassId(vst3::TUID classId) override;
    vst3::tresult VST3_CALL setIoMode(vst3::IoMode) override { return vst3::kResultOk; }
    vst3::int32 VST3_CALL getBusCount(vst3::MediaType type, vst3::BusDirection dir) override;
    vst3::tresult VST3_CALL getBusInfo(vst3::MediaType type, vst3::BusDirection dir,
                                       vst3::int32 index, vst3::BusInfo& bus) override;
    vst3::tresult VST3_CALL getRoutingInfo(vst3::RoutingInfo&, vst3::RoutingInfo&) override
    {
        return vst3::kResultFalse;
    }
    vst3::tresult VST3_CALL activateBus(vst3::MediaType type, vst3::BusDirection dir,
                                        vst3::int32 index, vst3::TBool state) override;
    vst3::tresult VST3_CALL setActive(vst3::TBool state) override;
    vst3::tresult VST3_CALL setState(vst3::IBStream* state) override;
    vst3::tresult VST3_CALL getState(vst3::IBStream* state) override;

    // IAudioProcessor
    vst3::tresult VST3_CALL setBusArrangements(vst3::SpeakerArrangement* inputs, vst3::int32 numIns,
                                               vst3::SpeakerArrangement* outputs,
                                               vst3::int32 numOuts) override;
    vst3::tresult VST3_CALL getBusArrangement(vst3::BusDirection dir, vst3::int32 index,
                                              vst3::SpeakerArrangement& arr) override;
    vst3::tresult VST3_CALL canProcessSampleSize(vst3::int32 symbolicSampleSize) override;
    vst3::uint32 VST3_CALL getLatencySamples() override;
    vst3::tresult VST3_CALL setupProcessing(vst3::ProcessSetup& setup) override;
    vst3::tresult VST3_CALL setProcessing(vst3::TBool state) override;
    vst3::tresult VST3_CALL process(vst3::ProcessData& data) override;
    vst3::uint32 VST3_CALL getTailSamples() override;

    // IEditController
    vst3::tresult VST3_CALL setComponentState(vst3::IBStream* state) override;
    vst3::int32 VST3_CALL getParameterCount() override;
    vst3::tresult VST3_CALL getParameterInfo(vst3::int32 paramIndex,
                                             vst3::ParameterInfo& info) override;
    vst3::tresult VST3_CALL getParamStringByValue(vst3::ParamID id, vst3::ParamValue value,
                                                  vst3::String128 string) override;
    vst3::tresult VST3_CALL getParamValueByString(vst3::ParamID id, vst3::TChar* string,
                                                  vst3::ParamValue& value) override;
    vst3::ParamValue VST3_CALL normalizedParamToPlain(vst3::ParamID id,
                                                      vst3::ParamValue value) override;
    vst3::ParamValue VST3_CALL plainParamToNormalized(vst3::ParamID id,
                                                      vst3::ParamValue plain) override;
    vst3::ParamValue VST3_CALL getParamNormalized(vst3::ParamID id) override;
    vst3::tresult VST3_CALL setParamNormalized(vst3::ParamID id, vst3::ParamValue value) override;
    vst3::tresult VST3_CALL setComponentHandler(vst3::IComponentHandler* handler) override;
    vst3::IPlugView* VST3_CALL createView(vst3::FIDString name) override;

    // IUnitInfo
    vst3::int32 VST3_CALL getUnitCount() override { return 1; }
    vst3::tresult VST3_CALL getUnitInfo(vst3::int32 unitIndex, vst3::UnitInfo& info) override;
    vst3::int32 VST3_CALL getProgramListCount() override { return 1; }
    vst3::tresult VST3_CALL getProgramListInfo(vst3::int32 listIndex,
                                               vst3::ProgramListInfo& info) override;
    vst3::tresult VST3_CALL getProgramName(vst3::ProgramListID listId, vst3::int32 programIndex,
                                           vst3::String128 name) override;
    vst3::tresult VST3_CALL getProgramInfo(vst3::ProgramListID, vst3::int32, vst3::CString,
                                           vst3::String128) override
    {
        return vst3::kResultFalse;
    }
    vst3::tresult VST3_CALL hasProgramPitchNames(vst3::ProgramListID, vst3::int32) override
    {
        return vst3::kResultFalse;
    }
    vst3::tresult VST3_CALL getProgramPitchName(vst3::ProgramListID, vst3::int32, vst3::int16,
                                                vst3::String128) override
    {
        return vst3::kResultFalse;
    }
    vst3::UnitID VST3_CALL getSelectedUnit() override { return vst3::kRootUnitId; }
    vst3::tresult VST3_CALL selectUnit(vst3::UnitID unitId) override;
    vst3::tresult VST3_CALL getUnitByBus(vst3::MediaType, vst3::BusDirection, vst3::int32,
                                         vst3::int32, vst3::UnitID& unitId) override;
    vst3::tresult VST3_CALL setUnitProgramData(vst3::int32, vst3::int32, vst3::IBStream*) override
    {
        return vst3::kNotImplemented;
    }

    // The view calls these while it lives.
    EmbeddedEditor& editor();
    void viewClosed(Vst3EditorView* view);
    bool resizeWindow(std::int32_t width, std::int32_t height) override;

  private:
    Vst3Plugin();
    ~Vst3Plugin();
    vst3::tresult findInterface(const vst3::TUID iid, void** obj);

    // EditorHost: the editor's edits and gestures, as the host's component handler hears them.
    void parameterEdited(std::int32_t index, float value) override;
    void beginEdit(std::int32_t index) override;
    void endEdit(std::int32_t index) override;

    // process' parts.
    void takeParameterChanges(vst3::IParameterChanges* changes);
    template <typename Sample> void processAudio(vst3::ProcessData& data);
    void reportProgramChange(vst3::ProcessData& data);
    void selectProgram(vst3::int32 program);
    void reserveBlockStorage();
    void applyChangesNow();

    std::unique_ptr<OrvaneEffect> effect;
    std::unique_ptr<EmbeddedEditor> embeddedEditor;
    vst3::IComponentHandler* handler = nullptr;
    Vst3EditorView* openView = nullptr;
    vst3::int32 sampleSize = vst3::kSample32;
    vst3::int32 maxBlock = 0;
    std::atomic<double> sampleRate{44100.0};
    bool active = false;

    // The block's timed changes, kept in frame order; sized once, never grown on the audio thread.
    struct TimedChange
    {
        ParameterChange change;
        vst3::int32 order;
    };
    std::vector<TimedChange> pending;
    std::vector<ParameterChange> timed;
    vst3::int32 pendingProgram = -1;
    // Zeros standing in for an input channel the host marks silent.
    std::vector<double> silence;
};
