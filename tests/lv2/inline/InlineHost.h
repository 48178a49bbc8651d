#pragma once

#include "Lv2ArdourExtensions.h"

#include <lilv/lilv.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class PixelImage;

// A small LV2 host of the kind a mixer strip is: it loads the bundle through lilv, offers the
// URID map and queue_draw (counting the requests), runs the plug-in in 256-frame blocks on a
// test signal and asks it for its picture.
class InlineHost
{
  public:
    enum class Signal
    {
        Silence,
        Quiet, // 1 kHz at -40 dBFS
        Loud,  // 1 kHz at -6 dBFS
        Bursts // -6 and -40 dBFS, switching every 0.25 s
    };
    static constexpr std::uint32_t kBlock = 256;

    InlineHost(const std::string& bundleDir, double rate = 48000.0);
    ~InlineHost();
    InlineHost(const InlineHost&) = delete;
    InlineHost& operator=(const InlineHost&) = delete;

    // Why the plug-in could not be loaded, or empty.
    const std::string& error() const { return problem; }
    bool hasInlineDisplay() const { return display != nullptr; }

    // A control input by its symbol; the plug-in sees it at the next block.
    void set(const std::string& symbol, float value);
    void play(Signal signal, double seconds);
    void runBlock(Signal signal);
    const ardourlv2::ImageSurface* render(std::uint32_t width, std::uint32_t maxHeight);
    int queueDraws() const { return requests.load(); }
    void resetQueueDraws() { requests.store(0); }
    // The last block's samples.
    const std::vector<float>& input(int channel) const { return in[channel]; }
    const std::vector<float>& output(int channel) const { return out[channel]; }

  private:
    static std::uint32_t map(void* handle, const char* uri);
    static void queueDraw(void* handle);
    float sample(Signal signal);

    std::string problem;
    LilvWorld* world = nullptr;
    LilvInstance* instance = nullptr;
    const ardourlv2::InlineDisplayInterface* display = nullptr;
    std::map<std::string, std::uint32_t> controlPorts;
    std::vector<float> controls;
    std::vector<float> in[2], out[2];
    std::map<std::string, std::uint32_t> uris;
    std::atomic<int> requests{0};
    double rate;
    std::uint64_t position = 0;
};

// The surface copied into an image (premultiplied ARGB, as the toolkit's images are).
PixelImage surfaceImage(const ardourlv2::ImageSurface& surface);

// Three ways of setting the compressor that the picture must tell apart.
enum class Look
{
    Gentle, // threshold -20 dB, 2:1, 10 dB knee
    Firm,   // threshold -30 dB, 8:1, hard knee, 3.6 dB make-up, bar scale 24 dB
    Bypass  // Firm, with the host's enable switch off
};
void applyLook(InlineHost& host, Look look);
