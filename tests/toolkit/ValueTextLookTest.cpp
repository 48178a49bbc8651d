#include "ValueTextLook.h"
#include "CBitmap.h"
#include "COffscreenContext.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
struct LookRig
{
    CControl owner{CRect(5, 5, 45, 25)};
    ValueTextLook look{owner, 0};
    COffscreenContext context{nullptr, 50, 30, kBlueCColor};
    ValueTextLook::Backdrop nothing{nullptr, CPoint(), false, false, false};

    LookRig()
    {
        look.setBackColor(kRedCColor);
        look.setFrameColor(kGreenCColor);
    }
    void draw(const ValueTextLook::Backdrop& backdrop, const char* text)
    {
        look.drawText(&context, owner.getViewSize(), backdrop, text);
    }
};
} // namespace

TEST(ValueTextLook, BevelIsOnePixelWideWhateverLineWidthWasLeftBehind)
{
    LookRig rig;
    rig.context.setLineWidth(4); // as an earlier drawer may leave it
    rig.look.setStyle(k3DIn);
    rig.draw(rig.nothing, "");
    EXPECT_EQ(rig.context.getPixel(5, 15), kGreenCColor); // left edge: frame colour
    EXPECT_EQ(rig.context.getPixel(20, 5), kGreenCColor); // top edge
    EXPECT_EQ(rig.context.getPixel(44, 15), kRedCColor);  // right edge: back colour
    EXPECT_EQ(rig.context.getPixel(20, 24), kRedCColor);  // bottom edge
    EXPECT_EQ(rig.context.getPixel(6, 15), kBlueCColor);  // one pixel only, and no fill
    EXPECT_EQ(rig.context.getPixel(43, 15), kBlueCColor);

    rig.look.setStyle(k3DOut); // raised: the colours change sides
    rig.draw(rig.nothing, "");
    EXPECT_EQ(rig.context.getPixel(5, 15), kRedCColor);
    EXPECT_EQ(rig.context.getPixel(44, 15), kGreenCColor);
}

TEST(ValueTextLook, OpaqueTextFillsBehindItOverTheImageAndTheClipComesBack)
{
    LookRig rig;
    CBitmap* image = makeStripBitmap(40, 20, 1);
    const CRect clip(0, 0, 30, 30);
    rig.context.setClipRect(clip);
    rig.draw({image, CPoint(), false, false, false}, "12");
    EXPECT_EQ(stripFrameOf(rig.context.getPixel(6, 6)), 0); // image, no fill
    EXPECT_EQ(rig.context.getClipRect(), clip);

    rig.draw({image, CPoint(), false, false, true}, "12");
    EXPECT_EQ(rig.context.getPixel(6, 6), kRedCColor);   // back colour behind the text
    EXPECT_EQ(rig.context.getPixel(35, 6), kBlueCColor); // outside the clip: untouched
    EXPECT_EQ(rig.context.getClipRect(), clip);
    image->forget();
}

TEST(ValueTextLook, ConversionsAreCutToTheBufferAndTheOwnerRedrawsOnChange)
{
    LookRig rig;
    rig.look.setStringConvert([](float, char* text) { std::memset(text, 'x', 256); });
    char text[ValueTextLook::kTextBufferSize];
    rig.look.formatValue(0.f, text);
    EXPECT_EQ(std::strlen(text), 255u);

    rig.owner.setDirty(false);
    rig.look.setStyle(0);
    rig.look.setBackColor(kRedCColor);
    EXPECT_FALSE(rig.owner.isDirty());
    rig.look.setHoriAlign(kLeftText);
    EXPECT_TRUE(rig.owner.isDirty());
}
