#pragma once

#include <cstddef>

// One row of a plug-in interface's layout table: what the compiler made of a record or field,
// and what the interface's documented field lists give for 8-byte and for 4-byte pointers
// (the latter as 32-bit Windows lays records out: 64-bit members still on 8 bytes).
struct AbiLayout
{
    const char* what;
    std::size_t actual;
    std::size_t with64BitPointers;
    std::size_t with32BitPointers;

    std::size_t expected() const
    {
        return sizeof(void*) == 8 ? with64BitPointers : with32BitPointers;
    }
};

#define OFC_ABI_SIZE(T, e64, e32) (AbiLayout{#T " size", sizeof(T), e64, e32})
#define OFC_ABI_AT(T, f, e64, e32) (AbiLayout{#T "::" #f, offsetof(T, f), e64, e32})
