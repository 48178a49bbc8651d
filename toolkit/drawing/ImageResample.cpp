#include "ImageResample.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
// For one grid pixel: which source pixels it covers and by how much.
struct Span
{
    int32_t first = 0;
    std::vector<double> weights; // sum to 1
};

// The spans of the grid pixels [from, to) when `count` grid pixels cover `sourceLength` pixels.
std::vector<Span> spans(int32_t sourceLength, int32_t count, int32_t from, int32_t to)
{
    const double step = static_cast<double>(sourceLength) / count;
    std::vector<Span> result;
    result.reserve(static_cast<std::size_t>(std::max(0, to - from)));
    for (int32_t i = from; i < to; ++i)
    {
        const double a = i * step, b = (i + 1) * step;
        Span span;
        span.first = static_cast<int32_t>(std::floor(a));
        const auto last = std::min(sourceLength - 1, static_cast<int32_t>(std::ceil(b)) - 1);
        for (int32_t s = span.first; s <= last; ++s)
        {
            const double covered = std::min(b, s + 1.0) - std::max(a, double(s));
            span.weights.push_back(std::max(0.0, covered) / step);
        }
        result.push_back(std::move(span));
    }
    return result;
}

void addPixel(double* sum, uint32_t pixel, double weight)
{
    for (int c = 0; c < 4; ++c)
        sum[c] += weight * ((pixel >> (8 * c)) & 0xffu);
}

uint32_t packPixel(const double* sum)
{
    uint32_t pixel = 0;
    for (int c = 0; c < 4; ++c)
        pixel |= static_cast<uint32_t>(std::clamp(std::lround(sum[c]), 0L, 255L)) << (8 * c);
    return pixel;
}
} // namespace

PixelImage resampleArea(const PixelImage& image, const CRect& source, int32_t destWidth,
                        int32_t destHeight, const CRect& part)
{
    CRect src = source;
    src.bound(CRect(0, 0, image.getWidth(), image.getHeight()));
    CRect within = part;
    within.bound(CRect(0, 0, destWidth, destHeight));
    if (src != source || within.isEmpty() || destWidth <= 0 || destHeight <= 0) return {};

    const std::vector<Span> columns = spans(src.width(), destWidth, within.left, within.right);
    const std::vector<Span> rows = spans(src.height(), destHeight, within.top, within.bottom);
    const int32_t outWidth = within.width();
    PixelImage out(outWidth, within.height());
    // Horizontal pass on the source rows that are needed, then the vertical one.
    const int32_t firstRow = rows.front().first;
    const int32_t lastRow = rows.back().first + static_cast<int32_t>(rows.back().weights.size());
    std::vector<double> across(static_cast<std::size_t>(lastRow - firstRow) * outWidth * 4);
    for (int32_t y = firstRow; y < lastRow; ++y)
    {
        const uint32_t* in =
            image.data() + static_cast<std::size_t>(src.top + y) * image.getWidth() + src.left;
        double* line = &across[static_cast<std::size_t>(y - firstRow) * outWidth * 4];
        for (int32_t x = 0; x < outWidth; ++x)
        {
            const Span& span = columns[static_cast<std::size_t>(x)];
            for (std::size_t k = 0; k < span.weights.size(); ++k)
                addPixel(line + x * 4, in[span.first + static_cast<int32_t>(k)], span.weights[k]);
        }
    }
    for (int32_t y = 0; y < within.height(); ++y)
    {
        const Span& span = rows[static_cast<std::size_t>(y)];
        uint32_t* outRow = out.data() + static_cast<std::size_t>(y) * outWidth;
        for (int32_t x = 0; x < outWidth; ++x)
        {
            double sum[4] = {0, 0, 0, 0};
            for (std::size_t k = 0; k < span.weights.size(); ++k)
            {
                const double* v =
                    &across[(static_cast<std::size_t>(span.first - firstRow) + k) * outWidth * 4 +
                            static_cast<std::size_t>(x) * 4];
                for (int c = 0; c < 4; ++c)
                    sum[c] += span.weights[k] * v[c];
            }
            outRow[x] = packPixel(sum);
        }
    }
    return out;
}
