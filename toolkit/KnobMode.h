#pragma once

#include <cstdint>

// How knobs follow the mouse; the host chooses, for all instances in the process.
enum CKnobMode : int32_t
{
    kCircularMode = 0,
    kRelativCircularMode = 1,
    kLinearMode = 2,
};

// Initially kLinearMode. Any other value than kLinearMode makes knobs circular.
int32_t getGlobalKnobMode();
void setGlobalKnobMode(int32_t mode);
