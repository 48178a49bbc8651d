#pragma once

#include "CompressorEngine.h"
#include "ParameterIds.h"
#include "Program.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Told of every parameter change the effect makes, its interlocks and program loads included,
// on the thread that made it.
class ParameterListener
{
  public:
    virtual ~ParameterListener() = default;
    virtual void parameterChanged(std::int32_t index, float value) = 0;
};

// A parameter change that belongs at a given frame of the block being processed.
struct ParameterChange
{
    std::int32_t frame;
    std::int32_t index;
    float value;
};

// The compressor as every plug-in format sees it: parameters, programs, the block loop with
// its bypass and meters, the latency and the saved state. It knows no plug-in format; each
// format adapts it.
//
// Threads: parameters, programs and names may be set and read from any thread while the audio
// thread processes; the audio thread takes what changed at the start of each block (or at a
// change's frame) and never waits for another thread. suspend, resume, setSampleRate and
// loadState belong between blocks.
class OrvaneEffect
{
  public:
    static constexpr int kLatencyFrames = CompressorEngine::kLatency;
    static constexpr double kMinSampleRate = CompressorEngine::kMinSampleRate;
    static constexpr double kMaxSampleRate = CompressorEngine::kMaxSampleRate;

    // Starts on program 0, suspended, at 44100 Hz.
    explicit OrvaneEffect(std::unique_ptr<CompressorEngine> engine);
    ~OrvaneEffect();
    OrvaneEffect(const OrvaneEffect&) = delete;
    OrvaneEffect& operator=(const OrvaneEffect&) = delete;

    // Parameters 0..20, normalised. Setting one stores it in the current program, hands its
    // physical value to the engine, applies the exclusive switches and tells the listener.
    // Other indices and non-finite values are ignored.
    void setParameter(std::int32_t index, float value);
    float getParameter(std::int32_t index) const;
    // A value stored in any program, current or not; 0 outside the programs and parameters.
    float programParameter(std::int32_t program, std::int32_t index) const;
    // The values the meters read (500..506); 0 for any other index.
    float meterValue(std::int32_t which) const;
    bool isBypassed() const { return bypass.load(std::memory_order_relaxed); }

    // Programs 0..8; others are ignored (false where an answer is asked for).
    std::int32_t currentProgram() const { return program.load(std::memory_order_relaxed); }
    void setProgram(std::int32_t index);
    void setProgramName(const char* name); // the current program's, cut to 24 characters
    // Copies the name with its terminator into 25 bytes.
    void programName(char* name) const;
    bool programNameIndexed(std::int32_t index, char* name) const;
    // Writes the factory names and values into all nine programs; the current program's values
    // reach the engine at the next program change.
    void fillFactoryPresets();

    // Everything a host must save, and its restoration. A state that is not one this build
    // can read changes nothing and answers false.
    std::vector<std::uint8_t> saveState() const;
    bool loadState(const void* data, std::size_t size);

    // A rate outside 1000..768000 Hz (or not finite) is refused: the last valid one stays.
    bool setSampleRate(double rate);
    void suspend();
    void resume();
    bool isActive() const { return active.load(std::memory_order_relaxed); }

    // Two input and two output channels of `frames` frames; inputs and outputs may be the
    // same memory. Missing channels give silence where there is output to write.
    void process(const float* const* inputs, float* const* outputs, std::int32_t frames);
    void process(const double* const* inputs, double* const* outputs, std::int32_t frames);
    // The same, applying each change at its frame: the block is processed in pieces between
    // them. `changes` is in frame order; a frame behind the previous one's counts as that one,
    // a frame past the block's end applies after it.
    void process(const float* const* inputs, float* const* outputs, std::int32_t frames,
                 const ParameterChange* changes, int count);
    void process(const double* const* inputs, double* const* outputs, std::int32_t frames,
                 const ParameterChange* changes, int count);

    void setListener(ParameterListener* listener) { this->listener = listener; }

    const CompressorEngine& getEngine() const { return *engine; }

    // Tests only: called in the middle of every parameter write, on the writing thread.
    using WriteHook = void (*)(std::int32_t index);
    static void setWriteHook(WriteHook hook);

  private:
    template <typename Sample>
    void processBlock(const Sample* const* inputs, Sample* const* outputs, std::int32_t frames);
    template <typename Sample>
    void processTimed(const Sample* const* inputs, Sample* const* outputs, std::int32_t frames,
                      const ParameterChange* changes, int count);
    template <typename Sample>
    void processPiece(const Sample* const* inputs, Sample* const* outputs, std::int32_t start,
                      std::int32_t frames);
    void applyToEngine(std::int32_t index, float value);
    void applyInterlocks(std::int32_t index, float value);
    Program& current() { return programs[currentProgram()]; }
    const Program& current() const { return programs[currentProgram()]; }

    Program programs[kNumPrograms];
    std::atomic<std::int32_t> program{0};
    std::unique_ptr<CompressorEngine> engine;
    std::atomic<bool> bypass{false};
    std::atomic<bool> active{false};
    ParameterListener* listener = nullptr;

    // Published meter values: written by the audio thread, read by user interfaces.
    std::atomic<double> meterGain{1.0};
    std::atomic<double> meterLevelSlow{-100.0};
    std::atomic<double> meterLevelFast{-100.0};
};
