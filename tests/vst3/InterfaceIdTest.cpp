// Every interface identifier's 16 bytes against the four 32-bit words the documentation gives,
// in the platform's byte order. On Windows the expected bytes come from the compiler's own
// little-endian layout of a GUID record, which is what COM compares; elsewhere each word is
// read back most significant byte first.

#include "Vst3Interface.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

using namespace vst3;

namespace
{
struct Documented
{
    const char* name;
    const InterfaceId& iid;
    uint32 words[4];
};

const Documented kIids[] = {
    {"FUnknown", FUnknown::iid, {0x00000000, 0x00000000, 0xC0000000, 0x00000046}},
    {"IPluginBase", IPluginBase::iid, {0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625}},
    {"IBStream", IBStream::iid, {0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B}},
    {"IPluginFactory", IPluginFactory::iid, {0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F}},
    {"IPluginFactory2", IPluginFactory2::iid, {0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB}},
    {"IPluginFactory3", IPluginFactory3::iid, {0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931}},
    {"IComponent", IComponent::iid, {0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802}},
    {"IAudioProcessor", IAudioProcessor::iid, {0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D}},
    {"IParamValueQueue", IParamValueQueue::iid, {0x01263A18, 0xED074F6F, 0x98C9D356, 0x4686F9BA}},
    {"IParameterChanges", IParameterChanges::iid, {0xA4779663, 0x0BB64A56, 0xB44384A8, 0x466FEB9D}},
    {"IEditController", IEditController::iid, {0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E}},
    {"IComponentHandler", IComponentHandler::iid, {0x93A0BEA3, 0x0BD045DB, 0x8E890B0C, 0xC1E46AC6}},
    {"IUnitInfo", IUnitInfo::iid, {0x3D4BD6B5, 0x913A4FD2, 0xA886E768, 0xA5EB92C1}},
    {"IPlugView", IPlugView::iid, {0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29}},
    {"IPlugFrame", IPlugFrame::iid, {0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3}},
    {"IPlugViewContentScaleSupport",
     IPlugViewContentScaleSupport::iid,
     {0x65ED9690, 0x8AC44525, 0x8AADEF7A, 0x72EA703F}},
    {"IEventHandler", Linux::IEventHandler::iid, {0x561E65C9, 0x13A0496F, 0x813A2C35, 0x654D7983}},
    {"ITimerHandler", Linux::ITimerHandler::iid, {0x10BDD94F, 0x41424774, 0x821FAD8F, 0xECA72CA9}},
    {"IRunLoop", Linux::IRunLoop::iid, {0x18C35366, 0x97764F1A, 0x9C5B8385, 0x7A871389}},
};

std::string hex(const unsigned char* bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string s;
    for (int i = 0; i < 16; ++i)
    {
        s += digits[bytes[i] >> 4];
        s += digits[bytes[i] & 0xF];
    }
    return s;
}

void expectedBytes(const uint32 (&w)[4], unsigned char out[16])
{
    unsigned char tail[8];
    for (int i = 0; i < 4; ++i)
    {
        tail[i] = static_cast<unsigned char>(w[2] >> (24 - 8 * i));
        tail[4 + i] = static_cast<unsigned char>(w[3] >> (24 - 8 * i));
    }
#if defined(_WIN32)
    struct Guid
    {
        uint32 data1;
        uint16 data2;
        uint16 data3;
        unsigned char data4[8];
    } guid{w[0], static_cast<uint16>(w[1] >> 16), static_cast<uint16>(w[1] & 0xFFFF), {}};
    static_assert(sizeof(Guid) == 16, "a GUID is 16 bytes");
    std::memcpy(guid.data4, tail, 8);
    std::memcpy(out, &guid, 16);
#else
    for (int i = 0; i < 4; ++i)
    {
        out[i] = static_cast<unsigned char>(w[0] >> (24 - 8 * i));
        out[4 + i] = static_cast<unsigned char>(w[1] >> (24 - 8 * i));
    }
    std::memcpy(out + 8, tail, 8);
#endif
}
} // namespace

TEST(Vst3InterfaceId, EveryIdentifierHasTheDocumentedBytes)
{
    for (const Documented& d : kIids)
    {
        unsigned char expected[16];
        expectedBytes(d.words, expected);
        EXPECT_EQ(hex(reinterpret_cast<const unsigned char*>(d.iid.bytes)), hex(expected))
            << d.name;
    }
}

TEST(Vst3InterfaceId, IdentifiersAreDistinctAndMatchOnlyThemselves)
{
    for (const Documented& a : kIids)
        for (const Documented& b : kIids)
            EXPECT_EQ(a.iid.matches(b.iid.bytes), &a == &b) << a.name << " vs " << b.name;
}

// Two identifiers written out byte by byte, as a host on this platform holds them.
TEST(Vst3InterfaceId, KnownIdentifiersSpelledOut)
{
    struct Spelled
    {
        const char* name;
        const InterfaceId& iid;
        const char* bytes;
    };
    const Spelled spelled[] = {
        // COM's own IUnknown, {00000000-0000-0000-C000-000000000046}, on every platform.
        {"FUnknown", FUnknown::iid, "0000000000000000C000000000000046"},
#if defined(_WIN32)
        {"IComponent", IComponent::iid, "31FF31E8D5F20143928EBBEE25697802"},
#else
        {"IComponent", IComponent::iid, "E831FF31F2D54301928EBBEE25697802"},
#endif
    };
    for (const Spelled& s : spelled)
        EXPECT_EQ(hex(reinterpret_cast<const unsigned char*>(s.iid.bytes)),
                  std::string(s.bytes, 32))
            << s.name;
}
