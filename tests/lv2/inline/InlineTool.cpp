// ofc-lv2-inline: the mixer-strip picture through a small lilv host, for the README and for
// measuring.
//   ofc-lv2-inline picture BUNDLE OUT.png WIDTH MAX_HEIGHT
//       The "Firm" setting after 1.6 s of the loud and quiet bursts, as in the demo.
//   ofc-lv2-inline measure BUNDLE
//       Render cost per call at 100 and 300 pixels, and queue_draw counts on a long run and
//       an idle one.
#include "InlineHost.h"

#include "drawing/PixelImage.h"
#include "drawing/PngCodec.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
int picture(const char* bundle, const char* path, int width, int maxHeight)
{
    InlineHost host(bundle);
    if (!host.error().empty()) return std::fprintf(stderr, "%s\n", host.error().c_str()), 1;
    applyLook(host, Look::Firm);
    host.play(InlineHost::Signal::Bursts, 1.6);
    const ardourlv2::ImageSurface* s = host.render(width, maxHeight);
    if (!s) return std::fprintf(stderr, "no picture at %d x %d\n", width, maxHeight), 1;
    if (!encodePng(surfaceImage(*s), path))
        return std::fprintf(stderr, "cannot write %s\n", path), 1;
    std::printf("%s: %d x %d\n", path, s->width, s->height);
    return 0;
}

void renderCost(InlineHost& host, int width)
{
    constexpr int kCalls = 200;
    host.render(width, width); // the fonts are looked up once
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kCalls; ++i)
        host.render(width, width);
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    std::printf("render at %d px wide: %.1f us per call (%d calls)\n", width, took.count() / kCalls,
                kCalls);
}

int measure(const char* bundle)
{
    InlineHost host(bundle);
    if (!host.error().empty()) return std::fprintf(stderr, "%s\n", host.error().c_str()), 1;
    applyLook(host, Look::Firm);
    host.play(InlineHost::Signal::Bursts, 1.0);
    renderCost(host, 100);
    renderCost(host, 300);
    for (int width : {100, 300})
    {
        host.render(width, width);
        host.resetQueueDraws();
        host.play(InlineHost::Signal::Bursts, 60.0);
        std::printf("queue_draw over 60 s of bursts, shown %d px wide: %d (bound %d)\n", width,
                    host.queueDraws(), 60 * 30);
    }
    // The detector settles from its first reading to its floor within the first second.
    InlineHost idle(bundle);
    idle.play(InlineHost::Signal::Silence, 1.0);
    std::printf("queue_draw in the first second of silence: %d\n", idle.queueDraws());
    idle.resetQueueDraws();
    idle.play(InlineHost::Signal::Silence, 60.0);
    std::printf("queue_draw over the next 60 s of silence: %d\n", idle.queueDraws());
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 6 && !std::strcmp(argv[1], "picture"))
        return picture(argv[2], argv[3], std::atoi(argv[4]), std::atoi(argv[5]));
    if (argc == 3 && !std::strcmp(argv[1], "measure")) return measure(argv[2]);
    std::fprintf(stderr, "usage: ofc-lv2-inline picture BUNDLE OUT.png WIDTH MAX_HEIGHT\n"
                         "       ofc-lv2-inline measure BUNDLE\n");
    return 2;
}
