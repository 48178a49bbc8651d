// ofc-picture-diff EXPECTED.png ACTUAL.png [--outside-tolerance N] [--ink-ratio R]
//                  [--text-mean-difference D]
// Compares two pictures of the editor drawn by different back ends (cairo on Linux, GDI+ on
// Windows). Outside the text fields every channel must agree within N (default 0). Inside them
// the renderers' anti-aliasing differs, so the text is bounded instead: in every field the
// amount of ink may differ by at most the ratio R (default 1.5), and the mean channel
// difference over all text-field pixels may be at most D (default 12). Prints what it measured;
// exits 0 when all bounds hold, 1 when one does not, 2 on bad arguments or unreadable files.

#include "EditorPictures.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace
{
struct Bounds
{
    int outsideTolerance = 0;
    double inkRatio = 1.5;
    double textMeanDifference = 12.0;
};

bool parse(int argc, char** argv, Bounds& bounds)
{
    for (int i = 3; i < argc; i += 2)
    {
        if (i + 1 >= argc) return false;
        const char* value = argv[i + 1];
        if (std::strcmp(argv[i], "--outside-tolerance") == 0)
            bounds.outsideTolerance = std::atoi(value);
        else if (std::strcmp(argv[i], "--ink-ratio") == 0)
            bounds.inkRatio = std::atof(value);
        else if (std::strcmp(argv[i], "--text-mean-difference") == 0)
            bounds.textMeanDifference = std::atof(value);
        else
            return false;
    }
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    Bounds bounds;
    if (argc < 3 || !parse(argc, argv, bounds))
    {
        std::fprintf(stderr, "usage: ofc-picture-diff EXPECTED.png ACTUAL.png [--outside-tolerance "
                             "N] [--ink-ratio R] [--text-mean-difference D]\n");
        return 2;
    }
    auto expected = loadPicture(argv[1]);
    auto actual = loadPicture(argv[2]);
    if (!expected || !actual)
    {
        std::fprintf(stderr, "ofc-picture-diff: cannot read %s\n", expected ? argv[2] : argv[1]);
        return 2;
    }
    const PixelImage& e = *expected->getImage();
    const PixelImage& a = *actual->getImage();
    if (e.getWidth() != a.getWidth() || e.getHeight() != a.getHeight())
    {
        std::printf("sizes differ: %dx%d and %dx%d\n", e.getWidth(), e.getHeight(), a.getWidth(),
                    a.getHeight());
        return 1;
    }

    int outsideDiffering = 0, outsideMax = 0, textPixels = 0, textDiffering = 0, textMax = 0;
    CRect outsideArea(e.getWidth(), e.getHeight(), 0, 0); // where the outside differences lie
    double textSum = 0;
    for (int y = 0; y < e.getHeight(); ++y)
        for (int x = 0; x < e.getWidth(); ++x)
        {
            const int d = channelDifference(e.colorAt(x, y), a.colorAt(x, y));
            if (!inEditorTextField(x, y))
            {
                if (d > bounds.outsideTolerance)
                {
                    ++outsideDiffering;
                    outsideArea = CRect(std::min(outsideArea.left, x), std::min(outsideArea.top, y),
                                        std::max(outsideArea.right, x + 1),
                                        std::max(outsideArea.bottom, y + 1));
                }
                outsideMax = std::max(outsideMax, d);
                continue;
            }
            ++textPixels;
            textDiffering += d > 0 ? 1 : 0;
            textMax = std::max(textMax, d);
            textSum += d;
        }
    const double textMean = textPixels ? textSum / textPixels : 0.0;
    std::printf("outside text: %d pixels differ by more than %d (largest channel difference %d)\n",
                outsideDiffering, bounds.outsideTolerance, outsideMax);
    if (outsideDiffering > 0)
        std::printf("  within (%d,%d,%d,%d)\n", outsideArea.left, outsideArea.top,
                    outsideArea.right, outsideArea.bottom);
    std::printf("text fields: %d of %d pixels differ, largest %d, mean %.2f\n", textDiffering,
                textPixels, textMax, textMean);

    bool ok = outsideDiffering == 0 && textMean <= bounds.textMeanDifference;
    double worstRatio = 1.0;
    for (const CRect& field : kEditorTextFields)
    {
        const int inkE = inkIn(e, field), inkA = inkIn(a, field);
        const double ratio = (std::max(inkE, inkA) + 1.0) / (std::min(inkE, inkA) + 1.0);
        worstRatio = std::max(worstRatio, ratio);
        if (ratio > bounds.inkRatio)
        {
            std::printf("  field (%d,%d,%d,%d): ink %d against %d\n", field.left, field.top,
                        field.right, field.bottom, inkA, inkE);
            ok = false;
        }
    }
    std::printf("text ink: largest ratio between the pictures %.3f (bound %.3f)\n", worstRatio,
                bounds.inkRatio);
    return ok ? 0 : 1;
}
