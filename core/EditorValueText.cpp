#include "EditorValueText.h"

#include "IdentityTexts.h"
#include "ParameterMapping.h"
#include "RatioSteps.h"
#include "TextFormat.h"

#include <cmath>
#include <cstring>

namespace
{

void put(char* text, const char* format, double value)
{
    formatText(text, kValueTextCapacity, format, value);
}

void putLiteral(char* text, const char* literal)
{
    std::strcpy(text, literal);
}

// Times are formed from the cube in single precision and then widened; the text switches
// from tenths to whole milliseconds at 10 ms.
void putMilliseconds(char* text, double ms)
{
    put(text, ms < 10.0 ? "%3.1f ms%" : "%3.0f ms%", ms);
}

float cube(float v)
{
    return v * v * v;
}

} // namespace

static_assert(sizeof identity::kVersionLabel.text <= kValueTextCapacity,
              "the version must fit the editor's value text");

void versionText(float, char* text)
{
    putLiteral(text, identity::kVersionLabel.text);
}

void thresholdText(float value, char* text)
{
    const double v = value;
    if (v == 0.0)
        putLiteral(text, "0 dB");
    else
        put(text, "%3.0f dB%", -50.0 * v);
}

void kneeText(float value, char* text)
{
    put(text, "%3.0f dB%", 20.0 * double(value));
}

void ratioText(float value, char* text)
{
    const double v = value;
    if (v > ratioSteps::kEightAbove)
        putLiteral(text, "8:1");
    else if (v > ratioSteps::kContinuousUpTo)
        putLiteral(text, "4:1");
    else
        put(text, "%3.1f:1%", 1.0 + 2.0 * v / ratioSteps::kContinuousUpTo);
}

void attackText(float value, char* text)
{
    putMilliseconds(text, 499.9 * double(cube(value)) + 0.1);
}

void releaseText(float value, char* text)
{
    const double ms = 1999.9 * double(cube(value)) + 0.1;
    if (ms < 1000.0)
        putMilliseconds(text, ms);
    else
        put(text, "%3.1f s%", ms / 1000.0);
}

void makeUpText(float value, char* text)
{
    const double v = value;
    if (v < 0.5)
    {
        const float distance = 1.0f - 2.0f * value;
        const float squared = distance * distance;
        put(text, "%3.1f dB%", -60.0 * double(squared));
    }
    else
    {
        put(text, "%3.1f dB%", 36.0 * v - 18.0);
    }
}

void dryMixText(float value, char* text)
{
    const double v = value;
    if (v <= 0.0)
        putLiteral(text, "Out");
    else
        put(text, "%3.1f dB%", 60.0 * v - 60.0);
}

void scFilterFreqText(float value, char* text)
{
    put(text, "%3.0f Hz%", double(logScale(value, 30.0f, 300.0f)));
}

void detectionText(float value, char* text)
{
    const double v = value;
    if (v == 0.0)
    {
        putLiteral(text, "Peak");
        return;
    }
    if (v == 1.0)
    {
        putLiteral(text, "Dyn RMS");
        return;
    }
    const double ms = 58.0 * double(value * value) + 2.0;
    // One decimal would print 9.95 and above as "10.0"; from there whole numbers are shown.
    put(text, ms < 9.95 ? "RMS %3.1f%" : "RMS %3.0f%", ms);
}

void harmonicsAmountText(float value, char* text)
{
    put(text, "%3.0f%%", 200.0 * double(value));
}

double transferMakeUpDb(double n)
{
    if (n < 0.5) return (1.0 - 2.0 * n) * (1.0 - 2.0 * n) * -60.0;
    return n * 24.0 - 12.0;
}
