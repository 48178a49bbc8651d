#include "X11Input.h"

#include "platform/VirtualKeyNumbers.h"

#include <X11/X.h>
#include <X11/keysym.h>

namespace
{
struct KeyMapping
{
    unsigned long keysym;
    uint8_t virt;
};

constexpr KeyMapping kKeys[] = {
    {XK_BackSpace, kVBack},
    {XK_Tab, kVTab},
    {XK_ISO_Left_Tab, kVTab},
    {XK_Clear, kVClear},
    {XK_Return, kVReturn},
    {XK_Pause, kVPause},
    {XK_Escape, kVEscape},
    {XK_space, kVSpace},
    {XK_End, kVEnd},
    {XK_Home, kVHome},
    {XK_Left, kVLeft},
    {XK_Up, kVUp},
    {XK_Right, kVRight},
    {XK_Down, kVDown},
    {XK_Page_Up, kVPageUp},
    {XK_Page_Down, kVPageDown},
    {XK_Select, kVSelect},
    {XK_Print, kVPrint},
    {XK_KP_Enter, kVEnter},
    {XK_Insert, kVInsert},
    {XK_Delete, kVDelete},
    {XK_Help, kVHelp},
    {XK_KP_Multiply, kVMultiply},
    {XK_KP_Add, kVAdd},
    {XK_KP_Separator, kVSeparator},
    {XK_KP_Subtract, kVSubtract},
    {XK_KP_Decimal, kVDecimal},
    {XK_KP_Divide, kVDivide},
    {XK_Num_Lock, kVNumLock},
    {XK_Scroll_Lock, kVScroll},
    {XK_Shift_L, kVShift},
    {XK_Shift_R, kVShift},
    {XK_Control_L, kVControl},
    {XK_Control_R, kVControl},
    {XK_Alt_L, kVAlt},
    {XK_Alt_R, kVAlt},
    {XK_KP_Equal, kVEquals},
    {XK_KP_Left, kVLeft},
    {XK_KP_Up, kVUp},
    {XK_KP_Right, kVRight},
    {XK_KP_Down, kVDown},
    {XK_KP_Home, kVHome},
    {XK_KP_End, kVEnd},
    {XK_KP_Page_Up, kVPageUp},
    {XK_KP_Page_Down, kVPageDown},
    {XK_KP_Insert, kVInsert},
    {XK_KP_Delete, kVDelete},
};

uint8_t virtualKeyFor(unsigned long keysym)
{
    for (const KeyMapping& mapping : kKeys)
        if (mapping.keysym == keysym) return mapping.virt;
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
        return static_cast<uint8_t>(kVNumpad0 + (keysym - XK_KP_0));
    if (keysym >= XK_F1 && keysym <= XK_F12) return static_cast<uint8_t>(kVF1 + (keysym - XK_F1));
    return 0;
}

uint8_t keyModifiers(unsigned int state)
{
    uint8_t bits = 0;
    if (state & ShiftMask) bits |= kKeyModShift;
    if (state & Mod1Mask) bits |= kKeyModAlternate;
    if (state & ControlMask) bits |= kKeyModControl;
    return bits;
}
} // namespace

int32_t x11ModifierButtons(unsigned int state)
{
    int32_t bits = 0;
    if (state & ShiftMask) bits |= kShift;
    if (state & ControlMask) bits |= kControl;
    if (state & Mod1Mask) bits |= kAlt;
    return bits;
}

int32_t x11HeldButtons(unsigned int state)
{
    int32_t bits = 0;
    if (state & Button1Mask) bits |= kLButton;
    if (state & Button2Mask) bits |= kMButton;
    if (state & Button3Mask) bits |= kRButton;
    return bits;
}

int32_t x11ButtonBit(unsigned int button)
{
    switch (button)
    {
    case Button1:
        return kLButton;
    case Button2:
        return kMButton;
    case Button3:
        return kRButton;
    default:
        return 0;
    }
}

float x11WheelDistance(unsigned int button)
{
    if (button == Button4) return 1.0f;
    if (button == Button5) return -1.0f;
    return 0.0f;
}

bool x11KeyCode(unsigned long keysym, const char* text, int textLength, unsigned int state,
                CKeyCode& key)
{
    key = CKeyCode{};
    key.modifier = keyModifiers(state);
    key.virt = virtualKeyFor(keysym);
    if (key.virt != 0) return true;
    // The key symbol already reflects Shift; unlike the text it is not turned into a control
    // character while Control is held.
    if ((keysym >= 0x20 && keysym <= 0x7e) || (keysym >= 0xa0 && keysym <= 0xff))
    {
        key.character = static_cast<int32_t>(keysym);
        return true;
    }
    if (text && textLength == 1 && static_cast<unsigned char>(text[0]) >= 0x20)
    {
        key.character = static_cast<unsigned char>(text[0]);
        return true;
    }
    return false;
}
