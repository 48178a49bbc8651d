#pragma once

// The VST 3 binary interface's foundation: its integer and string types, result codes, interface
// identifiers, the calling convention, FUnknown, IPluginBase and IBStream. Declared from the
// interface's published documentation; every class here is an interface whose virtual methods,
// in declaration order, ARE the vtable a host calls, so no method may be added, removed or
// reordered, and none of them has a virtual destructor (that would add slots).

#include <cstdint>
#include <cstring>

// On Windows the interfaces are COM-compatible: methods are __stdcall (it differs from the
// default only on 32-bit x86, where `this` then travels on the stack as the first argument),
// result codes are HRESULTs and identifiers are laid out as GUIDs. Elsewhere the defaults hold.
#if defined(_WIN32)
#define VST3_COM_COMPATIBLE 1
#define VST3_CALL __stdcall
#else
#define VST3_COM_COMPATIBLE 0
#define VST3_CALL
#endif

namespace vst3
{

using int8 = std::int8_t;
using uint8 = std::uint8_t;
using int16 = std::int16_t;
using uint16 = std::uint16_t;
using int32 = std::int32_t;
using uint32 = std::uint32_t;
using int64 = std::int64_t;
using uint64 = std::uint64_t;

using TSize = int64;
using TBool = uint8;
using char8 = char;
using char16 = char16_t;
using TChar = char16;
using String128 = TChar[128];
using CString = const char8*;
using FIDString = const char8*;

using tresult = int32;

#if VST3_COM_COMPATIBLE
// HRESULTs: S_OK, S_FALSE, E_NOINTERFACE, E_INVALIDARG, E_NOTIMPL, E_FAIL, E_UNEXPECTED,
// E_OUTOFMEMORY. The unsigned literals wrap into the negative int32 values COM uses.
constexpr tresult kResultOk = 0;
constexpr tresult kResultTrue = kResultOk;
constexpr tresult kResultFalse = 1;
constexpr tresult kNoInterface = static_cast<tresult>(0x80004002u);
constexpr tresult kInvalidArgument = static_cast<tresult>(0x80070057u);
constexpr tresult kNotImplemented = static_cast<tresult>(0x80004001u);
constexpr tresult kInternalError = static_cast<tresult>(0x80004005u);
constexpr tresult kNotInitialized = static_cast<tresult>(0x8000FFFFu);
constexpr tresult kOutOfMemory = static_cast<tresult>(0x8007000Eu);
#else
constexpr tresult kNoInterface = -1;
constexpr tresult kResultOk = 0;
constexpr tresult kResultTrue = kResultOk;
constexpr tresult kResultFalse = 1;
constexpr tresult kInvalidArgument = 2;
constexpr tresult kNotImplemented = 3;
constexpr tresult kInternalError = 4;
constexpr tresult kNotInitialized = 5;
constexpr tresult kOutOfMemory = 6;
#endif

// A class or interface identifier: 16 bytes, compared bytewise.
using TUID = char[16];

// An identifier as the documentation writes it, four 32-bit words, laid out in the platform's
// byte order. On Windows the first eight bytes are a GUID's Data1 (32 bits), Data2 and Data3
// (16 bits each), all little-endian, so the host can hand them to COM as they are; the last
// eight bytes, and all sixteen elsewhere, are the words' bytes most significant first.
struct InterfaceId
{
    char bytes[16];

    constexpr bool operator==(const InterfaceId& other) const
    {
        for (int i = 0; i < 16; ++i)
            if (bytes[i] != other.bytes[i]) return false;
        return true;
    }
    // True when the identifier a host passed (16 bytes, not terminated) names this one.
    bool matches(const TUID other) const { return std::memcmp(bytes, other, 16) == 0; }
};

namespace detail
{
constexpr char byteOf(uint32 word, int shift)
{
    return static_cast<char>(static_cast<unsigned char>((word >> shift) & 0xFFu));
}
} // namespace detail

constexpr InterfaceId makeInterfaceId(uint32 w1, uint32 w2, uint32 w3, uint32 w4)
{
    using detail::byteOf;
#if VST3_COM_COMPATIBLE
    return InterfaceId{{byteOf(w1, 0), byteOf(w1, 8), byteOf(w1, 16), byteOf(w1, 24),
                        byteOf(w2, 16), byteOf(w2, 24), byteOf(w2, 0), byteOf(w2, 8),
                        byteOf(w3, 24), byteOf(w3, 16), byteOf(w3, 8), byteOf(w3, 0),
                        byteOf(w4, 24), byteOf(w4, 16), byteOf(w4, 8), byteOf(w4, 0)}};
#else
    return InterfaceId{{byteOf(w1, 24), byteOf(w1, 16), byteOf(w1, 8), byteOf(w1, 0),
                        byteOf(w2, 24), byteOf(w2, 16), byteOf(w2, 8), byteOf(w2, 0),
                        byteOf(w3, 24), byteOf(w3, 16), byteOf(w3, 8), byteOf(w3, 0),
                        byteOf(w4, 24), byteOf(w4, 16), byteOf(w4, 8), byteOf(w4, 0)}};
#endif
}

// The records are packed to 8 bytes on Windows, which is what the compilers there do anyway
// for these members; elsewhere natural alignment applies. Either way double and 64-bit members
// sit on 8-byte offsets, also on 32-bit Windows.
#if defined(_WIN32)
#pragma pack(push, 8)
#endif

// Every interface's root: reference counting and the question "do you also implement ...?".
// The interfaces' destructors are protected and non-virtual: objects are ended by release(),
// never deleted through an interface pointer.
class FUnknown
{
  public:
    static constexpr InterfaceId iid =
        makeInterfaceId(0x00000000, 0x00000000, 0xC0000000, 0x00000046);

    virtual tresult VST3_CALL queryInterface(const TUID queriedIid, void** obj) = 0;
    virtual uint32 VST3_CALL addRef() = 0;
    virtual uint32 VST3_CALL release() = 0;

  protected:
    ~FUnknown() = default;
};

// Set up and torn down by the host; context is the host's own object, to be queried.
class IPluginBase : public FUnknown
{
  public:
    static constexpr InterfaceId iid =
        makeInterfaceId(0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625);

    virtual tresult VST3_CALL initialize(FUnknown* context) = 0;
    virtual tresult VST3_CALL terminate() = 0;

  protected:
    ~IPluginBase() = default;
};

// A byte stream of the host's: where state is saved to and read from.
class IBStream : public FUnknown
{
  public:
    static constexpr InterfaceId iid =
        makeInterfaceId(0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B);

    enum IStreamSeekMode : int32
    {
        kIBSeekSet = 0,
        kIBSeekCur,
        kIBSeekEnd
    };

    virtual tresult VST3_CALL read(void* buffer, int32 numBytes, int32* numBytesRead) = 0;
    virtual tresult VST3_CALL write(void* buffer, int32 numBytes, int32* numBytesWritten) = 0;
    virtual tresult VST3_CALL seek(int64 pos, int32 mode, int64* result) = 0;
    virtual tresult VST3_CALL tell(int64* pos) = 0;

  protected:
    ~IBStream() = default;
};

#if defined(_WIN32)
#pragma pack(pop)
#endif

} // namespace vst3
