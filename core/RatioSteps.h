#pragma once

// "Ratio" rises continuously from 1:1 to 3:1 over 0..0.8 of its range, then steps: 4:1 above
// 0.8, 8:1 above 0.9. The engine, the host's texts, the editor's text and the transfer display
// each compare in their own precision, but all against these two bounds.
namespace ratioSteps
{
constexpr double kContinuousUpTo = 0.8; // and the value at which the continuous part reads 3:1
constexpr double kEightAbove = 0.9;
// The same bounds as a host's single-precision value reads them.
constexpr float kContinuousUpToF = static_cast<float>(kContinuousUpTo);
constexpr float kEightAboveF = static_cast<float>(kEightAbove);
} // namespace ratioSteps
