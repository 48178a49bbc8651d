#pragma once

// The audio side: IComponent (busses, activation, state) and IAudioProcessor (setup and the
// block call), with the records and parameter-change queues the block call carries.

#include "Vst3Base.h"

namespace vst3
{

using MediaType = int32;
using BusDirection = int32;
using BusType = int32;
using IoMode = int32;
using ParamID = uint32;
using ParamValue = double;
using SampleRate = double;
using Sample32 = float;
using Sample64 = double;
using SpeakerArrangement = uint64;

enum MediaTypes : MediaType
{
    kAudio = 0,
    kEvent,
    kNumMediaTypes
};

enum BusDirections : BusDirection
{
    kInput = 0,
    kOutput
};

enum BusTypes : BusType
{
    kMain = 0,
    kAux
};

enum IoModes : IoMode
{
    kSimple = 0,
    kAdvanced,
    kOfflineProcessing
};

enum SymbolicSampleSizes : int32
{
    kSample32 = 0,
    kSample64
};

enum ProcessModes : int32
{
    kRealtime = 0,
    kPrefetch,
    kOffline
};

// Speaker bits: left and right front make a stereo bus.
namespace SpeakerArr
{
constexpr SpeakerArrangement kSpeakerL = 1 << 0;
constexpr SpeakerArrangement kSpeakerR = 1 << 1;
constexpr SpeakerArrangement kEmpty = 0;
constexpr SpeakerArrangement kStereo = kSpeakerL | kSpeakerR;
} // namespace SpeakerArr

// Only pointers to these travel through the interfaces declared here.
struct ProcessContext;
class IEventList;

#if defined(_WIN32)
#pragma pack(push, 8)
#endif

struct BusInfo
{
    enum BusFlags : uint32
    {
        kDefaultActive = 1 << 0
    };

    MediaType mediaType;
    BusDirection direction;
    int32 channelCount;
    String128 name;
    BusType busType;
    uint32 flags;
};

struct RoutingInfo
{
    MediaType mediaType;
    int32 busIndex;
    int32 channel;
};

class IComponent : public IPluginBase
{
  public:
    static constexpr InterfaceId iid =
        makeInterfaceId(0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802);

    virtual tresult VST3_CALL getControllerClassId(TUID classId) = 0;
    virtual tresult VST3_CALL setIoMode(IoMode mode) = 0;
    virtual int32 VST3_CALL getBusCount(MediaType type, BusDirection dir) = 0;
    virtual tresult VST3_CALL getBusInfo(MediaType type, BusDirection dir, int32 index,
                                         BusInfo& bus) = 0;
    virtual tresult VST3_CALL getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) = 0;
    virtual tresult VST3_CALL activateBus(MediaType type, BusDirection dir, int32 index,
                                          TBool state) = 0;
    virtual tresult VST3_CALL setActive(TBool state) = 0;
    virtual tresult VST3_CALL setState(IBStream* state) = 0;
    virtual tresult VST3_CALL getState(IBStream* state) = 0;

  protected:
    ~IComponent() = default;
};

struct ProcessSetup
{
    int32 processMode;
    int32 symbolicSampleSize;
    int32 maxSamplesPerBlock;
    SampleRate sampleRate;
};

// One bus's channels; which pointer of the union is live follows the block's
// symbolicSampleSize. silenceFlags has one bit per channel, set where the channel is silent.
struct AudioBusBuffers
{
    int32 numChannels;
    uint64 silenceFlags;
    union
    {
        Sample32** channelBuffers32;
        Sample64** channelBuffers64;
    };
};

// One parameter's changes within a block, as (sample offset, normalized value) points.
class IParamValueQueue : public FUnknown
{
  public:
    static constexpr InterfaceId iid =
        makeInterfaceId(0x01263A18, 0xED074F6F, 0x98C9D356, 0x4686F9BA);

    virtual ParamID VST3_CALL getParameterId() = 0;
    virtual int32 VST3_CALL getPointCount() = 0;
    virtual tresult VST3_CALL getPoint(int32 index, int32& sampleOffset, ParamValue& value) = 0;
    virtual tresult VST3_CALL addPoint(int32 sampleOffset, ParamValue value, int32& index) = 0;

  protected:
    ~IParamValueQueue() = default;
};

class IParameterChanges : public FUnknown
{
  public:
    static constexpr InterfaceId iid =
        makeInterfaceId(0xA4779663, 0x0BB64A56, 0xB44384A8, 0x466FEB9D);

    virtual int32 VST3_CALL getParameterCount() = 0;
    virtual IParamValueQueue* VST3_CALL getParameterData(int32 index) = 0;
    virtual IParamValueQueue* VST3_CALL addParameterData(const ParamID& id, int32& index) = 0;

  protected:
    ~IParameterChanges() = default;
};

struct ProcessData
{
    int32 processMode;
    int32 symbolicSampleSize;
    int32 numSamples;
    int32 numInputs;
    int32 numOutputs;
    AudioBusBuffers* inputs;
    AudioBusBuffers* outputs;
    IParameterChanges* inputParameterChanges;
    IParameterChanges* outputParameterChanges;
    IEventList* inputEvents;
    IEventList* outputEvents;
    ProcessContext* processContext;
};

class IAudioProcessor : public FUnknown
{
  public:
    static constexpr InterfaceId iid =
        makeInterfaceId(0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D);

    virtual tresult VST3_CALL setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                 SpeakerArrangement* outputs, int32 numOuts) = 0;
    virtual tresult VST3_CALL getBusArrangement(BusDirection dir, int32 index,
                                                SpeakerArrangement& arr) = 0;
    virtual tresult VST3_CALL canProcessSampleSize(int32 symbolicSampleSize) = 0;
    virtual uint32 VST3_CALL getLatencySamples() = 0;
    virtual tresult VST3_CALL setupProcessing(ProcessSetup& setup) = 0;
    virtual tresult VST3_CALL setProcessing(TBool state) = 0;
    virtual tresult VST3_CALL process(ProcessData& data) = 0;
    virtual uint32 VST3_CALL getTailSamples() = 0;

  protected:
    ~IAudioProcessor() = default;
};

#if defined(_WIN32)
#pragma pack(pop)
#endif

} // namespace vst3
