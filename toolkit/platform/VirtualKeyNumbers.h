#pragma once

#include <cstdint>

// The host interface's virtual key numbers, which the controls' key handlers receive; each
// platform's input maps its own key codes onto them.
enum VirtualKey : uint8_t
{
    kVBack = 1,
    kVTab = 2,
    kVClear = 3,
    kVReturn = 4,
    kVPause = 5,
    kVEscape = 6,
    kVSpace = 7,
    kVNext = 8,
    kVEnd = 9,
    kVHome = 10,
    kVLeft = 11,
    kVUp = 12,
    kVRight = 13,
    kVDown = 14,
    kVPageUp = 15,
    kVPageDown = 16,
    kVSelect = 17,
    kVPrint = 18,
    kVEnter = 19,
    kVSnapshot = 20,
    kVInsert = 21,
    kVDelete = 22,
    kVHelp = 23,
    kVNumpad0 = 24,
    kVMultiply = 34,
    kVAdd = 35,
    kVSeparator = 36,
    kVSubtract = 37,
    kVDecimal = 38,
    kVDivide = 39,
    kVF1 = 40,
    kVNumLock = 52,
    kVScroll = 53,
    kVShift = 54,
    kVControl = 55,
    kVAlt = 56,
    kVEquals = 57,
};
