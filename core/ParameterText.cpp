#include "ParameterText.h"

#include "ParameterMapping.h"
#include "ParameterTable.h"
#include "RatioSteps.h"
#include "StringCopy.h"
#include "TextFormat.h"

namespace
{

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

// The times shown for Attack and the releases are worked out entirely in single precision.
void timeText(float scale, float v, const ValueText& out)
{
    const float t = scale * (v * v * v) + 0.1f; // the cube first, as the formula reads
    out.number(t < 20.0f ? "%3.1f% ms" : "%3.0f% ms", t);
}

} // namespace

namespace hostText
{

void detection(float v, char* text, std::size_t size)
{
    const ValueText out(text, size);
    if (static_cast<double>(v) == 0.0) return out.literal("Peak");
    if (static_cast<double>(v) == 1.0) return out.literal("Dyn RMS");
    const double t = detectionTimeMs(v);
    out.number(t < 10.0 ? "RMS %3.1f%" : "RMS %3.0f%", t);
}

void filterType(float v, char* text, std::size_t size)
{
    ValueText(text, size).literal(v < 0.3f ? "off" : (v < 0.7f ? "3 dB/oct" : "6 dB/oct"));
}

void frequency(float v, char* text, std::size_t size)
{
    ValueText(text, size).number("%3.0f% Hz", sideChainFrequencyHz(v));
}

void threshold(float v, char* text, std::size_t size)
{
    ValueText(text, size).number("%3.1f%", -50.0 * static_cast<double>(v));
}

void knee(float v, char* text, std::size_t size)
{
    ValueText(text, size).number("%3.1f%", 20.0 * static_cast<double>(v));
}

void ratio(float v, char* text, std::size_t size)
{
    const ValueText out(text, size);
    if (v > ratioSteps::kEightAboveF) return out.literal("8:1");
    if (v > ratioSteps::kContinuousUpToF) return out.literal("4:1");
    const float shown = 1.0f + v / ratioSteps::kContinuousUpToF * 2.0f;
    out.number("%3.1f:1%", shown);
}

void attack(float v, char* text, std::size_t size)
{
    timeText(499.9f, v, ValueText(text, size));
}

void release(float v, char* text, std::size_t size)
{
    timeText(1999.9f, v, ValueText(text, size));
}

void dryMix(float v, char* text, std::size_t size)
{
    const ValueText out(text, size);
    if (v > 0.0f)
        out.number("%3.1f dB%", 60.0 * static_cast<double>(v) - 60.0);
    else
        out.literal("Out");
}

void makeUp(float v, char* text, std::size_t size)
{
    const ValueText out(text, size);
    if (v < 0.5f)
    {
        const float d = 1.0f - 2.0f * v;
        const float squared = d * d;
        return out.number("%3.1f dB%", -60.0 * static_cast<double>(squared));
    }
    out.number("%3.1f dB%", 36.0 * static_cast<double>(v) - 18.0);
}

void amount(float v, char* text, std::size_t size)
{
    ValueText(text, size).number("%3.1f%%", 200.0 * static_cast<double>(v));
}

void onOff(float v, char* text, std::size_t size)
{
    ValueText(text, size).literal(v == 1.0f ? "on" : "off");
}

void meterScale(float v, char* text, std::size_t size)
{
    ValueText(text, size)
        .literal(v < 0.25f ? "6 dB" : (v < 0.5f ? "12 dB" : (v >= 0.75f ? "48 dB" : "24 dB")));
}

void unused(float, char* text, std::size_t size)
{
    ValueText(text, size).literal("-");
}

} // namespace hostText

const char* parameterName(std::int32_t index)
{
    return isParameterIndex(index) ? kParameterTable[index].name : nullptr;
}

bool parameterValueText(std::int32_t index, float v, char* text, std::size_t size)
{
    if (!isParameterIndex(index) || !text || size == 0) return false;
    kParameterTable[index].hostText(v, text, size);
    return true;
}
