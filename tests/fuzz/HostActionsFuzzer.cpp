// libFuzzer target: one effect driven by a sequence of host actions (HostActions.h). Beside
// what the sanitizers catch, it aborts when a parameter does not read back what was set, or
// when output or meters stay non-finite longer than the recovery bound after input that the
// output format can carry.

#include "HostActions.h"
#include "VstInterface.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

extern "C" AEffect* VSTPluginMain(audioMasterCallback audioMaster);

namespace
{

constexpr long kRecoveryFrames = 400;
constexpr long kMaxFramesPerInput = 1 << 13;
// Beyond this (600 dB over full scale) even the make-up gain can carry a sample past what a
// 32-bit output can hold; such input counts as bad input, like NaN.
constexpr double kLargestOrdinary = 1e30;

VstIntPtr VSTCALLBACK host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

[[noreturn]] void fault(const char* what, long detail)
{
    std::fprintf(stderr, "FUZZ FAULT: %s (%ld)\n", what, detail);
    std::abort();
}

// What the interface lets the effect write through the pointer; the fuzzer's buffer is never
// smaller. Parameter names get what hosts give in practice: they are longer than 8 characters.
std::size_t answerSize(VstInt32 opcode)
{
    switch (opcode)
    {
    case effGetParamLabel:
    case effGetParamDisplay:
        return kVstMaxParamStrLen + 1;
    case effGetProgramName:
    case effGetProgramNameIndexed:
        return kVstMaxProgNameLen + 1;
    case effGetParamName:
    case effGetEffectName:
        return kVstMaxEffectNameLen;
    case effGetVendorString:
    case effGetProductString:
    case effShellGetNextPlugin:
        return kVstMaxVendorStrLen;
    case effGetInputProperties:
    case effGetOutputProperties:
        return sizeof(VstPinProperties);
    case effEditGetRect:
    case effGetChunk:
    case effGetSpeakerArrangement:
        return sizeof(void*);
    default:
        return 1;
    }
}

class Session
{
  public:
    Session() { create(); }
    ~Session() { e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f); }
    void dispatch(ActionReader& in);
    void setParameter(ActionReader& in);
    void getParameter(ActionReader& in);
    void process(ActionReader& in);

  private:
    void create()
    {
        e = VSTPluginMain(host);
        if (!e) fault("no effect", 0);
        sinceBad = 1L << 40;
    }
    void fill(ActionReader& in, int frames, std::uint8_t flags);
    void check(int frames);

    AEffect* e = nullptr;
    long sinceBad = 0, framesSoFar = 0;
    std::vector<double> in[2], out[2];
};

void Session::dispatch(ActionReader& in)
{
    const VstInt32 opcode = VstInt32(in.read<std::uint8_t>() % 88) - 4;
    const auto index = in.read<std::int32_t>();
    VstIntPtr value = in.read<std::int32_t>();
    const auto pointer = in.read<std::uint8_t>(), fillByte = in.read<std::uint8_t>();
    const auto opt = in.read<float>();
    std::vector<char> buffer(std::max<std::size_t>(4u * pointer, answerSize(opcode)),
                             char(fillByte));
    buffer.back() = 0;
    void* ptr = pointer ? buffer.data() : nullptr;
    void* arrangement = nullptr;
    if (opcode == effGetSpeakerArrangement) value = reinterpret_cast<VstIntPtr>(&arrangement);
    if (opcode == effClose) // the host lets this effect go and makes a new one
    {
        e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
        return create();
    }
    e->dispatcher(e, opcode, index, value, ptr, opt);
}

void Session::setParameter(ActionReader& in)
{
    const auto index = in.read<std::int32_t>();
    const auto value = in.read<float>();
    const float before = e->getParameter(e, index);
    e->setParameter(e, index, value);
    if (index < 0 || index >= e->numParams) return;
    const float expected = std::isfinite(value) ? value : before;
    if (!(e->getParameter(e, index) == expected)) fault("parameter does not read back", index);
}

void Session::getParameter(ActionReader& in)
{
    const auto index = in.read<std::int32_t>();
    const float value = e->getParameter(e, index);
    if (index >= 0 && index < e->numParams && !std::isfinite(value))
        fault("non-finite parameter", index);
}

void Session::fill(ActionReader& reader, int frames, std::uint8_t flags)
{
    const auto shape = reader.read<std::uint8_t>();
    const double level = reader.read<float>(), burst = reader.read<float>();
    const int start = reader.read<std::uint16_t>(), length = reader.read<std::uint16_t>();
    std::uint32_t noise = 1;
    for (int i = 0; i < frames; ++i)
    {
        noise = noise * 1664525u + 1013904223u;
        const double x = shape % 4 == 0   ? 0.0
                         : shape % 4 == 1 ? std::sin(0.03 * i)
                         : shape % 4 == 2 ? (i / 50 % 2 ? 1.0 : -1.0)
                                          : double(std::int32_t(noise)) / 2147483648.0;
        in[0][i] = level * x;
        in[1][i] = -level * x;
        if (i >= start && i < start + length)
            for (int c = 0; c < 2; ++c)
                if (flags & (4 << c)) in[c][i] = burst;
    }
}

void Session::process(ActionReader& reader)
{
    int frames = reader.read<std::uint16_t>() % 8193;
    const auto flags = reader.read<std::uint8_t>();
    if ((framesSoFar += frames) > kMaxFramesPerInput) frames = 0; // keeps each run short
    for (int c = 0; c < 2; ++c)
        in[c].resize(frames), out[c].resize(frames);
    fill(reader, frames, flags);
    const bool inPlace = flags & 2;
    if (flags & 1)
    {
        std::vector<double> io[2] = {in[0], in[1]};
        double* ins[] = {io[0].data(), io[1].data()};
        double* outs[] = {out[0].data(), out[1].data()};
        e->processDoubleReplacing(e, ins, inPlace ? ins : outs, frames);
        if (inPlace) out[0] = io[0], out[1] = io[1];
    }
    else
    {
        std::vector<float> fi[2], fo[2];
        for (int c = 0; c < 2; ++c)
            fi[c].assign(in[c].begin(), in[c].end()), fo[c].resize(frames);
        float* ins[] = {fi[0].data(), fi[1].data()};
        float* outs[] = {fo[0].data(), fo[1].data()};
        e->processReplacing(e, ins, inPlace ? ins : outs, frames);
        for (int c = 0; c < 2; ++c)
            out[c].assign(inPlace ? fi[c].begin() : fo[c].begin(),
                          inPlace ? fi[c].end() : fo[c].end());
    }
    check(frames);
}

void Session::check(int frames)
{
    auto ordinary = [](double x) { return std::isfinite(x) && std::fabs(x) <= kLargestOrdinary; };
    for (int i = 0; i < frames; ++i)
    {
        // 32-bit processing sees the input rounded to float, which can overflow on its own.
        const bool bad = !ordinary(float(in[0][i])) || !ordinary(float(in[1][i]));
        sinceBad = bad ? 0 : sinceBad + 1;
        if (sinceBad > kRecoveryFrames && !(std::isfinite(out[0][i]) && std::isfinite(out[1][i])))
            fault("non-finite output after finite input returned, frames since", sinceBad);
    }
    if (frames == 0 || sinceBad <= kRecoveryFrames) return;
    for (VstInt32 meter = 501; meter <= 503; ++meter)
        if (!std::isfinite(e->getParameter(e, meter))) fault("non-finite meter value", meter);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    unsetenv("DISPLAY"); // the editor opens without a window
    // One instance with its editor open for the whole run, as in a session with several: the
    // decoded images stay shared instead of being decoded again for every input.
    static AEffect* const anchor = VSTPluginMain(host);
    static int window;
    anchor->dispatcher(anchor, effEditOpen, 0, 0, &window, 0.0f);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ActionReader in(data, size);
    Session session;
    while (in.more())
    {
        switch (in.read<std::uint8_t>() % 4)
        {
        case 0:
            session.dispatch(in);
            break;
        case 1:
            session.setParameter(in);
            break;
        case 2:
            session.getParameter(in);
            break;
        default:
            session.process(in);
            break;
        }
    }
    return 0;
}
