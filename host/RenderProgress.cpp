#include "RenderProgress.h"

#include "Platform.h"

#include <algorithm>
#include <string>

namespace ofchost
{
namespace
{
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr int kBarWidth = 40;
} // namespace

RenderProgress::RenderProgress(std::int64_t total, double rate, bool enabled, std::FILE* out)
    : total(total), rate(rate > 0.0 ? rate : 1.0), active(enabled && out), out(out),
      lastDraw(std::chrono::steady_clock::now())
{
}

void RenderProgress::update(std::int64_t done)
{
    if (!active) return;
    const auto now = std::chrono::steady_clock::now();
    // Renders shorter than one interval never draw.
    if (now - lastDraw < kRedrawInterval) return;
    lastDraw = now;
    draw(done);
}

void RenderProgress::draw(std::int64_t done)
{
    const double seconds = static_cast<double>(done) / rate;
    if (total > 0)
    {
        const double fraction =
            std::min(1.0, static_cast<double>(done) / static_cast<double>(total));
        const int filled = static_cast<int>(fraction * kBarWidth);
        const std::string bar = std::string(static_cast<std::size_t>(filled), '#') +
                                std::string(static_cast<std::size_t>(kBarWidth - filled), '.');
        std::fprintf(out, "\rrendering [%s] %3d%%  %.1f / %.1f s", bar.c_str(),
                     static_cast<int>(fraction * 100.0), seconds,
                     static_cast<double>(total) / rate);
    }
    else
        std::fprintf(out, "\rrendering %.1f s", seconds);
    std::fflush(out);
    drawn = true;
}

void RenderProgress::finish()
{
    if (!active || !drawn) return;
    std::fprintf(out, "\r\033[K");
    std::fflush(out);
    drawn = false;
}

bool stderrIsTerminal()
{
    return platform::stderrIsTerminal();
}

} // namespace ofchost
