#pragma once

#include "ToolkitTypes.h"

#include <cstdint>

// Turning Windows input into the toolkit's terms. Plain functions of the message fields, so
// they can be checked without a window.

// The mouse buttons (MK_LBUTTON, MK_MBUTTON, MK_RBUTTON) and Shift/Control (MK_SHIFT,
// MK_CONTROL) of a mouse message's key state as toolkit bits; mouse messages do not carry Alt,
// so the caller says whether it is held.
int32_t win32MouseButtons(uint32_t keyState, bool altHeld);
// The toolkit's virtual key number for a Windows virtual key, 0 for keys that are characters
// (or nothing) to the toolkit. `extended` is the extended-key flag of the key message: it
// tells the keypad's Enter from the main one.
uint8_t win32VirtualKey(uint32_t windowsKey, bool extended);
// CKeyModifier bits from what is held.
uint8_t win32KeyModifiers(bool shift, bool control, bool alt);
