#include "ArtworkSet.h"

#include "ButtonPainter.h"
#include "KnobPainter.h"
#include "Palette.h"
#include "PanelPainter.h"
#include "SmallPainters.h"

#include <initializer_list>

const ImageSpec kImageSpecs[16] = {
    {201, 690, 270}, {202, 70, 7000}, {203, 51, 17}, {204, 49, 19}, {205, 55, 100}, {206, 55, 76},
    {207, 55, 50},   {208, 55, 50},   {209, 55, 50}, {210, 55, 50}, {211, 55, 100}, {212, 55, 213},
    {213, 30, 50},   {214, 200, 154}, {215, 12, 24}, {216, 12, 24},
};

namespace
{
void paintButton(Canvas& c, std::initializer_list<const char*> lines, bool ledBar = false)
{
    button::paintTwoState(c, lines.begin(), static_cast<int>(lines.size()), ledBar);
}
} // namespace

ArtworkSet paintArtwork()
{
    ArtworkSet set;
    for (const ImageSpec& image : kImageSpecs)
        set[image.id] = std::make_unique<Canvas>(image.width, image.height);

    panel::paint(*set[201]);
    knob::paintStrip(*set[202]);
    small::paintValueField(*set[203]);
    small::paintValueField(*set[204]);
    paintButton(*set[205], {"BYPASS"}, true);
    paintButton(*set[206], {"AUTO", "MAKEUP"}, true);
    paintButton(*set[207], {"HI COLOR"});
    paintButton(*set[208], {"LO COLOR"});
    paintButton(*set[209], {"DELTA"});
    paintButton(*set[210], {"SC PREV"});
    paintButton(*set[211], {"ABOVE /", "BELOW"}, true);
    const char* const filterTypes[] = {"OFF", "3dB HP", "6dB HP"};
    button::paintSelector(*set[212], filterTypes, 3);
    paintButton(*set[213], {"A"});
    small::paintAbout(*set[214]);
    small::paintLamp(*set[215], *set[201], layout::kFastLamp, palette::kLitBlue);
    small::paintLamp(*set[216], *set[201], layout::kSlowLamp, palette::kLitRed);
    return set;
}
