#include "ArtworkSet.h"

#include "ButtonPainter.h"
#include "EditorLayout.h"
#include "ImageIds.h"
#include "KnobPainter.h"
#include "Palette.h"
#include "PanelPainter.h"
#include "SmallPainters.h"

#include <initializer_list>

using namespace image;

constexpr ImageSpec kImageSpecs[kImageCount] = {
    {kBackground, layout::kWidth, layout::kHeight},
    {kKnobStrip, 70, 7000},
    {kValueField, 51, 17},
    {kTextKnobField, 49, 19},
    {kBypass, 55, 100},
    {kAutoMakeUp, 55, 76},
    {kHiColor, 55, 50},
    {kLoColor, 55, 50},
    {kDelta, 55, 50},
    {kScPreview, 55, 50},
    {kAboveBelow, 55, 100},
    {kScFilterSelector, 55, 213},
    {kAButton, 30, 50},
    {kAboutPanel, 200, 154},
    {kFastLamp, 12, 24},
    {kSlowLamp, 12, 24},
};

namespace
{
// An id ImageIds.h gains without a size here would be painted as nothing, 0 by 0 pixels.
constexpr bool everyImageInOrder()
{
    for (int i = 0; i < kImageCount; ++i)
        if (kImageSpecs[i].id != kFirst + i || kImageSpecs[i].width <= 0) return false;
    return true;
}
static_assert(everyImageInOrder(), "kImageSpecs must size every image of ImageIds.h, in id order");
} // namespace

namespace
{
void paintButton(Canvas& c, std::initializer_list<const char*> lines, bool ledBar = false)
{
    button::paintTwoState(c, lines.begin(), static_cast<int>(lines.size()), ledBar);
}
} // namespace

ArtworkSet paintArtwork(int scale)
{
    ArtworkSet set;
    for (const ImageSpec& image : kImageSpecs)
        set[image.id] = std::make_unique<Canvas>(image.width, image.height, scale);

    panel::paint(*set[kBackground]);
    knob::paintStrip(*set[kKnobStrip]);
    small::paintValueField(*set[kValueField]);
    small::paintValueField(*set[kTextKnobField]);
    paintButton(*set[kBypass], {"BYPASS"}, true);
    paintButton(*set[kAutoMakeUp], {"AUTO", "MAKEUP"}, true);
    paintButton(*set[kHiColor], {"HI COLOR"});
    paintButton(*set[kLoColor], {"LO COLOR"});
    paintButton(*set[kDelta], {"DELTA"});
    paintButton(*set[kScPreview], {"SC PREV"});
    paintButton(*set[kAboveBelow], {"ABOVE /", "BELOW"}, true);
    const char* const filterTypes[] = {"OFF", "3dB HP", "6dB HP"};
    button::paintSelector(*set[kScFilterSelector], filterTypes, 3);
    paintButton(*set[kAButton], {"A"});
    small::paintAbout(*set[kAboutPanel]);
    small::paintLamp(*set[kFastLamp], *set[kBackground], layout::kFastLamp, palette::kLitBlue);
    small::paintLamp(*set[kSlowLamp], *set[kBackground], layout::kSlowLamp, palette::kLitRed);
    return set;
}
