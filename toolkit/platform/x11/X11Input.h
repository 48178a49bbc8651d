#pragma once

#include "ToolkitTypes.h"
#include "platform/DoubleClickTracker.h"

#include <cstdint>

// Turning X input into the toolkit's terms. Plain functions of the event fields, so they work
// the same for events read on our own connection and for events a host hands us.

// Shift, Control and Alt (Mod1) of an X state mask as toolkit button bits.
int32_t x11ModifierButtons(unsigned int state);
// The mouse buttons an X state mask says are held (buttons 1 to 3), as toolkit bits.
int32_t x11HeldButtons(unsigned int state);
// The toolkit bit of X button 1 (left), 2 (middle) or 3 (right); 0 for the others.
int32_t x11ButtonBit(unsigned int button);
// Wheel notches: button 4 turns up (+1), button 5 down (-1); every other button, including the
// horizontal wheel (6 and 7), gives 0.
float x11WheelDistance(unsigned int button);

// A key as the toolkit's key code: keys with a virtual key number get that number and no
// character; other keys get the (Latin-1) character X produced for them, if any. `text` is the
// result of XLookupString, `keysym` its key symbol. Answers false for keys with neither
// (modifier keys alone, dead keys).
bool x11KeyCode(unsigned long keysym, const char* text, int textLength, unsigned int state,
                CKeyCode& key);
