#include "CDefaultSplashScreenView.h"
#include "CTextSplash.h"
#include "EditorTestSupport.h"
#include "platform/headless/HeadlessWindow.h"

#include <string>
#include <vector>

namespace
{

struct Splash : EditorFixture
{
    Splash() { open(); }
    CTextSplash* splash() { return dynamic_cast<CTextSplash*>(control(2)); }
    const std::vector<std::string>& openedUrls()
    {
        return dynamic_cast<HeadlessWindow*>(frame()->getPlatformWindow())->getOpenedUrls();
    }
    CMouseEventResult press(int x, int y, int32_t buttons = kLButton)
    {
        CPoint where(x, y);
        return frame()->onMouseDown(where, buttons);
    }
};

TEST_F(Splash, LeftClickOnTheVersionTextShowsThePanel)
{
    press(640, 10, kRButton);
    EXPECT_EQ(frame()->getModalView(), nullptr);
    EXPECT_EQ(splash()->getValue(), 0.0f);

    EXPECT_EQ(press(640, 10), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(frame()->getModalView(), splash()->getPanel());
    EXPECT_EQ(splash()->getValue(), 1.0f);
    EXPECT_EQ(splash()->getPanel()->getViewSize(), CRect(374, 44, 574, 194));
    EXPECT_TRUE(hostCalls().empty()); // the editor ignores tag 777

    // While the panel is modal the version text no longer gets clicks; a click on the panel
    // outside the link line closes it.
    press(640, 10);
    EXPECT_EQ(frame()->getModalView(), splash()->getPanel());
    EXPECT_EQ(splash()->getValue(), 1.0f);
    EXPECT_EQ(press(400, 150), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(frame()->getModalView(), nullptr);
    EXPECT_EQ(splash()->getValue(), 0.0f);
}

TEST_F(Splash, TheLinkLineOpensThePageAndKeepsThePanel)
{
    press(600, 5);
    EXPECT_EQ(press(450, 87), kMouseEventNotHandled);
    ASSERT_EQ(openedUrls().size(), 1u);
    EXPECT_EQ(openedUrls()[0],
              "http://www.quenmoor.com/orvane-feedback-compressor?checkversion=1.0.0");
    EXPECT_NE(frame()->getModalView(), nullptr);

    // The bounds are strict: the first column and the row above the line close the panel.
    press(374, 87);
    EXPECT_EQ(frame()->getModalView(), nullptr);
    press(600, 5);
    press(450, 82);
    EXPECT_EQ(frame()->getModalView(), nullptr);
    press(600, 5);
    press(513, 92); // last column and row of the line
    EXPECT_EQ(openedUrls().size(), 2u);
    press(450, 93);
    EXPECT_EQ(frame()->getModalView(), nullptr);
}

TEST_F(Splash, APanelRefusedByTheFrameLeavesTheValueSet)
{
    CDefaultSplashScreenView* other =
        new CDefaultSplashScreenView(CRect(0, 0, 10, 10), nullptr, nullptr, CPoint(0, 0));
    ASSERT_TRUE(frame()->setModalView(other));
    other->forget();
    CPoint where(600, 5);
    splash()->onMouseDown(where, kLButton);
    EXPECT_EQ(splash()->getValue(), 1.0f);
    EXPECT_EQ(frame()->getModalView(), other);
    splash()->onMouseDown(where, kLButton);
    EXPECT_EQ(splash()->getValue(), 0.0f);
    frame()->setModalView(nullptr);
}

TEST_F(Splash, ClosingTheEditorWithThePanelUp)
{
    press(600, 5);
    editor->close();
    EXPECT_EQ(frame(), nullptr);
    open();
    EXPECT_EQ(frame()->getModalView(), nullptr);
    EXPECT_EQ(splash()->getValue(), 0.0f);
}

TEST_F(Splash, HitTestNeedsTheLeftButtonAndIncludesTheEdges)
{
    EXPECT_TRUE(splash()->hitTest(CPoint(574, 3), kLButton));
    EXPECT_TRUE(splash()->hitTest(CPoint(724, 18), kLButton));
    EXPECT_FALSE(splash()->hitTest(CPoint(600, 10), kRButton));
    EXPECT_FALSE(splash()->hitTest(CPoint(573, 10), kLButton));
}

} // namespace
