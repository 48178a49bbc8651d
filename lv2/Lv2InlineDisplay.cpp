#include "Lv2InlineDisplay.h"

#include "MeterScale.h"
#include "OrvaneEffect.h"
#include "ParameterTable.h"
#include "drawing/PixelImage.h"

#include <algorithm>
#include <cmath>
#include <thread>

Lv2InlineDisplay::Lv2InlineDisplay(const ardourlv2::QueueDraw* queueDraw, double sampleRate,
                                   const GlanceState& initial)
    : host(queueDraw && queueDraw->queueDraw ? queueDraw : nullptr),
      minFramesBetween(static_cast<std::uint32_t>(std::ceil(sampleRate / kMaxRedrawsPerSecond))),
      requested(initial), framesSinceRequest(minFramesBetween)
{
    store(initial);
}

Lv2InlineDisplay::~Lv2InlineDisplay() = default;

// A sequence lock without fences (which the thread checker cannot follow): every field is
// stored with release, so no reader can see a field of this block before the odd count, and
// loaded with acquire, so the reader's second look at the count comes after its fields.
void Lv2InlineDisplay::store(const GlanceState& s)
{
    constexpr auto release = std::memory_order_release;
    const std::uint32_t s0 = sequence.load(std::memory_order_relaxed);
    sequence.store(s0 + 1, release);
    threshold.store(s.curve.threshold, release);
    slope.store(s.curve.slope, release);
    knee.store(s.curve.knee, release);
    makeUp.store(s.curve.makeUp, release);
    dryAttenuation.store(s.curve.dryAttenuation, release);
    meterScale.store(s.meterScale, release);
    inputDb.store(s.inputDb, release);
    reductionDb.store(s.reductionDb, release);
    bypassed.store(s.bypassed, release);
    sequence.store(s0 + 2, release);
}

GlanceState Lv2InlineDisplay::load() const
{
    constexpr auto acquire = std::memory_order_acquire;
    GlanceState s;
    for (int attempt = 0;; ++attempt)
    {
        const std::uint32_t before = sequence.load(acquire);
        s.curve.threshold = threshold.load(acquire);
        s.curve.slope = slope.load(acquire);
        s.curve.knee = knee.load(acquire);
        s.curve.makeUp = makeUp.load(acquire);
        s.curve.dryAttenuation = dryAttenuation.load(acquire);
        s.meterScale = meterScale.load(acquire);
        s.inputDb = inputDb.load(acquire);
        s.reductionDb = reductionDb.load(acquire);
        s.bypassed = bypassed.load(acquire);
        if (!(before & 1u) && sequence.load(acquire) == before) return s;
        // A block is publishing; it takes microseconds, so give the audio thread the core.
        if (attempt > 8) std::this_thread::yield();
    }
}

bool Lv2InlineDisplay::changedVisibly(const GlanceState& s) const
{
    const TransferCurveSettings &a = s.curve, &b = requested.curve;
    if (a.threshold != b.threshold || a.slope != b.slope || a.knee != b.knee ||
        a.makeUp != b.makeUp || a.dryAttenuation != b.dryAttenuation ||
        s.bypassed != requested.bypassed ||
        meterscale::settingOf(s.meterScale) != meterscale::settingOf(requested.meterScale))
        return true;
    const GlanceLayout layout =
        glanceLayout(static_cast<std::int32_t>(shownWidth.load(std::memory_order_relaxed)),
                     static_cast<std::int32_t>(shownMaxHeight.load(std::memory_order_relaxed)));
    return !(glanceMarks(layout, s) == glanceMarks(layout, requested));
}

void Lv2InlineDisplay::publish(const GlanceState& state, std::uint32_t frames)
{
    store(state);
    if (framesSinceRequest < minFramesBetween) framesSinceRequest += frames;
    if (!host || framesSinceRequest < minFramesBetween || !changedVisibly(state)) return;
    requested = state;
    framesSinceRequest = 0;
    host->queueDraw(host->handle);
}

ardourlv2::ImageSurface* Lv2InlineDisplay::render(std::uint32_t width, std::uint32_t maxHeight)
{
    const auto clampEdge = [](std::uint32_t v)
    { return static_cast<std::int32_t>(v > 4096u ? 4096u : v); };
    const GlanceLayout layout = glanceLayout(clampEdge(width), clampEdge(maxHeight));
    if (layout.width <= 0) return nullptr;
    shownWidth.store(width, std::memory_order_relaxed);
    shownMaxHeight.store(maxHeight, std::memory_order_relaxed);
    if (!image || image->getWidth() != layout.width || image->getHeight() != layout.height)
        image = std::make_unique<PixelImage>(layout.width, layout.height);
    drawGlance(*image, layout, load());
    surface.data = reinterpret_cast<unsigned char*>(image->data());
    surface.width = layout.width;
    surface.height = layout.height;
    surface.stride = layout.width * 4;
    return &surface;
}

GlanceState glanceOf(const OrvaneEffect& effect)
{
    const auto input = [&](std::int32_t index)
    { return displayInput(index, effect.getParameter(index)); };
    GlanceState s;
    s.curve.threshold = input(kThreshold);
    s.curve.knee = input(kKnee);
    s.curve.slope = transferSlopeForRatio(input(kRatio));
    s.curve.makeUp = input(kMakeUpGain);
    s.curve.dryAttenuation = input(kDryMix);
    s.meterScale = effect.getParameter(kMeterScale);
    // -20 log10 of the gain factor, as the editor's meter reads it.
    const float gain = effect.meterValue(kMeterGain);
    s.reductionDb = gain > 0.0f ? -std::log(gain) * 8.685889f : 0.0f;
    // A feedback design: the detector hears the compressed signal, so the input that puts the
    // compressor where it is lies that much above the detector's level.
    s.inputDb = effect.meterValue(kMeterLevelFast) + std::max(0.0f, s.reductionDb);
    s.bypassed = effect.isBypassed();
    return s;
}
