// The mixer-strip picture and the host's enable switch, through a lilv host of our own.
#include "InlineHost.h"

#include "CRect.h"
#include "drawing/PixelImage.h"
#include "drawing/PngCodec.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace
{
using Signal = InlineHost::Signal;

PixelImage picture(Look look, Signal signal, int width, int maxHeight)
{
    InlineHost host(OFC_LV2_BUNDLE);
    EXPECT_EQ(host.error(), "");
    applyLook(host, look);
    host.play(signal, 1.6);
    const ardourlv2::ImageSurface* s = host.render(width, maxHeight);
    return s ? surfaceImage(*s) : PixelImage();
}

// Pixels of a w x h region that differ between two pictures by more than 16 in any channel.
int differing(const PixelImage& a, const PixelImage& b, const CRect& r)
{
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
        {
            const CColor p = a.colorAt(x, y), q = b.colorAt(x, y);
            if (std::abs(p.red - q.red) > 16 || std::abs(p.green - q.green) > 16 ||
                std::abs(p.blue - q.blue) > 16 || std::abs(p.alpha - q.alpha) > 16)
                ++count;
        }
    return count;
}

TEST(Lv2InlineDisplay, SurfaceFitsEverySizeAskedFor)
{
    InlineHost host(OFC_LV2_BUNDLE);
    ASSERT_EQ(host.error(), "");
    ASSERT_TRUE(host.hasInlineDisplay());
    host.play(Signal::Loud, 0.2);
    const std::uint32_t heights[] = {16, 40, 80, 1000};
    for (std::uint32_t width : {24u, 40u, 64u, 100u, 150u, 217u, 300u, 5000u})
        for (std::uint32_t maxHeight : heights)
        {
            SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(maxHeight));
            const ardourlv2::ImageSurface* s = host.render(width, maxHeight);
            ASSERT_NE(s, nullptr);
            EXPECT_GT(s->width, 0);
            EXPECT_LE(s->width, static_cast<int>(width));
            EXPECT_GT(s->height, 0);
            EXPECT_LE(s->height, static_cast<int>(maxHeight));
            EXPECT_GE(s->stride, s->width * 4);
            const PixelImage image = surfaceImage(*s);
            EXPECT_EQ(image.colorAt(s->width / 2, s->height / 2).alpha, 255);
        }
    // No room for a picture: no surface, and nothing breaks.
    EXPECT_EQ(host.render(10, 300), nullptr);
    EXPECT_EQ(host.render(300, 8), nullptr);
    EXPECT_EQ(host.render(0, 0), nullptr);
}

// The curve's square is on the left, the bar and scale on the right third of a 200 px picture.
TEST(Lv2InlineDisplay, PicturesDifferWhereTheyShould)
{
    const PixelImage gentle = picture(Look::Gentle, Signal::Loud, 200, 200);
    const PixelImage firm = picture(Look::Firm, Signal::Loud, 200, 200);
    const PixelImage quiet = picture(Look::Firm, Signal::Quiet, 200, 200);
    const PixelImage bypass = picture(Look::Bypass, Signal::Loud, 200, 200);
    ASSERT_FALSE(firm.isEmpty());
    const int side = firm.getHeight(), w = firm.getWidth();
    const CRect curve(0, 0, side, side), right(side + 1, 0, w, side);
    struct Case
    {
        const char* what;
        const PixelImage& a;
        const PixelImage& b;
        CRect region;
        int atLeast, atMost;
    };
    const Case cases[] = {
        {"another setting moves the curve", gentle, firm, curve, 100, side * side},
        {"a loud input lights the bar, a quiet one not", firm, quiet, right, 200, w * side},
        {"the point moves along the same curve", firm, quiet, curve, 4, 200},
        {"bypassed, the picture steps back", firm, bypass, CRect(0, 0, w, side), 2000, w * side},
    };
    for (const Case& c : cases)
    {
        const int n = differing(c.a, c.b, c.region);
        EXPECT_GE(n, c.atLeast) << c.what;
        EXPECT_LE(n, c.atMost) << c.what;
    }
}

// Golden pictures, written by OFC_UPDATE_GOLDEN=1 and looked at before committing. A pixel
// counts as changed when a channel moves by more than 16 of 255; up to 0.5 % may (the font's
// rasteriser may round an edge differently).
TEST(Lv2InlineDisplay, PicturesMatchTheGoldenOnes)
{
    struct Case
    {
        const char* name;
        Look look;
        Signal signal;
        int width, maxHeight;
    };
    const Case cases[] = {
        {"gentle-loud-300", Look::Gentle, Signal::Loud, 300, 300},
        {"firm-loud-100", Look::Firm, Signal::Loud, 100, 100},
        {"firm-quiet-160", Look::Firm, Signal::Quiet, 160, 120},
        {"bypass-loud-48", Look::Bypass, Signal::Loud, 48, 60},
    };
    const bool update = std::getenv("OFC_UPDATE_GOLDEN") != nullptr;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const PixelImage got = picture(c.look, c.signal, c.width, c.maxHeight);
        const std::string path = std::string(OFC_INLINE_GOLDEN_DIR) + "/" + c.name + ".png";
        if (update)
        {
            ASSERT_TRUE(encodePng(got, path.c_str()));
        }
        std::ifstream file(path, std::ios::binary);
        const std::string data((std::istreambuf_iterator<char>(file)), {});
        PixelImage golden;
        ASSERT_TRUE(
            decodePng(reinterpret_cast<const unsigned char*>(data.data()), data.size(), golden));
        ASSERT_EQ(got.getWidth(), golden.getWidth());
        ASSERT_EQ(got.getHeight(), golden.getHeight());
        const int n = differing(got, golden, CRect(0, 0, got.getWidth(), got.getHeight()));
        EXPECT_LE(n, got.getWidth() * got.getHeight() / 200);
    }
}

// At most 30 requests a second on a long run whose meters move all the time; none while
// nothing changes; one when a setting moves the curve.
TEST(Lv2InlineDisplay, QueueDrawOnlyForVisibleChangesAndAtMostThirtyASecond)
{
    InlineHost busy(OFC_LV2_BUNDLE);
    applyLook(busy, Look::Firm);
    busy.render(300, 300);
    busy.play(Signal::Bursts, 20.0);
    EXPECT_LE(busy.queueDraws(), 20 * 30 + 1);
    EXPECT_GE(busy.queueDraws(), 40); // every burst's start and end moves the bar

    // Once the detector has settled after activation (its level falls from the first block's
    // reading to its floor, below the picture's left edge), silence changes nothing.
    InlineHost idle(OFC_LV2_BUNDLE);
    idle.render(100, 100);
    idle.play(Signal::Silence, 1.0);
    idle.resetQueueDraws();
    idle.play(Signal::Silence, 10.0);
    EXPECT_EQ(idle.queueDraws(), 0);
    idle.set("threshold", 0.5f);
    idle.play(Signal::Silence, 1.0);
    EXPECT_EQ(idle.queueDraws(), 1);
}

// Ardour's bypass button: the output is the input 151 frames late while the switch is off, and
// the compressor is back when it is on again.
TEST(Lv2InlineDisplay, HostEnableSwitchBypassesWithTheLatency)
{
    InlineHost host(OFC_LV2_BUNDLE);
    applyLook(host, Look::Firm);
    host.play(Signal::Loud, 0.5);
    host.set("enable", 0.0f);
    std::vector<float> in, out;
    for (int b = 0; b < 40; ++b)
    {
        host.runBlock(Signal::Loud);
        in.insert(in.end(), host.input(0).begin(), host.input(0).end());
        out.insert(out.end(), host.output(0).begin(), host.output(0).end());
    }
    // After the switch, the delay line holds the bypassed input from the first block on.
    double worst = 0.0;
    for (std::size_t i = 4096; i < in.size(); ++i)
        worst = std::max(worst, static_cast<double>(std::abs(out[i] - in[i - 151])));
    EXPECT_LT(worst, 1e-6);
    host.set("enable", 1.0f);
    host.play(Signal::Loud, 0.5);
    double peak = 0.0;
    for (float v : host.output(0))
        peak = std::max(peak, static_cast<double>(std::abs(v)));
    EXPECT_LT(peak, 0.3); // -6 dBFS in, compressed 8:1 above -30 dB
}
} // namespace
