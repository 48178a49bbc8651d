// Record sizes and field offsets as the interface fixes them, per pointer size: 64-bit Linux
// and Windows share one column, 32-bit Windows (4-byte pointers, 8-byte aligned 64-bit
// members) the other. The expected numbers are worked out from the documented field lists.

#include "AbiLayout.h"
#include "Vst3Interface.h"

#include <cstddef>
#include <gtest/gtest.h>

using namespace vst3;

namespace
{

const AbiLayout kLayouts[] = {
    OFC_ABI_SIZE(PFactoryInfo, 452, 452),
    OFC_ABI_AT(PFactoryInfo, url, 64, 64),
    OFC_ABI_AT(PFactoryInfo, email, 320, 320),
    OFC_ABI_AT(PFactoryInfo, flags, 448, 448),
    OFC_ABI_SIZE(PClassInfo, 116, 116),
    OFC_ABI_AT(PClassInfo, cardinality, 16, 16),
    OFC_ABI_AT(PClassInfo, category, 20, 20),
    OFC_ABI_AT(PClassInfo, name, 52, 52),
    OFC_ABI_SIZE(PClassInfo2, 440, 440),
    OFC_ABI_AT(PClassInfo2, classFlags, 116, 116),
    OFC_ABI_AT(PClassInfo2, subCategories, 120, 120),
    OFC_ABI_AT(PClassInfo2, vendor, 248, 248),
    OFC_ABI_AT(PClassInfo2, version, 312, 312),
    OFC_ABI_AT(PClassInfo2, sdkVersion, 376, 376),
    OFC_ABI_SIZE(PClassInfoW, 696, 696),
    OFC_ABI_AT(PClassInfoW, name, 52, 52),
    OFC_ABI_AT(PClassInfoW, classFlags, 180, 180),
    OFC_ABI_AT(PClassInfoW, subCategories, 184, 184),
    OFC_ABI_AT(PClassInfoW, vendor, 312, 312),
    OFC_ABI_AT(PClassInfoW, version, 440, 440),
    OFC_ABI_AT(PClassInfoW, sdkVersion, 568, 568),
    OFC_ABI_SIZE(BusInfo, 276, 276),
    OFC_ABI_AT(BusInfo, channelCount, 8, 8),
    OFC_ABI_AT(BusInfo, name, 12, 12),
    OFC_ABI_AT(BusInfo, busType, 268, 268),
    OFC_ABI_AT(BusInfo, flags, 272, 272),
    OFC_ABI_SIZE(RoutingInfo, 12, 12),
    OFC_ABI_SIZE(ProcessSetup, 24, 24),
    OFC_ABI_AT(ProcessSetup, maxSamplesPerBlock, 8, 8),
    OFC_ABI_AT(ProcessSetup, sampleRate, 16, 16),
    OFC_ABI_SIZE(AudioBusBuffers, 24, 24),
    OFC_ABI_AT(AudioBusBuffers, silenceFlags, 8, 8),
    OFC_ABI_AT(AudioBusBuffers, channelBuffers32, 16, 16),
    OFC_ABI_AT(AudioBusBuffers, channelBuffers64, 16, 16),
    OFC_ABI_SIZE(ProcessData, 80, 48),
    OFC_ABI_AT(ProcessData, numOutputs, 16, 16),
    OFC_ABI_AT(ProcessData, inputs, 24, 20),
    OFC_ABI_AT(ProcessData, outputs, 32, 24),
    OFC_ABI_AT(ProcessData, inputParameterChanges, 40, 28),
    OFC_ABI_AT(ProcessData, outputParameterChanges, 48, 32),
    OFC_ABI_AT(ProcessData, inputEvents, 56, 36),
    OFC_ABI_AT(ProcessData, outputEvents, 64, 40),
    OFC_ABI_AT(ProcessData, processContext, 72, 44),
    OFC_ABI_SIZE(ParameterInfo, 792, 792),
    OFC_ABI_AT(ParameterInfo, title, 4, 4),
    OFC_ABI_AT(ParameterInfo, shortTitle, 260, 260),
    OFC_ABI_AT(ParameterInfo, units, 516, 516),
    OFC_ABI_AT(ParameterInfo, stepCount, 772, 772),
    OFC_ABI_AT(ParameterInfo, defaultNormalizedValue, 776, 776),
    OFC_ABI_AT(ParameterInfo, unitId, 784, 784),
    OFC_ABI_AT(ParameterInfo, flags, 788, 788),
    OFC_ABI_SIZE(UnitInfo, 268, 268),
    OFC_ABI_AT(UnitInfo, name, 8, 8),
    OFC_ABI_AT(UnitInfo, programListId, 264, 264),
    OFC_ABI_SIZE(ProgramListInfo, 264, 264),
    OFC_ABI_AT(ProgramListInfo, programCount, 260, 260),
    OFC_ABI_SIZE(ViewRect, 16, 16),
    OFC_ABI_AT(ViewRect, bottom, 12, 12),
};

} // namespace

TEST(Vst3Layout, RecordsMatchTheInterfaceForThisPointerSize)
{
    for (const AbiLayout& l : kLayouts)
        EXPECT_EQ(l.actual, l.expected()) << l.what;
}

TEST(Vst3Layout, ScalarTypesHaveTheInterfaceWidths)
{
    const AbiLayout widths[] = {
        {"TUID", sizeof(TUID), 16, 16},
        {"char16", sizeof(char16), 2, 2},
        {"String128", sizeof(String128), 256, 256},
        {"TBool", sizeof(TBool), 1, 1},
        {"ParamID", sizeof(ParamID), 4, 4},
        {"ParamValue", sizeof(ParamValue), 8, 8},
        {"TSize", sizeof(TSize), 8, 8},
        {"SpeakerArrangement", sizeof(SpeakerArrangement), 8, 8},
        {"tresult", sizeof(tresult), 4, 4},
        {"InterfaceId", sizeof(InterfaceId), 16, 16},
    };
    for (const AbiLayout& l : widths)
        EXPECT_EQ(l.actual, l.expected()) << l.what;
}

TEST(Vst3Layout, FlagAndCodeValuesAreTheInterfaces)
{
    struct Value
    {
        const char* what;
        long long actual;
        long long expected;
    };
    const Value values[] = {
        {"kCanAutomate", ParameterInfo::kCanAutomate, 0x1},
        {"kIsReadOnly", ParameterInfo::kIsReadOnly, 0x2},
        {"kIsWrapAround", ParameterInfo::kIsWrapAround, 0x4},
        {"kIsList", ParameterInfo::kIsList, 0x8},
        {"kIsHidden", ParameterInfo::kIsHidden, 0x10},
        {"kIsProgramChange", ParameterInfo::kIsProgramChange, 0x8000},
        {"kIsBypass", ParameterInfo::kIsBypass, 0x10000},
        {"kUnicode", PFactoryInfo::kUnicode, 0x10},
        {"kManyInstances", PClassInfo::kManyInstances, 0x7FFFFFFF},
        {"kStereo", static_cast<long long>(SpeakerArr::kStereo), 0x3},
        {"kOutput", kOutput, 1},
        {"kSample64", kSample64, 1},
        {"kOffline", kOffline, 2},
        {"kDefaultActive", BusInfo::kDefaultActive, 1},
        {"kParamValuesChanged", kParamValuesChanged, 0x4},
        {"kLatencyChanged", kLatencyChanged, 0x8},
#if defined(_WIN32)
        {"kResultFalse", kResultFalse, 1},
        {"kNoInterface", kNoInterface, -2147467262LL},         // 0x80004002
        {"kInvalidArgument", kInvalidArgument, -2147024809LL}, // 0x80070057
        {"kNotImplemented", kNotImplemented, -2147467263LL},   // 0x80004001
#else
        {"kResultFalse", kResultFalse, 1},
        {"kNoInterface", kNoInterface, -1},
        {"kInvalidArgument", kInvalidArgument, 2},
        {"kNotImplemented", kNotImplemented, 3},
#endif
        {"kResultOk", kResultOk, 0},
        {"kResultTrue", kResultTrue, 0},
    };
    for (const Value& v : values)
        EXPECT_EQ(v.actual, v.expected) << v.what;
}
