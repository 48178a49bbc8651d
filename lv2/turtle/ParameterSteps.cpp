#include "ParameterSteps.h"

#include "ParameterText.h"

#include <cmath>

namespace
{
constexpr int kGrid = 1000;     // the texts are read at 0, 0.001, ..., 1
constexpr size_t kMaxSteps = 8; // more texts than this: a continuous range

struct Run
{
    int first, last; // grid steps
    std::string text;
};

std::string textAt(VstInt32 index, int step)
{
    char text[64] = {};
    parameterValueText(index, static_cast<float>(step) / kGrid, text, sizeof text);
    return text;
}

// Runs of equal texts over the grid; empty if a text comes back after another, or there are
// too many to be positions.
std::vector<Run> textRuns(VstInt32 index)
{
    std::vector<Run> runs;
    for (int step = 0; step <= kGrid; ++step)
    {
        const std::string text = textAt(index, step);
        if (!runs.empty() && runs.back().text == text)
        {
            runs.back().last = step;
            continue;
        }
        for (const Run& run : runs)
            if (run.text == text) return {};
        if (runs.size() == kMaxSteps) return {};
        runs.push_back({step, step, text});
    }
    return runs;
}
} // namespace

ParameterSteps parameterSteps(VstInt32 index)
{
    ParameterSteps steps;
    const std::vector<Run> runs = textRuns(index);
    if (runs.size() < 2) return steps;
    if (runs.size() == 2 && runs[1].first == kGrid)
    {
        steps.toggled = true;
        return steps;
    }
    for (size_t i = 0; i < runs.size(); ++i)
    {
        const Run& run = runs[i];
        int step = 0;
        if (i + 1 == runs.size())
            step = kGrid;
        else if (i > 0)
            step = (run.first + runs[i + 1].first) / 2;
        steps.positions.push_back({static_cast<float>(step) / kGrid, run.text});
    }
    return steps;
}
