#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>

// A one-line progress bar on stderr for long renders. It draws only on a terminal, at most ten
// times a second, and clears its line when done, so logs and pipes see nothing of it.
namespace ofchost
{

class RenderProgress
{
  public:
    // total: the frames expected (0 if unknown); rate: to show seconds of audio. Draws only when
    // enabled (see stderrIsTerminal).
    RenderProgress(std::int64_t total, double rate, bool enabled, std::FILE* out);
    ~RenderProgress() { finish(); }
    RenderProgress(const RenderProgress&) = delete;
    RenderProgress& operator=(const RenderProgress&) = delete;

    void update(std::int64_t done);
    void finish();

    bool enabled() const { return active; }

  private:
    void draw(std::int64_t done);

    std::int64_t total;
    double rate;
    bool active;
    bool drawn = false;
    std::FILE* out;
    std::chrono::steady_clock::time_point lastDraw; // construction, then the latest draw
};

bool stderrIsTerminal();

} // namespace ofchost
