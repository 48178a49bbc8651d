#pragma once

#include "ParameterIds.h"
#include "StringCopy.h"

#include <atomic>

// One program: a name of at most 24 characters and the 21 normalised parameter values.
// The values are written by setParameter on whichever thread the host uses and read by
// getParameter and the editor on others, so each is a relaxed atomic.
struct Program
{
    static constexpr int kNameChars = 24;

    Program()
    {
        for (auto& v : values)
            v.store(0.0f, std::memory_order_relaxed);
        setName("-");
    }

    // Keeps at most 24 characters; the bytes after the text are zero, the 25th always.
    void setName(const char* text)
    {
        int i = 0;
        for (; i < kNameChars && text && text[i] != '\0'; ++i)
            name[i] = text[i];
        for (; i <= kNameChars; ++i)
            name[i] = '\0';
    }

    float value(std::int32_t index) const { return values[index].load(std::memory_order_relaxed); }
    void setValue(std::int32_t index, float v)
    {
        values[index].store(v, std::memory_order_relaxed);
    }

    char name[kNameChars + 1];
    std::atomic<float> values[kNumParams];
};
