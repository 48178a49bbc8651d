#include "PluginFactory.h"

#include "ProductIdentity.h"
#include "Vst3Plugin.h"
#include "Vst3Text.h"

#include <cstring>
#include <new>

namespace
{
// The identity's bytes are in compared order, which is how the class id travels everywhere.
struct ClassId
{
    vst3::TUID bytes;
    ClassId()
    {
        for (int i = 0; i < 16; ++i)
            bytes[i] = static_cast<char>(identity::kVst3ClassId[i]);
    }
};

bool isOurClass(vst3::FIDString cid)
{
    return cid && std::memcmp(cid, compressorClassId(), 16) == 0;
}

// The fields PClassInfo, PClassInfo2 and PClassInfoW share, whatever their text width.
template <typename Info> void fillCommon(Info& info)
{
    std::memset(&info, 0, sizeof info);
    std::memcpy(info.cid, compressorClassId(), 16);
    info.cardinality = vst3::PClassInfo::kManyInstances;
    vst3text::copy(info.category, vst3::kVstAudioEffectClass);
    vst3text::copy(info.name, identity::kProductName);
}

template <typename Info> void fillVersion2(Info& info)
{
    fillCommon(info);
    info.classFlags = 0; // not distributable: component and controller are one object
    vst3text::copy(info.subCategories, vst3::kFxDynamics);
    vst3text::copy(info.vendor, identity::kVendorName);
    vst3text::copy(info.version, identity::kVersionText);
    vst3text::copy(info.sdkVersion, vst3::kVstVersionString);
}
} // namespace

const vst3::TUID& compressorClassId()
{
    static const ClassId id;
    return id.bytes;
}

vst3::tresult PluginFactory::findInterface(const vst3::TUID iid, void** obj)
{
    if (vst3::FUnknown::iid.matches(iid) || vst3::IPluginFactory::iid.matches(iid) ||
        vst3::IPluginFactory2::iid.matches(iid) || vst3::IPluginFactory3::iid.matches(iid))
        return vst3Grant<vst3::IPluginFactory3>(this, obj);
    return vst3::kNoInterface;
}

vst3::tresult PluginFactory::getFactoryInfo(vst3::PFactoryInfo* info)
{
    if (!info) return vst3::kInvalidArgument;
    std::memset(info, 0, sizeof *info);
    vst3text::copy(info->vendor, identity::kVendorName);
    vst3text::copy(info->url, identity::kProductUrl);
    info->flags = vst3::PFactoryInfo::kUnicode;
    return vst3::kResultOk;
}

vst3::tresult PluginFactory::getClassInfo(vst3::int32 index, vst3::PClassInfo* info)
{
    if (index != 0 || !info) return vst3::kInvalidArgument;
    fillCommon(*info);
    return vst3::kResultOk;
}

vst3::tresult PluginFactory::getClassInfo2(vst3::int32 index, vst3::PClassInfo2* info)
{
    if (index != 0 || !info) return vst3::kInvalidArgument;
    fillVersion2(*info);
    return vst3::kResultOk;
}

vst3::tresult PluginFactory::getClassInfoUnicode(vst3::int32 index, vst3::PClassInfoW* info)
{
    if (index != 0 || !info) return vst3::kInvalidArgument;
    fillVersion2(*info);
    return vst3::kResultOk;
}

vst3::tresult PluginFactory::createInstance(vst3::FIDString cid, vst3::FIDString iid, void** obj)
{
    if (!obj) return vst3::kInvalidArgument;
    *obj = nullptr;
    if (!isOurClass(cid) || !iid) return vst3::kNoInterface;
    Vst3Plugin* plugin = Vst3Plugin::create();
    if (!plugin) return vst3::kOutOfMemory;
    // The host's reference comes from queryInterface; the one the object was born with goes.
    const vst3::tresult result = plugin->queryInterface(iid, obj);
    plugin->release();
    return result;
}
