#pragma once

#include "CRect.h"
#include "EditorLayout.h"
#include "drawing/CBitmap.h"
#include "drawing/PixelImage.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

// Reading and measuring pictures of the editor, for the tests that compare them.

// The editor's fields whose pixels depend on the text renderer and the fonts installed: the
// version line (up to the window's edge), the twelve value texts, the meter scale labels and the
// wet/dry labels in the transfer display.
inline constexpr CRect textField(const Box& b)
{
    return CRect(b.l, b.t, b.r, b.b);
}
inline constexpr CRect kEditorTextFields[] = {
    {layout::kVersion.l, layout::kVersion.t, layout::kWidth, layout::kVersion.b},
    textField(layout::kDetection),
    textField(layout::kLfAmount),
    textField(layout::kHfAmount),
    textField(layout::kThreshold.display),
    textField(layout::kKnee.display),
    textField(layout::kRatio.display),
    textField(layout::kMakeUp.display),
    textField(layout::kAttack.display),
    textField(layout::kRelease.display),
    textField(layout::kReleaseSlow.display),
    textField(layout::kDryMix.display),
    textField(layout::kScFilterFreq.display),
    {522, 52, 538, 187},
    {401, 172, 504, 186},
};

inline bool inEditorTextField(int x, int y)
{
    for (const CRect& r : kEditorTextFields)
        if (r.pointInside(CPoint(x, y))) return true;
    return false;
}

// Null when the file is missing or not a PNG.
inline std::unique_ptr<CBitmap> loadPicture(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> data((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    auto bitmap = std::make_unique<CBitmap>(data.data(), data.size());
    return bitmap->isLoaded() ? std::move(bitmap) : nullptr;
}

// The largest difference of one channel.
inline int channelDifference(CColor a, CColor b)
{
    return std::max({std::abs(a.red - b.red), std::abs(a.green - b.green),
                     std::abs(a.blue - b.blue), std::abs(a.alpha - b.alpha)});
}

// Light pixels in r: the value texts are light on dark fields.
inline int inkIn(const PixelImage& image, const CRect& r)
{
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
        {
            const CColor c = image.colorAt(x, y);
            count += (c.red + c.green + c.blue > 240) ? 1 : 0;
        }
    return count;
}
