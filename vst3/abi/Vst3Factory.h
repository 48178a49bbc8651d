#pragma once

// The plug-in module's factory: what the host reads to list the module's classes, and how it
// makes them. Sizes of the text fields are part of the records' layout.

#include "Vst3Base.h"

namespace vst3
{

#if defined(_WIN32)
#pragma pack(push, 8)
#endif

struct PFactoryInfo
{
    enum FactoryFlags : int32
    {
        kNoFlags = 0,
        kClassesDiscardable = 1 << 0,
        kLicenseCheck = 1 << 1,
        kComponentNonDiscardable = 1 << 3,
        kUnicode = 1 << 4
    };
    enum
    {
        kURLSize = 256,
        kEmailSize = 128,
        kNameSize = 64
    };

    char8 vendor[kNameSize];
    char8 url[kURLSize];
    char8 email[kEmailSize];
    int32 flags;
};

struct PClassInfo
{
    enum ClassCardinality : int32
    {
        kManyInstances = 0x7FFFFFFF
    };
    enum
    {
        kCategorySize = 32,
        kNameSize = 64
    };

    TUID cid;
    int32 cardinality;
    char8 category[kCategorySize];
    char8 name[kNameSize];
};

struct PClassInfo2
{
    enum
    {
        kVendorSize = 64,
        kVersionSize = 64,
        kSubCategoriesSize = 128
    };

    TUID cid;
    int32 cardinality;
    char8 category[PClassInfo::kCategorySize];
    char8 name[PClassInfo::kNameSize];
    uint32 classFlags;
    char8 subCategories[kSubCategoriesSize];
    char8 vendor[kVendorSize];
    char8 version[kVersionSize];
    char8 sdkVersion[kVersionSize];
};

// PClassInfo2 with the user-visible texts in UTF-16; category and subCategories stay 8-bit.
struct PClassInfoW
{
    enum
    {
        kVendorSize = 64,
        kVersionSize = 64,
        kSubCategoriesSize = 128
    };

    TUID cid;
    int32 cardinality;
    char8 category[PClassInfo::kCategorySize];
    char16 name[PClassInfo::kNameSize];
    uint32 classFlags;
    char8 subCategories[kSubCategoriesSize];
    char16 vendor[kVendorSize];
    char16 version[kVersionSize];
    char16 sdkVersion[kVersionSize];
};

class IPluginFactory : public FUnknown
{
  public:
    static constexpr InterfaceId iid =
        makeInterfaceId(0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F);

    virtual tresult VST3_CALL getFactoryInfo(PFactoryInfo* info) = 0;
    virtual int32 VST3_CALL countClasses() = 0;
    virtual tresult VST3_CALL getClassInfo(int32 index, PClassInfo* info) = 0;
    // cid and requestedIid are 16-byte identifiers passed as char pointers, not texts.
    virtual tresult VST3_CALL createInstance(FIDString cid, FIDString requestedIid, void** obj) = 0;

  protected:
    ~IPluginFactory() = default;
};

class IPluginFactory2 : public IPluginFactory
{
  public:
    static constexpr InterfaceId iid =
        makeInterfaceId(0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB);

    virtual tresult VST3_CALL getClassInfo2(int32 index, PClassInfo2* info) = 0;

  protected:
    ~IPluginFactory2() = default;
};

// setHostContext is how a Linux module gets the host's run loop before any editor exists.
class IPluginFactory3 : public IPluginFactory2
{
  public:
    static constexpr InterfaceId iid =
        makeInterfaceId(0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931);

    virtual tresult VST3_CALL getClassInfoUnicode(int32 index, PClassInfoW* info) = 0;
    virtual tresult VST3_CALL setHostContext(FUnknown* context) = 0;

  protected:
    ~IPluginFactory3() = default;
};

#if defined(_WIN32)
#pragma pack(pop)
#endif

// Class info texts for an audio effect whose component is also its own edit controller.
constexpr const char8* kVstAudioEffectClass = "Audio Module Class";
constexpr const char8* kFxDynamics = "Fx|Dynamics";
// The interface version these declarations follow, reported as the class's sdkVersion.
constexpr const char8* kVstVersionString = "VST 3.7.0";

} // namespace vst3
