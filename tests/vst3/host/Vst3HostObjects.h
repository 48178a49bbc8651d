#pragma once

#include "Vst3Controller.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The host's side of the interface, for the test host and the tests: objects the plug-in is
// handed. They live on the host's stack or in its members, so their reference counts are only
// checked, never used to end them.

// Answers queryInterface for the one interface an object implements (and FUnknown).
#define VST3_HOST_OBJECT(Interface)                                                                \
    vst3::tresult VST3_CALL queryInterface(const vst3::TUID iid, void** obj) override              \
    {                                                                                              \
        if (!obj) return vst3::kInvalidArgument;                                                   \
        const bool ours =                                                                          \
            iid && (vst3::FUnknown::iid.matches(iid) || Interface::iid.matches(iid));              \
        *obj = ours ? static_cast<Interface*>(this) : nullptr;                                     \
        return ours ? vst3::kResultOk : vst3::kNoInterface;                                        \
    }                                                                                              \
    vst3::uint32 VST3_CALL addRef() override                                                       \
    {                                                                                              \
        return ++references;                                                                       \
    }                                                                                              \
    vst3::uint32 VST3_CALL release() override                                                      \
    {                                                                                              \
        return --references;                                                                       \
    }                                                                                              \
    vst3::uint32 references = 1;

// A stream in memory. Reads and writes move at most `chunk` bytes per call (0: any number), the
// way some hosts' streams do; `failAfter` makes every call past that many bytes fail.
class MemoryStream : public vst3::IBStream
{
  public:
    VST3_HOST_OBJECT(vst3::IBStream)

    explicit MemoryStream(std::vector<std::uint8_t> bytes = {}) : data(std::move(bytes)) {}

    vst3::tresult VST3_CALL read(void* buffer, vst3::int32 numBytes,
                                 vst3::int32* numBytesRead) override;
    vst3::tresult VST3_CALL write(void* buffer, vst3::int32 numBytes,
                                  vst3::int32* numBytesWritten) override;
    vst3::tresult VST3_CALL seek(vst3::int64 pos, vst3::int32 mode, vst3::int64* result) override;
    vst3::tresult VST3_CALL tell(vst3::int64* pos) override;

    std::vector<std::uint8_t> data;
    std::size_t position = 0;
    std::size_t chunk = 0;
    std::size_t failAfter = SIZE_MAX;
    // Never ends: every read delivers `chunk` more bytes of 0x5A.
    bool endless = false;

  private:
    std::size_t allowed(vst3::int32 asked) const;
};

// One block's parameter changes as the host hands them to process, or the plug-in's own
// changes it reports back.
class ParameterQueue : public vst3::IParamValueQueue
{
  public:
    VST3_HOST_OBJECT(vst3::IParamValueQueue)

    explicit ParameterQueue(vst3::ParamID id) : id(id) {}
    vst3::ParamID VST3_CALL getParameterId() override { return id; }
    vst3::int32 VST3_CALL getPointCount() override
    {
        return static_cast<vst3::int32>(points.size());
    }
    vst3::tresult VST3_CALL getPoint(vst3::int32 index, vst3::int32& sampleOffset,
                                     vst3::ParamValue& value) override;
    vst3::tresult VST3_CALL addPoint(vst3::int32 sampleOffset, vst3::ParamValue value,
                                     vst3::int32& index) override;

    vst3::ParamID id;
    std::vector<std::pair<vst3::int32, vst3::ParamValue>> points;
};

class ParameterChangeList : public vst3::IParameterChanges
{
  public:
    VST3_HOST_OBJECT(vst3::IParameterChanges)

    vst3::int32 VST3_CALL getParameterCount() override
    {
        return static_cast<vst3::int32>(queues.size());
    }
    vst3::IParamValueQueue* VST3_CALL getParameterData(vst3::int32 index) override;
    vst3::IParamValueQueue* VST3_CALL addParameterData(const vst3::ParamID& id,
                                                       vst3::int32& index) override;

    // A point for parameter `id` at frame `offset`, in a queue of its own id.
    void add(vst3::ParamID id, vst3::int32 offset, vst3::ParamValue value);
    void clear() { queues.clear(); }
    // The last value reported for `id`, or NaN.
    double last(vst3::ParamID id) const;

    std::vector<ParameterQueue> queues;
};

// What the plug-in tells the host through its component handler.
struct HostEdit
{
    enum Kind
    {
        kBegin,
        kPerform,
        kEnd,
        kRestart
    } kind;
    vst3::ParamID id;
    double value; // perform: the value; restart: the flags
};

class EditRecorder : public vst3::IComponentHandler
{
  public:
    VST3_HOST_OBJECT(vst3::IComponentHandler)

    vst3::tresult VST3_CALL beginEdit(vst3::ParamID id) override;
    vst3::tresult VST3_CALL performEdit(vst3::ParamID id, vst3::ParamValue value) override;
    vst3::tresult VST3_CALL endEdit(vst3::ParamID id) override;
    vst3::tresult VST3_CALL restartComponent(vst3::int32 flags) override;

    std::vector<HostEdit> edits;
};
