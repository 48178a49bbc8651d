#pragma once

#include <cstdint>

// Mouse buttons and modifier keys, as bits of one button set.
enum CButton : int32_t
{
    kDoubleClick = 1,
    kLButton = 2,
    kMButton = 4,
    kRButton = 8,
    kShift = 16,
    kControl = 32,
    kAlt = 64,
    kApple = 128, // the command key
};

// Answers of the mouse handlers.
enum CMouseEventResult : int32_t
{
    kMouseEventNotImplemented = 0,
    kMouseEventHandled = 1, // the view keeps receiving moves and the release
    kMouseEventNotHandled = 2,
    kMouseDownEventHandledButDontNeedMovedOrUpEvents = 3,
};

enum CHoriTxtAlign : int32_t
{
    kLeftText = 0,
    kCenterText = 1,
    kRightText = 2,
};

enum CDrawStyle : int32_t
{
    kDrawStroked = 0,
    kDrawFilled = 1,
    kDrawFilledAndStroked = 2,
};

// The host interface's virtual key numbers for the keys the controls react to; the editor
// hands the host's key codes through unchanged.
enum CVirtualKey : uint8_t
{
    kVKeyLeft = 11,
    kVKeyUp = 12,
    kVKeyRight = 13,
    kVKeyDown = 14,
};

// Modifier bits of a key event.
enum CKeyModifier : uint8_t
{
    kKeyModShift = 1,
    kKeyModAlternate = 2,
    kKeyModCommand = 4,
    kKeyModControl = 8,
};

// A key event: a character (0 when the key is a virtual key), a CVirtualKey number (0 for
// characters) and CKeyModifier bits.
struct CKeyCode
{
    int32_t character = 0;
    uint8_t virt = 0;
    uint8_t modifier = 0;
};
