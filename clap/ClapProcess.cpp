#include "ClapCompressor.h"
#include "ClapParameterValues.h"

#include <algorithm>
#include <climits>

// The audio thread's side: blocks with their parameter events, and the events the plug-in
// sends back. Nothing here allocates, locks or waits.
namespace
{
float* const* channelData(const clap_audio_buffer_t& buffer, float*)
{
    return buffer.data32;
}
double* const* channelData(const clap_audio_buffer_t& buffer, double*)
{
    return buffer.data64;
}

// A port's first two channels, null where the host gave fewer or none.
template <typename Sample> void pickChannels(const clap_audio_buffer_t* buffer, Sample* (&out)[2])
{
    Sample* const* data = buffer ? channelData(*buffer, static_cast<Sample*>(nullptr)) : nullptr;
    for (std::uint32_t c = 0; c < 2; ++c)
        out[c] = data && c < buffer->channel_count ? data[c] : nullptr;
}

template <typename Sample> void offset(Sample* const (&from)[2], std::int32_t by, Sample* (&to)[2])
{
    for (int c = 0; c < 2; ++c)
        to[c] = from[c] ? from[c] + by : nullptr;
}

const clap_event_param_value_t* asParameterValue(const clap_event_header_t* header)
{
    if (!header || header->space_id != CLAP_CORE_EVENT_SPACE_ID ||
        header->type != CLAP_EVENT_PARAM_VALUE || header->size < sizeof(clap_event_param_value_t))
        return nullptr;
    return reinterpret_cast<const clap_event_param_value_t*>(header);
}

std::uint32_t eventCount(const clap_input_events_t* events)
{
    return events && events->size && events->get ? events->size(events) : 0;
}

bool canSend(const clap_output_events_t* out)
{
    return out && out->try_push;
}

bool sendValue(const clap_output_events_t* out, std::int32_t index, float value)
{
    clap_event_param_value_t event{};
    event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    event.param_id = static_cast<clap_id>(index);
    event.note_id = -1;
    event.port_index = event.channel = event.key = -1;
    event.value = clapvalues::toClap(event.param_id, value);
    return out->try_push(out, &event.header);
}

bool sendGesture(const clap_output_events_t* out, std::int32_t index, bool begin)
{
    clap_event_param_gesture_t event{};
    const auto type = begin ? CLAP_EVENT_PARAM_GESTURE_BEGIN : CLAP_EVENT_PARAM_GESTURE_END;
    event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID, static_cast<std::uint16_t>(type), 0};
    event.param_id = static_cast<clap_id>(index);
    return out->try_push(out, &event.header);
}
} // namespace

clap_process_status ClapCompressor::process(const clap_process_t& block)
{
    if (stage() != Stage::Processing || !onAudioThread() || block.frames_count > INT_MAX)
        return CLAP_PROCESS_ERROR;
    reportEdits(block.out_events);
    const auto frames = static_cast<std::int32_t>(block.frames_count);
    const clap_audio_buffer_t* in = block.audio_inputs_count ? block.audio_inputs : nullptr;
    clap_audio_buffer_t* out = block.audio_outputs_count ? block.audio_outputs : nullptr;
    if (out && out->data64)
    {
        // The ports ask for one sample size on both sides.
        if (in && !in->data64) return CLAP_PROCESS_ERROR;
        double* inputs[2];
        double* outputs[2];
        pickChannels(in, inputs);
        pickChannels(out, outputs);
        processWithEvents(inputs, outputs, frames, block.in_events);
    }
    else
    {
        float* inputs[2];
        float* outputs[2];
        pickChannels(in, inputs);
        pickChannels(out, outputs);
        processWithEvents(inputs, outputs, frames, block.in_events);
    }
    if (out) out->constant_mask = 0;
    reportUnknownValues(block.out_events);
    return CLAP_PROCESS_CONTINUE;
}

// The block goes to the effect in pieces of at most kChangeCapacity changes each: a piece ends
// at its last change's frame, and the changes at that frame apply after it, where the next
// piece starts. A block without events is processed whole, as a VST 2.4 host's would be.
template <typename Sample>
void ClapCompressor::processWithEvents(Sample* const* in, Sample* const* out, std::int32_t frames,
                                       const clap_input_events_t* events)
{
    Sample* const inputs[2] = {in[0], in[1]};
    Sample* const outputs[2] = {out[0], out[1]};
    const std::uint32_t total = eventCount(events);
    std::uint32_t next = 0;
    std::int32_t done = 0;
    for (;;)
    {
        int count = 0;
        while (next < total && count < kChangeCapacity)
        {
            const clap_event_header_t* header = events->get(events, next++);
            const clap_event_param_value_t* event = asParameterValue(header);
            float value = 0.0f;
            if (!event || !clapvalues::toNormalised(event->param_id, event->value, value)) continue;
            const auto index = static_cast<std::int32_t>(event->param_id);
            const auto at =
                static_cast<std::int32_t>(std::min<std::uint32_t>(header->time, frames));
            changes[count++] = {at - done, index, value};
            hostKnows[index].store(value, std::memory_order_relaxed);
        }
        const bool more = next < total;
        const std::int32_t end =
            more ? std::clamp(changes[count - 1].frame + done, done, frames) : frames;
        Sample* pieceIn[2];
        Sample* pieceOut[2];
        offset(inputs, done, pieceIn);
        offset(outputs, done, pieceOut);
        if (count == 0)
            effect->process(pieceIn, pieceOut, end - done);
        else
            effect->process(pieceIn, pieceOut, end - done, changes, count);
        done = end;
        if (!more) return;
    }
}

void ClapCompressor::reportEdits(const clap_output_events_t* out)
{
    if (!canSend(out)) return;
    EditEventQueue::Edit edit{};
    while (edits.pop(edit))
    {
        if (edit.kind != EditEventQueue::Kind::Value)
        {
            sendGesture(out, edit.index, edit.kind == EditEventQueue::Kind::Begin);
            continue;
        }
        if (sendValue(out, edit.index, edit.value))
            hostKnows[edit.index].store(edit.value, std::memory_order_relaxed);
    }
}

void ClapCompressor::reportUnknownValues(const clap_output_events_t* out)
{
    if (!canSend(out)) return;
    for (std::int32_t i = 0; i < kNumParams; ++i)
    {
        const float value = effect->getParameter(i);
        if (value != hostKnows[i].load(std::memory_order_relaxed) && sendValue(out, i, value))
            hostKnows[i].store(value, std::memory_order_relaxed);
    }
}

// Outside processing: on the main thread while inactive, on the audio thread while active.
void ClapCompressor::flush(const clap_input_events_t* in, const clap_output_events_t* out)
{
    const Stage now = stage();
    if (now == Stage::Processing || now == Stage::Created) return;
    if (!(now == Stage::Inactive ? onMainThread() : onAudioThread())) return;
    const std::uint32_t total = eventCount(in);
    for (std::uint32_t k = 0; k < total; ++k)
    {
        const clap_event_param_value_t* event = asParameterValue(in->get(in, k));
        float value = 0.0f;
        if (!event || !clapvalues::toNormalised(event->param_id, event->value, value)) continue;
        const auto index = static_cast<std::int32_t>(event->param_id);
        effect->setParameter(index, value);
        hostKnows[index].store(value, std::memory_order_relaxed);
    }
    reportEdits(out);
    reportUnknownValues(out);
}
