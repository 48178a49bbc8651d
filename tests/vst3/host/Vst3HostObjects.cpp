#include "Vst3HostObjects.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

using namespace vst3;

std::size_t MemoryStream::allowed(int32 asked) const
{
    std::size_t n = asked > 0 ? static_cast<std::size_t>(asked) : 0;
    if (chunk) n = std::min(n, chunk);
    return n;
}

tresult MemoryStream::read(void* buffer, int32 numBytes, int32* numBytesRead)
{
    if (numBytesRead) *numBytesRead = 0;
    if (!buffer || numBytes < 0 || position >= failAfter) return kResultFalse;
    std::size_t n = allowed(numBytes);
    if (endless)
    {
        std::memset(buffer, 0x5A, n);
        position += n;
    }
    else
    {
        n = std::min(n, data.size() - std::min(position, data.size()));
        if (n) std::memcpy(buffer, data.data() + position, n);
        position += n;
    }
    if (numBytesRead) *numBytesRead = static_cast<int32>(n);
    return kResultOk;
}

tresult MemoryStream::write(void* buffer, int32 numBytes, int32* numBytesWritten)
{
    if (numBytesWritten) *numBytesWritten = 0;
    if (!buffer || numBytes < 0 || position >= failAfter) return kResultFalse;
    const std::size_t n = allowed(numBytes);
    if (data.size() < position + n) data.resize(position + n);
    std::memcpy(data.data() + position, buffer, n);
    position += n;
    if (numBytesWritten) *numBytesWritten = static_cast<int32>(n);
    return kResultOk;
}

tresult MemoryStream::seek(int64 pos, int32 mode, int64* result)
{
    const int64 base = mode == kIBSeekSet   ? 0
                       : mode == kIBSeekCur ? static_cast<int64>(position)
                                            : static_cast<int64>(data.size());
    if (base + pos < 0) return kResultFalse;
    position = static_cast<std::size_t>(base + pos);
    if (result) *result = static_cast<int64>(position);
    return kResultOk;
}

tresult MemoryStream::tell(int64* pos)
{
    if (!pos) return kInvalidArgument;
    *pos = static_cast<int64>(position);
    return kResultOk;
}

tresult ParameterQueue::getPoint(int32 index, int32& sampleOffset, ParamValue& value)
{
    if (index < 0 || index >= getPointCount()) return kInvalidArgument;
    sampleOffset = points[static_cast<std::size_t>(index)].first;
    value = points[static_cast<std::size_t>(index)].second;
    return kResultOk;
}

tresult ParameterQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index)
{
    index = getPointCount();
    points.emplace_back(sampleOffset, value);
    return kResultOk;
}

IParamValueQueue* ParameterChangeList::getParameterData(int32 index)
{
    if (index < 0 || index >= getParameterCount()) return nullptr;
    return &queues[static_cast<std::size_t>(index)];
}

IParamValueQueue* ParameterChangeList::addParameterData(const ParamID& id, int32& index)
{
    for (std::size_t q = 0; q < queues.size(); ++q)
        if (queues[q].id == id) return index = static_cast<int32>(q), &queues[q];
    index = getParameterCount();
    queues.emplace_back(id);
    return &queues.back();
}

void ParameterChangeList::add(ParamID id, int32 offset, ParamValue value)
{
    int32 index = 0;
    addParameterData(id, index)->addPoint(offset, value, index);
}

double ParameterChangeList::last(ParamID id) const
{
    for (const ParameterQueue& queue : queues)
        if (queue.id == id && !queue.points.empty()) return queue.points.back().second;
    return std::numeric_limits<double>::quiet_NaN();
}

tresult EditRecorder::beginEdit(ParamID id)
{
    edits.push_back({HostEdit::kBegin, id, 0.0});
    return kResultOk;
}

tresult EditRecorder::performEdit(ParamID id, ParamValue value)
{
    edits.push_back({HostEdit::kPerform, id, value});
    return kResultOk;
}

tresult EditRecorder::endEdit(ParamID id)
{
    edits.push_back({HostEdit::kEnd, id, 0.0});
    return kResultOk;
}

tresult EditRecorder::restartComponent(int32 flags)
{
    edits.push_back({HostEdit::kRestart, 0, static_cast<double>(flags)});
    return kResultOk;
}
