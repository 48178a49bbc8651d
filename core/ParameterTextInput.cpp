#include "ParameterTextInput.h"

#include "ParameterTable.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <utility>

namespace
{
constexpr std::size_t kTextSize = 64;
// Halvings of 0..1 in the search: beyond float's resolution of the range.
constexpr int kSearchSteps = 40;

std::string hostTextOf(std::int32_t index, float v)
{
    char text[kTextSize] = {};
    kParameterTable[index].hostText(v, text, sizeof text);
    return text;
}

// Lower case without spaces: "6 dB/oct", "6db/OCT" and " 6 dB/oct " are one name.
std::string folded(const std::string& text)
{
    std::string out;
    for (const char c : text)
        if (!std::isspace(static_cast<unsigned char>(c)))
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The first number in a text ("RMS 12" gives 12, "2.0:1" gives 2); NaN if there is none.
double firstNumber(const std::string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        const char c = text[i];
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '-' && c != '+' && c != '.')
            continue;
        char* end = nullptr;
        const double number = std::strtod(text.c_str() + i, &end);
        if (end != text.c_str() + i && std::isfinite(number)) return number;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

// The positions a named value can be at: a list's entries, a switch's two ends, and the ends of
// a continuous range (where "Out" and "Peak" are shown).
bool matchName(std::int32_t index, const std::string& wanted, float& value)
{
    const ParameterInfo& row = kParameterTable[index];
    auto matches = [&](float v) { return folded(hostTextOf(index, v)) == wanted; };
    if (row.kind == ParameterKind::List)
    {
        for (int e = 0; e < row.entryCount; ++e)
            if (matches(row.entries[e].value)) return value = row.entries[e].value, true;
        return false;
    }
    for (const float v : {0.0f, 1.0f})
        if (matches(v)) return value = v, true;
    return false;
}

// The texts' numbers rise (or fall) with the value; a text without a number ("Out", "Peak",
// "Dyn RMS") stands for the end it is shown at.
bool findNumber(std::int32_t index, const std::string& text, double wanted, float& value)
{
    auto shown = [&](double v) { return firstNumber(hostTextOf(index, static_cast<float>(v))); };
    const double lowerMiddle = shown(0.25), upperMiddle = shown(0.75);
    if (std::isnan(lowerMiddle) || std::isnan(upperMiddle)) return false;
    const double sign = upperMiddle >= lowerMiddle ? 1.0 : -1.0;
    constexpr double kEnd = std::numeric_limits<double>::infinity();
    auto rank = [&](double v)
    {
        const double n = shown(v);
        return std::isnan(n) ? (v < 0.5 ? -kEnd : kEnd) : sign * n;
    };
    const double target = sign * wanted;
    // The values first showing at least the number, and first showing more than it.
    auto boundary = [&](bool beyond)
    {
        auto past = [&](double v) { return beyond ? rank(v) > target : rank(v) >= target; };
        double low = 0.0, high = 1.0;
        if (past(low)) return std::make_pair(low, low);
        if (!past(high)) return std::make_pair(high, high);
        for (int step = 0; step < kSearchSteps; ++step)
        {
            const double mid = 0.5 * (low + high);
            (past(mid) ? high : low) = mid;
        }
        return std::make_pair(low, high);
    };
    const auto [below, first] = boundary(false);
    // One number may be shown in two ways ("RMS 10.0" and "RMS  10", "-0.0 dB" and "0.0 dB"):
    // the first and the last value showing it tell them apart.
    const double last = boundary(true).first;
    const std::string lastShown = folded(hostTextOf(index, static_cast<float>(last)));
    if (rank(first) == target && lastShown == folded(text))
        return value = static_cast<float>(last), true;
    // Otherwise the value whose shown number is nearer; the first to show it on a tie.
    const bool belowNearer = target - rank(below) < rank(first) - target;
    value = static_cast<float>(belowNearer ? below : first);
    return true;
}
} // namespace

bool parameterValueFromText(std::int32_t index, const char* text, float& value)
{
    if (!isParameterIndex(index) || !text) return false;
    const std::string wanted = folded(text);
    if (wanted.empty()) return false;
    if (matchName(index, wanted, value)) return true;
    if (kParameterTable[index].kind != ParameterKind::Continuous) return false;
    const double number = firstNumber(text);
    return !std::isnan(number) && findNumber(index, text, number, value);
}
