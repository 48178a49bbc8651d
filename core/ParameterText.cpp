#include "ParameterText.h"

#include "ParameterIds.h"
#include "ParameterMapping.h"
#include "StringCopy.h"
#include "TextFormat.h"

namespace
{

const char* const kNames[kNumParams] = {"Detection",
                                        "SC Filter Type",
                                        "SC Filter Freq",
                                        "Threshold",
                                        "Knee",
                                        "Ratio",
                                        "Attack",
                                        "Release",
                                        "Release Slow",
                                        "Dry Mix",
                                        "Make Up Gain",
                                        "HF Harmonics",
                                        "LF Harmonics",
                                        "HF Harmonics Amount",
                                        "LF Harmonics Amount",
                                        "Delta",
                                        "Bypass",
                                        "SC Preview",
                                        "Meter Scale",
                                        "-",
                                        "-"};

class ValueText
{
  public:
    ValueText(char* text, std::size_t size) : text(text), size(size) {}

    void literal(const char* s) const
    {
        if (size > 0) copyString(text, s, size - 1);
    }
    void number(const char* format, double value) const { formatText(text, size, format, value); }

  private:
    char* text;
    std::size_t size;
};

void detectionText(float v, const ValueText& out)
{
    if (static_cast<double>(v) == 0.0) return out.literal("Peak");
    if (static_cast<double>(v) == 1.0) return out.literal("Dyn RMS");
    const double t = detectionTimeMs(v);
    out.number(t < 10.0 ? "RMS %3.1f%" : "RMS %3.0f%", t);
}

// The times shown for Attack and the releases are worked out entirely in single precision.
void timeText(float scale, float v, const ValueText& out)
{
    const float t = scale * (v * v * v) + 0.1f; // the cube first, as the formula reads
    out.number(t < 20.0f ? "%3.1f% ms" : "%3.0f% ms", t);
}

void ratioText(float v, const ValueText& out)
{
    if (v > 0.9f) return out.literal("8:1");
    if (v > 0.8f) return out.literal("4:1");
    const float ratio = 1.0f + v / 0.8f * 2.0f;
    out.number("%3.1f:1%", ratio);
}

void makeUpText(float v, const ValueText& out)
{
    if (v < 0.5f)
    {
        const float d = 1.0f - 2.0f * v;
        const float squared = d * d;
        return out.number("%3.1f dB%", -60.0 * static_cast<double>(squared));
    }
    out.number("%3.1f dB%", 36.0 * static_cast<double>(v) - 18.0);
}

void onOffText(float v, const ValueText& out)
{
    out.literal(v == 1.0f ? "on" : "off");
}

} // namespace

const char* parameterName(VstInt32 index)
{
    return isParameterIndex(index) ? kNames[index] : nullptr;
}

bool parameterValueText(VstInt32 index, float v, char* text, std::size_t size)
{
    if (!isParameterIndex(index) || !text || size == 0) return false;
    const ValueText out(text, size);
    const double x = v;
    switch (index)
    {
    case kDetection:
        detectionText(v, out);
        break;
    case kScFilterType:
        out.literal(v < 0.3f ? "off" : (v < 0.7f ? "3 dB/oct" : "6 dB/oct"));
        break;
    case kScFilterFreq:
        out.number("%3.0f% Hz", sideChainFrequencyHz(v));
        break;
    case kThreshold:
        out.number("%3.1f%", -50.0 * x);
        break;
    case kKnee:
        out.number("%3.1f%", 20.0 * x);
        break;
    case kRatio:
        ratioText(v, out);
        break;
    case kAttack:
        timeText(499.9f, v, out);
        break;
    case kRelease:
    case kReleaseSlow:
        timeText(1999.9f, v, out);
        break;
    case kDryMix:
        if (v > 0.0f)
            out.number("%3.1f dB%", 60.0 * x - 60.0);
        else
            out.literal("Out");
        break;
    case kMakeUpGain:
        makeUpText(v, out);
        break;
    case kHfHarmonicsAmount:
    case kLfHarmonicsAmount:
        out.number("%3.1f%%", 200.0 * x);
        break;
    case kHfHarmonics:
    case kLfHarmonics:
    case kDelta:
    case kBypass:
    case kScPreview:
        onOffText(v, out);
        break;
    case kMeterScale:
        out.literal(v < 0.25f ? "6 dB" : (v < 0.5f ? "12 dB" : (v >= 0.75f ? "48 dB" : "24 dB")));
        break;
    default:
        out.literal("-");
        break;
    }
    return true;
}
