// The translation of X's button numbers, state masks and key symbols, without a server.

#include <gtest/gtest.h> // before the X headers, whose None and Bool macros clash

#include "X11Input.h"

#include <X11/X.h>
#include <X11/keysym.h>

TEST(X11Input, MapsButtonsAndModifierMasksToToolkitBits)
{
    EXPECT_EQ(x11ButtonBit(Button1), kLButton);
    EXPECT_EQ(x11ButtonBit(Button2), kMButton);
    EXPECT_EQ(x11ButtonBit(Button3), kRButton);
    EXPECT_EQ(x11ButtonBit(Button4), 0);
    EXPECT_EQ(x11ButtonBit(8), 0);
    EXPECT_EQ(x11ModifierButtons(ShiftMask | ControlMask | Mod1Mask), kShift | kControl | kAlt);
    // Caps Lock, Num Lock (Mod2) and the Super key (Mod4) are not modifiers of the toolkit.
    EXPECT_EQ(x11ModifierButtons(LockMask | Mod2Mask | Mod4Mask), 0);
    EXPECT_EQ(x11HeldButtons(Button1Mask | Button3Mask | ShiftMask), kLButton | kRButton);
    EXPECT_EQ(x11HeldButtons(Button4Mask | Button5Mask), 0);
}

TEST(X11Input, GivesOneNotchPerWheelButtonAndNothingForTheHorizontalWheel)
{
    EXPECT_EQ(x11WheelDistance(Button4), 1.0f);
    EXPECT_EQ(x11WheelDistance(Button5), -1.0f);
    EXPECT_EQ(x11WheelDistance(6), 0.0f);
    EXPECT_EQ(x11WheelDistance(7), 0.0f);
    EXPECT_EQ(x11WheelDistance(Button1), 0.0f);
}

TEST(X11Input, GivesVirtualKeysForNavigationKeysAndCharactersForTheRest)
{
    CKeyCode key;
    ASSERT_TRUE(x11KeyCode(XK_Left, nullptr, 0, 0, key));
    EXPECT_EQ(key.virt, kVKeyLeft);
    ASSERT_TRUE(x11KeyCode(XK_KP_Down, nullptr, 0, ShiftMask, key));
    EXPECT_EQ(key.virt, kVKeyDown);
    EXPECT_EQ(key.modifier, kKeyModShift);
    ASSERT_TRUE(x11KeyCode(XK_F12, nullptr, 0, 0, key));
    EXPECT_EQ(key.virt, 51);
    ASSERT_TRUE(x11KeyCode(XK_KP_7, "7", 1, 0, key));
    EXPECT_EQ(key.virt, 31);
    EXPECT_EQ(key.character, 0);

    // Control turns the text into a control character; the key symbol keeps the letter.
    ASSERT_TRUE(x11KeyCode(XK_c, "\x03", 1, ControlMask | Mod1Mask, key));
    EXPECT_EQ(key.virt, 0);
    EXPECT_EQ(key.character, 'c');
    EXPECT_EQ(key.modifier, kKeyModControl | kKeyModAlternate);
    ASSERT_TRUE(x11KeyCode(XK_udiaeresis, "", 0, 0, key));
    EXPECT_EQ(key.character, 0xfc);

    // A dead key produces nothing to deliver.
    EXPECT_FALSE(x11KeyCode(XK_dead_acute, "", 0, 0, key));
}

TEST(X11Input, CountsOnlyTheSecondOfTwoCloseQuickPressesOfOneButtonAsADoubleClick)
{
    DoubleClickTracker clicks;
    EXPECT_EQ(clicks.press(kLButton, 10, 10, 1000, 400), 0);
    EXPECT_EQ(clicks.press(kLButton, 12, 9, 1300, 400), kDoubleClick);
    // A third press starts a new pair.
    EXPECT_EQ(clicks.press(kLButton, 12, 9, 1350, 400), 0);
    EXPECT_EQ(clicks.press(kRButton, 12, 9, 1400, 400), 0); // another button
    EXPECT_EQ(clicks.press(kRButton, 12, 9, 1801, 400), 0); // too late
    EXPECT_EQ(clicks.press(kRButton, 17, 9, 1900, 400), 0); // too far
    // The server's clock wraps; the interval is measured across the wrap.
    DoubleClickTracker wrapping;
    EXPECT_EQ(wrapping.press(kLButton, 0, 0, 0xffffff00u, 400), 0);
    EXPECT_EQ(wrapping.press(kLButton, 0, 0, 0x00000010u, 400), kDoubleClick);
}
