#pragma once

// The controller side: IEditController (parameters, their texts, the editor), the host's
// IComponentHandler through which edits are reported, and IUnitInfo for the factory program
// list. The component and the controller are one object here, so no connection point or
// messages are declared: nothing needs to pass between two objects.

#include "Vst3Processor.h"

namespace vst3
{

using UnitID = int32;
using ProgramListID = int32;

constexpr UnitID kRootUnitId = 0;
constexpr UnitID kNoParentUnitId = -1;
constexpr ProgramListID kNoProgramListId = -1;

class IPlugView;

#if defined(_WIN32)
#pragma pack(push, 8)
#endif

struct ParameterInfo
{
    enum ParameterFlags : int32
    {
        kNoFlags = 0,
        kCanAutomate = 1 << 0,
        kIsReadOnly = 1 << 1,
        kIsWrapAround = 1 << 2,
        kIsList = 1 << 3,
        kIsHidden = 1 << 4,
        kIsProgramChange = 1 << 15,
        kIsBypass = 1 << 16
    };

    ParamID id;
    String128 title;
    String128 shortTitle;
    String128 units;
    // 0 for a continuous parameter, otherwise the number of steps (a switch has 1).
    int32 stepCount;
    ParamValue defaultNormalizedValue;
    UnitID unitId;
    int32 flags;
};

// restartComponent's flags this plug-in raises.
enum RestartFlags : int32
{
    kReloadComponent = 1 << 0,
    kIoChanged = 1 << 1,
    kParamValuesChanged = 1 << 2,
    kLatencyChanged = 1 << 3,
    kParamTitlesChanged = 1 << 4
};

class IComponentHandler : public FUnknown
{
  public:
    static constexpr InterfaceId iid =
        makeInterfaceId(0x93A0BEA3, 0x0BD045DB, 0x8E890B0C, 0xC1E46AC6);

    virtual tresult VST3_CALL beginEdit(ParamID id) = 0;
    virtual tresult VST3_CALL performEdit(ParamID id, ParamValue valueNormalized) = 0;
    virtual tresult VST3_CALL endEdit(ParamID id) = 0;
    virtual tresult VST3_CALL restartComponent(int32 flags) = 0;

  protected:
    ~IComponentHandler() = default;
};

class IEditController : public IPluginBase
{
  public:
    static constexpr InterfaceId iid =
        makeInterfaceId(0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E);

    virtual tresult VST3_CALL setComponentState(IBStream* state) = 0;
    virtual tresult VST3_CALL setState(IBStream* state) = 0;
    virtual tresult VST3_CALL getState(IBStream* state) = 0;
    virtual int32 VST3_CALL getParameterCount() = 0;
    virtual tresult VST3_CALL getParameterInfo(int32 paramIndex, ParameterInfo& info) = 0;
    virtual tresult VST3_CALL getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                                    String128 string) = 0;
    virtual tresult VST3_CALL getParamValueByString(ParamID id, TChar* string,
                                                    ParamValue& valueNormalized) = 0;
    virtual ParamValue VST3_CALL normalizedParamToPlain(ParamID id, ParamValue valueNormalized) = 0;
    virtual ParamValue VST3_CALL plainParamToNormalized(ParamID id, ParamValue plainValue) = 0;
    virtual ParamValue VST3_CALL getParamNormalized(ParamID id) = 0;
    virtual tresult VST3_CALL setParamNormalized(ParamID id, ParamValue value) = 0;
    virtual tresult VST3_CALL setComponentHandler(IComponentHandler* handler) = 0;
    // name is "editor" for the plug-in's main view.
    virtual IPlugView* VST3_CALL createView(FIDString name) = 0;

  protected:
    ~IEditController() = default;
};

struct UnitInfo
{
    UnitID id;
    UnitID parentUnitId;
    String128 name;
    ProgramListID programListId;
};

struct ProgramListInfo
{
    ProgramListID id;
    String128 name;
    int32 programCount;
};

class IUnitInfo : public FUnknown
{
  public:
    static constexpr InterfaceId iid =
        makeInterfaceId(0x3D4BD6B5, 0x913A4FD2, 0xA886E768, 0xA5EB92C1);

    virtual int32 VST3_CALL getUnitCount() = 0;
    virtual tresult VST3_CALL getUnitInfo(int32 unitIndex, UnitInfo& info) = 0;
    virtual int32 VST3_CALL getProgramListCount() = 0;
    virtual tresult VST3_CALL getProgramListInfo(int32 listIndex, ProgramListInfo& info) = 0;
    virtual tresult VST3_CALL getProgramName(ProgramListID listId, int32 programIndex,
                                             String128 name) = 0;
    virtual tresult VST3_CALL getProgramInfo(ProgramListID listId, int32 programIndex,
                                             CString attributeId, String128 attributeValue) = 0;
    virtual tresult VST3_CALL hasProgramPitchNames(ProgramListID listId, int32 programIndex) = 0;
    virtual tresult VST3_CALL getProgramPitchName(ProgramListID listId, int32 programIndex,
                                                  int16 midiPitch, String128 name) = 0;
    virtual UnitID VST3_CALL getSelectedUnit() = 0;
    virtual tresult VST3_CALL selectUnit(UnitID unitId) = 0;
    virtual tresult VST3_CALL getUnitByBus(MediaType type, BusDirection dir, int32 busIndex,
                                           int32 channel, UnitID& unitId) = 0;
    virtual tresult VST3_CALL setUnitProgramData(int32 listOrUnitId, int32 programIndex,
                                                 IBStream* data) = 0;

  protected:
    ~IUnitInfo() = default;
};

#if defined(_WIN32)
#pragma pack(pop)
#endif

} // namespace vst3
