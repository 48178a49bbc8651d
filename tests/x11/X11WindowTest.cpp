// The toolkit's X11 window driven as a host drives it: a frame opened in a parent window on a
// private X server, real input through XTest, and the pixels read back from the server.

#include <gtest/gtest.h> // before the X headers, whose None and Bool macros clash

#include "FrameTestSupport.h"
#include "X11TestFixture.h"

#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace
{
class X11WindowTest : public X11TestFixture
{
  protected:
    void pump(ProbedFrame& probed, int ms = 60)
    {
        pumpIdle([&] { probed.idle(); }, ms);
    }
};

using EventProc = void (*)(XEvent*);

// The routine a host finds in the window's _XEventProc property: 32-bit items, low half first.
EventProc readEventProc(Display* display, Window window)
{
    const Atom atom = XInternAtom(display, "_XEventProc", True);
    if (atom == None) return nullptr;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, atom, 0, 2, False, AnyPropertyType, &type, &format,
                           &count, &remaining, &data) != Success ||
        !data)
        return nullptr;
    uintptr_t address = 0;
    const auto* items = reinterpret_cast<const long*>(data);
    if (format == 32 && count >= 1) address = static_cast<uintptr_t>(items[0]) & 0xffffffffu;
    if (format == 32 && count >= 2 && sizeof(uintptr_t) > 4)
        address |= (static_cast<uint64_t>(items[1]) & 0xffffffffu) << 32;
    XFree(data);
    return reinterpret_cast<EventProc>(address);
}

XEvent buttonEvent(Window window, int type, unsigned button, int x, int y, unsigned state = 0)
{
    XEvent event{};
    event.xbutton.type = type;
    event.xbutton.window = window;
    event.xbutton.button = button;
    event.xbutton.x = x;
    event.xbutton.y = y;
    event.xbutton.state = state;
    static Time fakeTime = 1000;
    event.xbutton.time = fakeTime += 1000;
    return event;
}
} // namespace

TEST_F(X11WindowTest, OpensAMappedChildOfTheEditorSizeInsideTheHostWindow)
{
    ProbedFrame probed(parentHandle());
    ASSERT_FALSE(probed.frame->getPlatformWindow()->isHeadless());
    const Window child = probed.window();
    ASSERT_NE(child, 0u);
    host->sync();
    const std::vector<Window> children = host->children(parent);
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(children[0], child);
    int width = 0, height = 0;
    ASSERT_TRUE(host->windowSize(child, width, height));
    EXPECT_EQ(width, 690);
    EXPECT_EQ(height, 270);
    EXPECT_TRUE(host->isViewable(child));
    EXPECT_GE(probed.frame->getDoubleClickTime(), 250u);

    probed.close();
    host->sync();
    EXPECT_TRUE(host->children(parent).empty());
}

TEST_F(X11WindowTest, ShowsExactlyWhatTheFrameDrew)
{
    ProbedFrame probed(parentHandle());
    pump(probed);
    host->sync();
    const auto shown = host->capture(probed.window(), ProbedFrame::kWidth, ProbedFrame::kHeight);
    const auto drawn = probed.backBufferRgb();
    EXPECT_EQ(countDifferentPixels(shown, drawn), 0);
    EXPECT_EQ(shown[15 * ProbedFrame::kWidth + 15], 0xc81e28u);   // the left probe
    EXPECT_EQ(shown[150 * ProbedFrame::kWidth + 350], 0x143cdcu); // the right probe

    // A changed view reaches the screen at the next idle pass.
    probed.left->colour = CColor{10, 200, 10, 255};
    probed.left->setDirty(true);
    pump(probed, 40);
    host->sync();
    const auto after = host->capture(probed.window(), ProbedFrame::kWidth, ProbedFrame::kHeight);
    EXPECT_EQ(after[15 * ProbedFrame::kWidth + 15], 0x0ac80au);
    EXPECT_EQ(countDifferentPixels(after, probed.backBufferRgb()), 0);
}

TEST_F(X11WindowTest, PaintsAgainWhatAnotherWindowUncovered)
{
    ProbedFrame probed(parentHandle());
    pump(probed);
    const int draws = probed.left->draws;
    // A white window over the editor's top left corner, then gone again.
    const Window cover = host->createWindow(kParentX, kParentY, 300, 150, 0xffffff);
    host->sync();
    host->destroyWindow(cover);
    const auto uncovered =
        host->capture(probed.window(), ProbedFrame::kWidth, ProbedFrame::kHeight);
    // Our window has no background, so the server leaves the cover's pixels until we paint.
    ASSERT_EQ(uncovered[15 * ProbedFrame::kWidth + 15], 0xffffffu);
    pump(probed);
    host->sync();
    const auto repainted =
        host->capture(probed.window(), ProbedFrame::kWidth, ProbedFrame::kHeight);
    EXPECT_EQ(countDifferentPixels(repainted, probed.backBufferRgb()), 0);
    EXPECT_GT(probed.left->draws, draws);
}

TEST_F(X11WindowTest, DeliversButtonsAndModifiersAsToolkitBits)
{
    ProbedFrame probed(parentHandle());
    pump(probed);
    const Window child = probed.window();

    host->moveTo(child, 50, 40);
    host->buttonDown(1);
    host->moveTo(child, 60, 45);
    host->buttonUp(1);
    pump(probed);
    ASSERT_EQ(probed.left->presses.size(), 1u);
    EXPECT_EQ(probed.left->presses[0].where, CPoint(50, 40));
    EXPECT_EQ(probed.left->presses[0].buttons, kLButton);
    ASSERT_FALSE(probed.left->moves.empty());
    EXPECT_EQ(probed.left->moves.back().where, CPoint(60, 45));
    EXPECT_EQ(probed.left->moves.back().buttons, kLButton);
    ASSERT_EQ(probed.left->releases.size(), 1u);
    EXPECT_EQ(probed.left->releases[0].where, CPoint(60, 45));
    EXPECT_EQ(probed.left->releases[0].buttons & kLButton, kLButton);

    host->keyDown(XK_Shift_L);
    host->keyDown(XK_Control_L);
    host->keyDown(XK_Alt_L);
    host->moveTo(child, 400, 200);
    host->buttonDown(2);
    host->buttonUp(2);
    host->keyUp(XK_Alt_L);
    host->keyUp(XK_Control_L);
    host->moveTo(child, 410, 200);
    host->buttonDown(3);
    host->buttonUp(3);
    host->keyUp(XK_Shift_L);
    pump(probed);
    ASSERT_EQ(probed.right->presses.size(), 2u);
    EXPECT_EQ(probed.right->presses[0].buttons, kMButton | kShift | kControl | kAlt);
    EXPECT_EQ(probed.right->presses[1].buttons, kRButton | kShift);
    EXPECT_EQ(probed.left->presses.size(), 1u);
}

TEST_F(X11WindowTest, KeepsDeliveringToThePressedViewOutsideTheWindow)
{
    ProbedFrame probed(parentHandle());
    pump(probed);
    const Window child = probed.window();
    host->moveTo(child, 100, 60);
    host->buttonDown(1);
    // Left of the window and below it: beyond the parent window too. Moves that queue up
    // between two idle calls arrive as the newest one only, so idle after each.
    host->moveTo(child, -80, 350);
    pump(probed, 20);
    host->moveTo(child, 900, 500);
    pump(probed, 20);
    host->buttonUp(1);
    pump(probed);
    ASSERT_EQ(probed.left->presses.size(), 1u);
    ASSERT_GE(probed.left->moves.size(), 2u);
    EXPECT_EQ(probed.left->moves[probed.left->moves.size() - 2].where, CPoint(-80, 350));
    EXPECT_EQ(probed.left->moves.back().where, CPoint(900, 500));
    ASSERT_EQ(probed.left->releases.size(), 1u);
    EXPECT_EQ(probed.left->releases[0].where, CPoint(900, 500));
    EXPECT_TRUE(probed.right->moves.empty());

    // Without a button held, moves reach nobody.
    host->moveTo(child, 110, 70);
    pump(probed);
    EXPECT_EQ(probed.left->moves.back().where, CPoint(900, 500));
}

TEST_F(X11WindowTest, TurnsWheelButtonsIntoNotchesAndIgnoresTheHorizontalWheel)
{
    ProbedFrame probed(parentHandle());
    pump(probed);
    const Window child = probed.window();
    host->moveTo(child, 350, 150);
    host->buttonDown(4);
    host->buttonUp(4);
    host->buttonDown(5);
    host->buttonUp(5);
    host->buttonDown(6);
    host->buttonUp(6);
    host->buttonDown(7);
    host->buttonUp(7);
    host->keyDown(XK_Shift_L);
    host->buttonDown(4);
    host->buttonUp(4);
    host->keyUp(XK_Shift_L);
    pump(probed);
    ASSERT_EQ(probed.right->wheels.size(), 3u);
    EXPECT_EQ(probed.right->wheels[0].distance, 1.0f);
    EXPECT_EQ(probed.right->wheels[0].buttons, 0);
    EXPECT_EQ(probed.right->wheels[1].distance, -1.0f);
    EXPECT_EQ(probed.right->wheels[2].distance, 1.0f);
    EXPECT_EQ(probed.right->wheels[2].buttons, kShift);
    EXPECT_EQ(probed.right->wheels[0].where, CPoint(350, 150));
    EXPECT_TRUE(probed.right->presses.empty());
}

TEST_F(X11WindowTest, MarksTheSecondOfTwoQuickClicksAsADoubleClick)
{
    ProbedFrame probed(parentHandle());
    pump(probed);
    const Window child = probed.window();
    host->click(child, 50, 50);
    host->click(child, 51, 50);
    pump(probed);
    std::this_thread::sleep_for(
        std::chrono::milliseconds(probed.frame->getDoubleClickTime() + 100));
    host->click(child, 51, 50);
    host->click(child, 80, 80); // quick, but too far away
    pump(probed);
    ASSERT_EQ(probed.left->presses.size(), 4u);
    EXPECT_EQ(probed.left->presses[0].buttons, kLButton);
    EXPECT_EQ(probed.left->presses[1].buttons, kLButton | kDoubleClick);
    EXPECT_EQ(probed.left->presses[2].buttons, kLButton);
    EXPECT_EQ(probed.left->presses[3].buttons, kLButton);
}

TEST_F(X11WindowTest, DeliversKeysToTheFocusViewWithVirtualKeyNumbers)
{
    ProbedFrame probed(parentHandle());
    probed.frame->setFocusView(probed.left);
    pump(probed);
    // The test server has no window manager: keys go to the window under the pointer.
    host->moveTo(probed.window(), 20, 20);
    const unsigned long keys[] = {XK_Left, XK_Up, XK_Right, XK_Down, XK_a};
    for (unsigned long key : keys)
    {
        host->keyDown(key);
        host->keyUp(key);
    }
    host->keyDown(XK_Shift_L);
    host->keyDown(XK_a);
    host->keyUp(XK_a);
    host->keyUp(XK_Shift_L);
    pump(probed);
    auto& down = probed.left->keysDown;
    // The shift key itself counts as a key (virtual key 54).
    ASSERT_EQ(down.size(), 7u);
    EXPECT_EQ(down[0].virt, 11);
    EXPECT_EQ(down[1].virt, 12);
    EXPECT_EQ(down[2].virt, 13);
    EXPECT_EQ(down[3].virt, 14);
    EXPECT_EQ(down[0].character, 0);
    EXPECT_EQ(down[4].virt, 0);
    EXPECT_EQ(down[4].character, 'a');
    EXPECT_EQ(down[5].virt, 54);
    EXPECT_EQ(down[6].character, 'A');
    EXPECT_EQ(down[6].modifier, kKeyModShift);
    EXPECT_EQ(probed.left->keysUp.size(), 7u);
}

TEST_F(X11WindowTest, PublishesAnEventRoutineThatHostsCanCallWithTheirOwnEvents)
{
    ProbedFrame probed(parentHandle());
    pump(probed);
    const Window child = probed.window();
    const EventProc proc = readEventProc(host->get(), child);
    ASSERT_NE(proc, nullptr);

    XEvent press = buttonEvent(child, ButtonPress, 1, 120, 90, 0);
    press.xany.display = host->get();
    proc(&press);
    XEvent release = buttonEvent(child, ButtonRelease, 1, 121, 91, Button1Mask);
    release.xany.display = host->get();
    proc(&release);
    ASSERT_EQ(probed.left->presses.size(), 1u);
    EXPECT_EQ(probed.left->presses[0].where, CPoint(120, 90));
    ASSERT_EQ(probed.left->releases.size(), 1u);

    // Events for windows that are not ours are left alone, and a null event is harmless.
    XEvent foreign = buttonEvent(parent, ButtonPress, 1, 120, 90, 0);
    proc(&foreign);
    proc(nullptr);
    EXPECT_EQ(probed.left->presses.size(), 1u);

    // The same event arriving twice (from the host and on our own connection) counts once.
    XEvent twice = buttonEvent(child, ButtonPress, 1, 130, 90, 0);
    proc(&twice);
    proc(&twice);
    EXPECT_EQ(probed.left->presses.size(), 2u);
}

TEST_F(X11WindowTest, HandlesEventsThatArriveWhileAHandlerRunsAfterIt)
{
    ProbedFrame probed(parentHandle());
    pump(probed);
    const Window child = probed.window();
    const EventProc proc = readEventProc(host->get(), child);
    ASSERT_NE(proc, nullptr);
    std::vector<std::string> order;
    bool nested = false;
    probed.left->onPress = [&]
    {
        order.push_back("press " + std::to_string(probed.left->presses.back().where.h));
        if (nested) return;
        nested = true;
        // What a control does during a gesture: idle work, which must not pump again...
        probed.frame->doIdleStuff();
        // ...and a host delivering another event from inside our handler.
        XEvent inner = buttonEvent(child, ButtonPress, 1, 20, 20, 0);
        proc(&inner);
        order.push_back("handler done");
    };
    host->click(child, 30, 30);
    pump(probed);
    const std::vector<std::string> expected = {"press 30", "handler done", "press 20"};
    EXPECT_EQ(order, expected);
}

TEST_F(X11WindowTest, SurvivesTheHostDestroyingItsWindowFirst)
{
    auto probed = std::make_unique<ProbedFrame>(parentHandle());
    pump(*probed);
    host->destroyWindow(parent);
    // Repaint requests and idle calls after the window died, then the close.
    probed->left->setDirty(true);
    pump(*probed);
    probed.reset();

    // Nothing broke: a new editor in a new window works.
    parent = host->createWindow(kParentX, kParentY, kParentWidth, kParentHeight);
    ProbedFrame again(parentHandle());
    pump(again);
    host->click(again.window(), 40, 40);
    pump(again);
    EXPECT_EQ(again.left->presses.size(), 1u);
}

TEST_F(X11WindowTest, ClosingWithoutAnyIdleCallAfterTheHostWindowWentIsSafe)
{
    auto probed = std::make_unique<ProbedFrame>(parentHandle());
    host->destroyWindow(parent);
    probed.reset();
    SUCCEED();
}

TEST_F(X11WindowTest, TwoEditorsAtOnceKeepTheirInputAndPixelsApart)
{
    const Window secondParent = host->createWindow(100, 480, 700, 280, 0x102030);
    ProbedFrame first(parentHandle());
    ProbedFrame second(reinterpret_cast<void*>(static_cast<uintptr_t>(secondParent)));
    second.right->colour = CColor{240, 240, 0, 255};
    auto idleBoth = [&]
    {
        first.idle();
        second.idle();
    };
    pumpIdle(idleBoth, 60);
    host->click(first.window(), 50, 50);
    host->click(second.window(), 350, 150);
    host->click(second.window(), 351, 150);
    pumpIdle(idleBoth, 60);
    EXPECT_EQ(first.left->presses.size(), 1u);
    EXPECT_EQ(first.right->presses.size(), 0u);
    EXPECT_EQ(second.left->presses.size(), 0u);
    EXPECT_EQ(second.right->presses.size(), 2u);

    host->sync();
    const int w = ProbedFrame::kWidth, h = ProbedFrame::kHeight;
    EXPECT_EQ(countDifferentPixels(host->capture(first.window(), w, h), first.backBufferRgb()), 0);
    EXPECT_EQ(countDifferentPixels(host->capture(second.window(), w, h), second.backBufferRgb()),
              0);

    // Closing one leaves the other working.
    first.close();
    host->click(second.window(), 352, 150);
    pumpIdle([&] { second.idle(); }, 60);
    EXPECT_EQ(second.right->presses.size(), 3u);
}

TEST_F(X11WindowTest, AParentThatIsNoWindowGivesAHeadlessFrameInsteadOfEndingTheHost)
{
    // An id of a resource that does not exist on the server.
    ProbedFrame probed(reinterpret_cast<void*>(uintptr_t{0x3fffff0}));
    EXPECT_TRUE(probed.frame->getPlatformWindow()->isHeadless());
    probed.idle();
    EXPECT_GT(probed.left->draws, 0);
}

TEST_F(X11WindowTest, OpensWebAddressesThroughTheDesktopOpenerOnly)
{
    char dir[] = "/tmp/ofc-xdg-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string opener = std::string(dir) + "/xdg-open";
    const std::string record = std::string(dir) + "/opened";
    {
        std::ofstream script(opener);
        script << "#!/bin/sh\nprintf '%s' \"$1\" > " << record << ".tmp && mv " << record << ".tmp "
               << record << "\n";
    }
    ASSERT_EQ(chmod(opener.c_str(), 0755), 0);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (std::string(dir) + ":" + oldPath).c_str(), 1);

    ProbedFrame probed(parentHandle());
    EXPECT_FALSE(probed.frame->openUrl("file:///etc/passwd"));
    EXPECT_FALSE(probed.frame->openUrl("javascript:alert(1)"));
    EXPECT_FALSE(probed.frame->openUrl(""));
    const char* url = "http://example.invalid/page?check=1.0.0&x='y' $(z)";
    EXPECT_TRUE(probed.frame->openUrl(url));
    std::string opened;
    for (int i = 0; i < 200 && opened.empty(); ++i)
    {
        std::ifstream in(record);
        std::getline(in, opened);
        if (opened.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_EQ(opened, url);
    std::remove(record.c_str());
    std::remove(opener.c_str());
    rmdir(dir);
}

TEST_F(X11WindowTest, ConvertsToTheScreensPixelFormatWhereItDiffersFromTheBackBuffers)
{
    // A 16-bit screen (5, 6 and 5 bits per channel): presented through cairo's conversion.
    std::string why;
    XvfbServer shallow;
    ASSERT_TRUE(shallow.start(why, "800x600x16")) << why;
    {
        HostDisplay shallowHost;
        ASSERT_TRUE(shallowHost.isOpen());
        const Window shallowParent = shallowHost.createWindow(20, 20, 700, 280);
        ProbedFrame probed(reinterpret_cast<void*>(static_cast<uintptr_t>(shallowParent)));
        ASSERT_FALSE(probed.frame->getPlatformWindow()->isHeadless());
        pumpIdle([&] { probed.idle(); }, 60);
        shallowHost.sync();
        const auto shown =
            shallowHost.capture(probed.window(), ProbedFrame::kWidth, ProbedFrame::kHeight);
        const auto drawn = probed.backBufferRgb();
        ASSERT_EQ(shown.size(), drawn.size());
        int worst = 0;
        for (size_t i = 0; i < shown.size(); ++i)
            for (int shift : {0, 8, 16})
                worst = std::max(worst, std::abs(int((shown[i] >> shift) & 0xff) -
                                                 int((drawn[i] >> shift) & 0xff)));
        EXPECT_LE(worst, 8); // one step of a 5-bit channel
        EXPECT_GT(probed.left->draws, 0);
    }
    shallow.stop();
    setenv("DISPLAY", sharedXvfb(why)->displayName().c_str(), 1);
}
