#include "Win32Input.h"

#include "platform/VirtualKeyNumbers.h"

#include <windows.h>

namespace
{
struct KeyMapping
{
    uint32_t windowsKey;
    uint8_t virt;
};

constexpr KeyMapping kKeys[] = {
    {VK_BACK, kVBack},
    {VK_TAB, kVTab},
    {VK_CLEAR, kVClear},
    {VK_PAUSE, kVPause},
    {VK_ESCAPE, kVEscape},
    {VK_SPACE, kVSpace},
    {VK_END, kVEnd},
    {VK_HOME, kVHome},
    {VK_LEFT, kVLeft},
    {VK_UP, kVUp},
    {VK_RIGHT, kVRight},
    {VK_DOWN, kVDown},
    {VK_PRIOR, kVPageUp},
    {VK_NEXT, kVPageDown},
    {VK_SELECT, kVSelect},
    {VK_PRINT, kVPrint},
    {VK_SNAPSHOT, kVSnapshot},
    {VK_INSERT, kVInsert},
    {VK_DELETE, kVDelete},
    {VK_HELP, kVHelp},
    {VK_MULTIPLY, kVMultiply},
    {VK_ADD, kVAdd},
    {VK_SEPARATOR, kVSeparator},
    {VK_SUBTRACT, kVSubtract},
    {VK_DECIMAL, kVDecimal},
    {VK_DIVIDE, kVDivide},
    {VK_NUMLOCK, kVNumLock},
    {VK_SCROLL, kVScroll},
    {VK_SHIFT, kVShift},
    {VK_LSHIFT, kVShift},
    {VK_RSHIFT, kVShift},
    {VK_CONTROL, kVControl},
    {VK_LCONTROL, kVControl},
    {VK_RCONTROL, kVControl},
    {VK_MENU, kVAlt},
    {VK_LMENU, kVAlt},
    {VK_RMENU, kVAlt},
};
} // namespace

int32_t win32MouseButtons(uint32_t keyState, bool altHeld)
{
    int32_t bits = 0;
    if (keyState & MK_LBUTTON) bits |= kLButton;
    if (keyState & MK_MBUTTON) bits |= kMButton;
    if (keyState & MK_RBUTTON) bits |= kRButton;
    if (keyState & MK_SHIFT) bits |= kShift;
    if (keyState & MK_CONTROL) bits |= kControl;
    if (altHeld) bits |= kAlt;
    return bits;
}

uint8_t win32VirtualKey(uint32_t windowsKey, bool extended)
{
    if (windowsKey == VK_RETURN) return extended ? kVEnter : kVReturn;
    for (const KeyMapping& mapping : kKeys)
        if (mapping.windowsKey == windowsKey) return mapping.virt;
    if (windowsKey >= VK_NUMPAD0 && windowsKey <= VK_NUMPAD9)
        return static_cast<uint8_t>(kVNumpad0 + (windowsKey - VK_NUMPAD0));
    if (windowsKey >= VK_F1 && windowsKey <= VK_F12)
        return static_cast<uint8_t>(kVF1 + (windowsKey - VK_F1));
    return 0;
}

uint8_t win32KeyModifiers(bool shift, bool control, bool alt)
{
    uint8_t bits = 0;
    if (shift) bits |= kKeyModShift;
    if (alt) bits |= kKeyModAlternate;
    if (control) bits |= kKeyModControl;
    return bits;
}
