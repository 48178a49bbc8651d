#include "CBitmap.h"
#include "CFontDesc.h"
#include "CFrame.h"
#include "CMovieBitmap.h"
#include "COffscreenContext.h"
#include "COnOffButton.h"
#include "CParamDisplay.h"
#include "CVerticalSwitch.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

#include <cstring>

namespace
{
struct FrameRig
{
    FakeEditor editor;
    RecordingListener listener;
    CFrame frame{CRect(0, 0, 200, 200), nullptr, &editor};
    FrameRig() { editor.attach(&frame); }
    CMouseEventResult press(int x, int y, int32_t buttons = kLButton)
    {
        CPoint p(x, y);
        return frame.onMouseDown(p, buttons);
    }
    void move(int x, int y)
    {
        CPoint p(x, y);
        frame.onMouseMoved(p, kLButton);
    }
    void release(int x, int y)
    {
        CPoint p(x, y);
        frame.onMouseUp(p, 0);
    }
};

int shownFrame(CView* view, CPoint at)
{
    COffscreenContext c(nullptr, 200, 200, kBlackCColor);
    view->draw(&c);
    return stripFrameOf(c.getPixel(at.h, at.v));
}
} // namespace

TEST(OnOffButton, ShowsTheLowerHalfForAnyValueButZero)
{
    CBitmap* strip = makeStripBitmap(55, 25, 2);
    COnOffButton button(CRect(10, 10, 65, 35), nullptr, 16, strip);
    strip->forget();
    EXPECT_EQ(shownFrame(&button, CPoint(30, 20)), 0);
    button.setValue(1.f);
    EXPECT_EQ(shownFrame(&button, CPoint(30, 20)), 1);
    button.setValue(0.5f);
    EXPECT_EQ(shownFrame(&button, CPoint(30, 20)), 1);
}

TEST(OnOffButton, LeftClickTogglesInsideOneGestureAfterTheRepaint)
{
    FrameRig rig;
    CBitmap* strip = makeStripBitmap(55, 25, 2);
    auto* button = new COnOffButton(CRect(10, 10, 65, 35), &rig.listener, 16, strip);
    strip->forget();
    rig.frame.addView(button);
    button->setValue(1.f);
    rig.frame.idle();
    rig.editor.onIdle = [&]
    {
        rig.listener.events.push_back("idle");
        rig.frame.idle();
    };

    EXPECT_EQ(rig.press(20, 20), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(button->getValue(), 0.f);
    EXPECT_EQ(rig.listener.events, (std::vector<std::string>{"idle", "listener begin 16",
                                                             "changed 16", "listener end 16"}));
    EXPECT_EQ(rig.editor.events, (std::vector<std::string>{"begin 16", "end 16"}));
    // The idle pass inside the click already repainted the button off.
    EXPECT_EQ(stripFrameOf(rig.frame.getBackBuffer()->getPixel(20, 20)), 0);

    button->setStyle(kPostListenerUpdate);
    rig.listener.events.clear();
    rig.press(20, 20);
    EXPECT_EQ(button->getValue(), 1.f);
    EXPECT_EQ(rig.listener.events, (std::vector<std::string>{"listener begin 16", "changed 16",
                                                             "listener end 16", "idle"}));
}

TEST(OnOffButton, ToggleRuleAndOtherButtons)
{
    FrameRig rig;
    auto* button = new COnOffButton(CRect(0, 0, 10, 10), &rig.listener, 1, nullptr);
    rig.frame.addView(button);
    const std::pair<float, float> cases[] = {{0.7f, 1.f}, {1.5f, 0.f}, {-1.f, 0.f}, {0.f, 1.f}};
    for (auto [before, after] : cases)
    {
        button->setValue(before);
        rig.press(5, 5);
        EXPECT_EQ(button->getValue(), after) << before;
    }
    EXPECT_EQ(rig.press(5, 5, kMButton), kMouseEventNotHandled);
    EXPECT_EQ(button->getValue(), 1.f); // unchanged
}

TEST(VerticalSwitch, PositionFromTheThirdPressed)
{
    FrameRig rig;
    CBitmap* strip = makeStripBitmap(55, 71, 3);
    auto* sw = new CVerticalSwitch(CRect(19, 100, 74, 171), &rig.listener, 1, 3, 71, 3, strip);
    strip->forget();
    rig.frame.addView(sw);
    EXPECT_EQ(sw->getDefaultValue(), 0.f);
    const std::pair<int, float> cases[] = {{0, 0.f},   {23, 0.f}, {24, 0.5f},
                                           {47, 0.5f}, {48, 1.f}, {70, 1.f}};
    for (auto [dy, expected] : cases)
    {
        EXPECT_EQ(rig.press(30, 100 + dy), kMouseEventHandled);
        EXPECT_EQ(sw->getValue(), expected) << dy;
        rig.release(30, 100 + dy);
    }
    rig.press(30, 105);
    rig.move(30, 400); // dragged below: clamped
    EXPECT_EQ(sw->getValue(), 1.f);
    rig.move(30, -50);
    EXPECT_EQ(sw->getValue(), 0.f);
    rig.release(30, -50);
    EXPECT_EQ(rig.editor.events.size(), 14u); // seven gestures, each begun and ended once
    EXPECT_EQ(rig.press(30, 150, kRButton), kMouseEventNotHandled);
}

TEST(VerticalSwitch, ControlClickResetsAndFramesFollowTheValue)
{
    FrameRig rig;
    CBitmap* strip = makeStripBitmap(55, 71, 3);
    auto* sw = new CVerticalSwitch(CRect(19, 100, 74, 171), &rig.listener, 1, 3, 71, 3, strip);
    strip->forget();
    rig.frame.addView(sw);
    sw->setValue(1.f);
    rig.frame.idle();
    EXPECT_EQ(rig.press(30, 160, kLButton | kControl),
              kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(sw->getValue(), 0.f);
    EXPECT_EQ(rig.editor.events, (std::vector<std::string>{"begin 1", "end 1"}));

    const std::pair<float, int> frames[] = {{0.f, 0},   {0.24f, 0}, {0.26f, 1}, {0.5f, 1},
                                            {0.74f, 1}, {1.f, 2},   {7.f, 2},   {-3.f, 0}};
    for (auto [value, frame] : frames)
    {
        sw->setValue(value);
        EXPECT_EQ(sw->frameIndex(), frame) << value;
        EXPECT_EQ(shownFrame(sw, CPoint(40, 130)), frame) << value;
    }
}

TEST(MovieBitmap, FrameFromValueRounded)
{
    CBitmap* lamp = makeStripBitmap(12, 12, 2);
    CMovieBitmap movie(CRect(246, 154, 258, 166), nullptr, 504, lamp);
    lamp->forget();
    const std::pair<float, int> cases[] = {{0.f, 0}, {0.49f, 0}, {0.5f, 1}, {1.f, 1},
                                           {5.f, 1}, {-1.f, 0},  {NAN, 0}};
    for (auto [value, frame] : cases)
    {
        movie.setValue(value);
        EXPECT_EQ(movie.frameIndex(), frame) << value;
    }
    movie.setValue(1.f);
    COffscreenContext c(nullptr, 300, 200, kBlackCColor);
    movie.draw(&c);
    EXPECT_EQ(stripFrameOf(c.getPixel(250, 160)), 1);

    CBitmap* strip = makeStripBitmap(10, 10, 100);
    CMovieBitmap hundred(CRect(0, 0, 10, 10), nullptr, 0, strip);
    strip->forget();
    hundred.setValue(0.5f);
    EXPECT_EQ(hundred.frameIndex(), 50); // trunc(49.5 + 0.5)
    CPoint p(5, 5);
    EXPECT_EQ(hundred.onMouseDown(p, kLButton), kMouseEventNotImplemented);
}

namespace
{
void percentText(float value, char* text)
{
    std::snprintf(text, 64, "%.0f%%", value * 100);
}
void taggedText(float value, char* text, void* user)
{
    std::snprintf(text, 64, "%s %.1f", static_cast<const char*>(user), value);
}
} // namespace

TEST(ParamDisplay, TextFromTheConverterOrTwoDecimals)
{
    CParamDisplay display(CRect(0, 0, 51, 17));
    char text[CParamDisplay::kTextBufferSize];
    display.setValue(0.5f);
    display.formatValue(text);
    EXPECT_STREQ(text, "0.50");
    display.setStringConvert(percentText);
    display.formatValue(text);
    EXPECT_STREQ(text, "50%");
    char tag[] = "gain";
    display.setStringConvert(taggedText, tag);
    display.formatValue(text);
    EXPECT_STREQ(text, "gain 0.5"); // the variant with user data wins
}

TEST(ParamDisplay, BackgroundRulesAndStyleBits)
{
    auto drawn = [](CParamDisplay& d)
    {
        auto c = std::make_unique<COffscreenContext>(nullptr, 40, 20, kBlueCColor);
        d.draw(c.get());
        return c;
    };
    CParamDisplay d(CRect(5, 5, 35, 15));
    d.setBackColor(kRedCColor);
    d.setFrameColor(kGreenCColor);
    d.setStringConvert([](float, char* t) { t[0] = 0; });
    // Text transparency is on by default: the panel shows through, nothing is filled.
    EXPECT_EQ(drawn(d)->getPixel(10, 10), kBlueCColor);
    d.setTextTransparency(false);
    auto plain = drawn(d);
    EXPECT_EQ(plain->getPixel(5, 5), kGreenCColor); // outline
    EXPECT_EQ(plain->getPixel(10, 10), kRedCColor); // fill
    EXPECT_EQ(plain->getPixel(4, 4), kBlueCColor);

    d.setStyle(kNoFrame);
    EXPECT_EQ(drawn(d)->getPixel(5, 5), kRedCColor);
    d.setTransparency(true); // the view's flag: no fill at all
    EXPECT_EQ(drawn(d)->getPixel(10, 10), kBlueCColor);
    d.setTransparency(false);
    d.setStyle(kNoDrawStyle);
    EXPECT_EQ(drawn(d)->getPixel(10, 10), kBlueCColor);
    EXPECT_FALSE(d.isDirty());

    CBitmap* field = makeStripBitmap(30, 10, 1);
    CParamDisplay withImage(CRect(5, 5, 35, 15), field, 0);
    field->forget();
    withImage.setBackOffset(CPoint(0, -1));
    withImage.setStyle(kNoTextStyle);
    auto img = drawn(withImage);
    EXPECT_EQ(img->getPixel(10, 5), kBlueCColor); // offset (0, -1): one row lower
    EXPECT_EQ(stripFrameOf(img->getPixel(10, 6)), 0);
}

TEST(ParamDisplay, TextIsDrawnCentredInTheFontColourWithOptionalShadow)
{
    CParamDisplay d(CRect(0, 0, 60, 20));
    d.setTransparency(true);
    d.setFont(kNormalFontSmaller);
    d.setFontColor(kWhiteCColor);
    d.setValue(0.25f);
    COffscreenContext c(nullptr, 60, 20, kBlackCColor);
    d.draw(&c);
    int white = 0, red = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
        {
            white += c.getPixel(x, y) == kWhiteCColor;
            red += c.getPixel(x, y).red > 0 && c.getPixel(x, y).green == 0;
        }
    EXPECT_GT(white, 5);
    EXPECT_EQ(red, 0);
    d.setStyle(kShadowText);
    COffscreenContext s(nullptr, 60, 20, kBlackCColor);
    d.draw(&s);
    red = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            red += s.getPixel(x, y).red > 0 && s.getPixel(x, y).green == 0;
    EXPECT_GT(red, 0); // the red shadow shows right of and below the glyphs
}

TEST(ParamDisplay, SettersMarkDirtyOnlyOnChange)
{
    CParamDisplay d(CRect(0, 0, 10, 10));
    d.setDirty(false);
    d.setFontColor(kWhiteCColor);
    d.setHoriAlign(kCenterText);
    d.setStyle(0);
    EXPECT_FALSE(d.isDirty());
    d.setFontColor(MakeCColor(100, 100, 100));
    EXPECT_TRUE(d.isDirty());
    d.setDirty(false);
    CFontDesc* font = new CFontDesc("Arial", 10);
    d.setFont(font);
    EXPECT_TRUE(d.isDirty());
    EXPECT_EQ(font->getNbReference(), 2);
    font->forget();
    CView* copy = d.newCopy();
    EXPECT_EQ(font->getNbReference(), 2);
    copy->forget();
    EXPECT_EQ(font->getNbReference(), 1);
}
