#pragma once

#include "CFrame.h"
#include "COffscreenContext.h"
#include "ProbeView.h"
#include "platform/PlatformWindow.h"

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

// A frame of the editor's size with two probe views, in a host window or headless.
struct ProbedFrame
{
    static constexpr int kWidth = 690;
    static constexpr int kHeight = 270;

    explicit ProbedFrame(void* parent)
    {
        frame = new CFrame(CRect(0, 0, kWidth, kHeight), parent, nullptr);
        left = new ProbeView(CRect(10, 10, 200, 120), CColor{200, 30, 40, 255});
        right = new ProbeView(CRect(300, 100, 500, 250), CColor{20, 60, 220, 255});
        frame->addView(left);
        frame->addView(right);
    }
    ~ProbedFrame() { close(); }
    ProbedFrame(const ProbedFrame&) = delete;
    ProbedFrame& operator=(const ProbedFrame&) = delete;

    void close()
    {
        if (frame) frame->forget();
        frame = nullptr;
    }
    void idle() { frame->idle(); }
    Window window() const
    {
        return static_cast<Window>(
            reinterpret_cast<uintptr_t>(frame->getPlatformWindow()->getNativeHandle()));
    }
    // The back buffer as 0xRRGGBB (the frame paints opaque pixels).
    std::vector<uint32_t> backBufferRgb() const
    {
        std::vector<uint32_t> rgb;
        const COffscreenContext* buffer = frame->getBackBuffer();
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
            {
                const CColor c = buffer->getPixel(x, y);
                rgb.push_back((uint32_t(c.red) << 16) | (uint32_t(c.green) << 8) | c.blue);
            }
        return rgb;
    }

    CFrame* frame = nullptr;
    ProbeView* left = nullptr;
    ProbeView* right = nullptr;
};

inline int countDifferentPixels(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    if (a.size() != b.size()) return -1;
    int different = 0;
    for (size_t i = 0; i < a.size(); ++i)
        different += a[i] != b[i];
    return different;
}
