#pragma once

// A busy session driving several effects at once: audio threads, an automation thread and the
// host's user-interface thread, each checking what it can see as it goes.

#include "VstInterface.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace soak
{

struct Options
{
    std::string plugin;
    double seconds = 60.0;
    std::uint64_t seed = 1;
    int audioThreads = 2;
    int instances = 4;
};

// The promise the soak holds the effect to: the output is finite again once this many host
// frames of finite input have gone by, whatever happened in between.
constexpr long kRecoveryFrames = 400;
constexpr VstInt32 kLatency = 151;
constexpr int kNumParams = 21;

struct Counters
{
    std::atomic<long long> blocks{0}, frames{0}, rateChanges{0}, suspends{0}, bursts{0};
    std::atomic<long long> parameterSets{0}, programChanges{0}, textChecks{0};
    std::atomic<long long> editorOpens{0}, idles{0};
    std::atomic<long long> failures{0};
};

// One effect and the recent host actions of its audio thread, printed with a failure so that
// the sequence can be replayed by hand.
struct Instance
{
    int id = 0;
    AEffect* effect = nullptr;
    std::vector<std::string> recent;
    void note(std::string action);
    std::string history() const;
};

class Session
{
  public:
    explicit Session(const Options& options) : options(options) {}
    const Options& options;
    Counters counters;
    std::vector<Instance> instances;
    int (*openEditor)(AEffect*, const char*, unsigned) = nullptr; // the snapshot export

    bool running() const { return std::chrono::steady_clock::now() < deadline; }
    void fail(const std::string& what);
    std::chrono::steady_clock::time_point deadline;

  private:
    std::mutex reportLock;
    int printed = 0;
};

VstIntPtr dispatch(AEffect* e, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                   void* ptr = nullptr, float opt = 0.0f);

void runAudio(Session& session, int thread);
void runAutomation(Session& session);
void runUserInterface(Session& session);

} // namespace soak
