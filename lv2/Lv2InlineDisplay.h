#pragma once

#include "InlinePicture.h"
#include "Lv2ArdourExtensions.h"

#include <atomic>
#include <cstdint>
#include <memory>

class PixelImage;

// The picture in the host's mixer strip. The audio thread hands it what is to be shown after
// every block (publish), and asks the host to draw when that changed visibly: the curve's
// settings, or the operating point or the bar moving by a device pixel at the size last drawn,
// no more often than kMaxRedrawsPerSecond. The host's render thread reads the values through a
// sequence counter, retrying while a block publishes, so a picture never mixes two blocks.
// publish neither allocates, locks nor draws; render does all three, off the audio thread.
class Lv2InlineDisplay
{
  public:
    static constexpr int kMaxRedrawsPerSecond = 30;

    // `queueDraw` may be null (a host without the feature): the picture is then drawn only when
    // the host renders on its own.
    Lv2InlineDisplay(const ardourlv2::QueueDraw* queueDraw, double sampleRate,
                     const GlanceState& initial);
    ~Lv2InlineDisplay();

    void publish(const GlanceState& state, std::uint32_t frames);
    // Null when the size leaves no room for a picture. The surface stays valid until the next
    // render or the plug-in's end.
    ardourlv2::ImageSurface* render(std::uint32_t width, std::uint32_t maxHeight);

  private:
    void store(const GlanceState& state);
    GlanceState load() const;
    bool changedVisibly(const GlanceState& state) const;

    const ardourlv2::QueueDraw* host;
    const std::uint32_t minFramesBetween;

    // The published state, field by field, inside the sequence counter (odd while writing).
    std::atomic<std::uint32_t> sequence{0};
    std::atomic<double> threshold, slope, knee, makeUp, dryAttenuation;
    std::atomic<float> meterScale, inputDb, reductionDb;
    std::atomic<bool> bypassed;
    // The size last drawn, for the pixel rule; the largest size the host is expected to ask
    // for until then.
    std::atomic<std::uint32_t> shownWidth{300}, shownMaxHeight{300};

    // Audio thread only: what the last request showed, and the frames since.
    GlanceState requested;
    std::uint32_t framesSinceRequest;

    // Render thread only.
    std::unique_ptr<PixelImage> image;
    ardourlv2::ImageSurface surface{};
};

// What the picture shows of an effect's current parameters and meters.
class OrvaneEffect;
GlanceState glanceOf(const OrvaneEffect& effect);
