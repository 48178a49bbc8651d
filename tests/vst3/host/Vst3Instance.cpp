#include "Vst3Instance.h"

#include "Platform.h"
#include "Vst3Entry.h"
#include "Vst3Text.h"

#include <cstring>
#include <sys/stat.h>

using namespace vst3;
namespace platform = ofchost::platform;

namespace
{
bool isFolder(const std::string& path)
{
    struct stat info
    {
    };
    return stat(path.c_str(), &info) == 0 && (info.st_mode & S_IFDIR);
}

// NAME.vst3 holds Contents/ARCHITECTURE/NAME with this system's module suffix.
std::string moduleInBundle(const std::string& bundle)
{
    std::string folder = bundle;
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\'))
        folder.pop_back();
    const std::size_t slash = folder.find_last_of("/\\");
    std::string stem = folder.substr(slash == std::string::npos ? 0 : slash + 1);
    stem = stem.substr(0, stem.size() - std::strlen(".vst3"));
    return folder + "/Contents/" OFC_VST3_ARCHITECTURE "/" + stem + OFC_VST3_SUFFIX;
}

template <typename Interface> Interface* ask(FUnknown* object)
{
    void* found = nullptr;
    if (!object || object->queryInterface(Interface::iid.bytes, &found) != kResultOk)
        return nullptr;
    return static_cast<Interface*>(found);
}

using EntryWithHandle = bool (*)(void*);
using PlainEntry = bool (*)();
} // namespace

std::string fieldText(const char16* field)
{
    return vst3text::toAscii(field, 128);
}

std::unique_ptr<Vst3Module> Vst3Module::load(const std::string& given, std::string& error)
{
    std::unique_ptr<Vst3Module> module(new Vst3Module());
    module->path = isFolder(given) ? moduleInBundle(given) : given;
    module->library = platform::loadLibrary(module->path, error);
    if (!module->library) return nullptr;
    if (auto entry =
            reinterpret_cast<EntryWithHandle>(platform::findSymbol(module->library, "ModuleEntry")))
    {
        if (!entry(module->library)) return error = "ModuleEntry refused", nullptr;
    }
    else if (auto init =
                 reinterpret_cast<PlainEntry>(platform::findSymbol(module->library, "InitDll")))
    {
        if (!init()) return error = "InitDll refused", nullptr;
    }
    auto getFactory =
        reinterpret_cast<GetFactoryProc>(platform::findSymbol(module->library, "GetPluginFactory"));
    if (!getFactory) return error = module->path + " exports no GetPluginFactory", nullptr;
    module->pluginFactory = getFactory();
    if (!module->pluginFactory) return error = "GetPluginFactory answered null", nullptr;
    return module;
}

Vst3Module::~Vst3Module()
{
    if (pluginFactory) pluginFactory->release();
    if (!library) return;
    if (auto exit = reinterpret_cast<PlainEntry>(platform::findSymbol(library, "ModuleExit")))
        exit();
    else if (auto exitDll = reinterpret_cast<PlainEntry>(platform::findSymbol(library, "ExitDll")))
        exitDll();
}

bool Vst3Module::findEffectClass(TUID cid, std::string& error) const
{
    const int32 count = pluginFactory->countClasses();
    for (int32 i = 0; i < count && i < 64; ++i)
    {
        PClassInfo info{};
        if (pluginFactory->getClassInfo(i, &info) == kResultOk &&
            std::strncmp(info.category, kVstAudioEffectClass, sizeof info.category) == 0)
            return std::memcpy(cid, info.cid, sizeof(TUID)), true;
    }
    error = "the factory offers no audio effect class";
    return false;
}

std::unique_ptr<Vst3Instance> Vst3Instance::create(const Vst3Module& module, std::string& error)
{
    TUID cid{};
    if (!module.findEffectClass(cid, error)) return nullptr;
    std::unique_ptr<Vst3Instance> instance(new Vst3Instance());
    void* made = nullptr;
    if (module.factory()->createInstance(cid, IComponent::iid.bytes, &made) != kResultOk || !made)
        return error = "createInstance made no component", nullptr;
    instance->component = static_cast<IComponent*>(made);
    if (instance->component->initialize(nullptr) != kResultOk)
        return error = "the component refused to initialise", nullptr;
    instance->processor = ask<IAudioProcessor>(instance->component);
    instance->controller = ask<IEditController>(instance->component);
    instance->units = ask<IUnitInfo>(instance->component);
    if (!instance->processor || !instance->controller)
        return error = "the component is not also its processor and controller", nullptr;
    return instance;
}

Vst3Instance::~Vst3Instance()
{
    stop();
    if (component) component->terminate();
    for (FUnknown* held : {static_cast<FUnknown*>(units), static_cast<FUnknown*>(controller),
                           static_cast<FUnknown*>(processor), static_cast<FUnknown*>(component)})
        if (held) held->release();
}

bool Vst3Instance::start(double sampleRate, int32 maxBlock, int32 size)
{
    SpeakerArrangement in = SpeakerArr::kStereo, out = SpeakerArr::kStereo;
    ProcessSetup setup{kOffline, size, maxBlock, sampleRate};
    if (processor->setBusArrangements(&in, 1, &out, 1) != kResultTrue ||
        processor->setupProcessing(setup) != kResultOk || component->setActive(1) != kResultOk)
        return false;
    active = true;
    sampleSize = size;
    return processor->setProcessing(1) == kResultOk;
}

void Vst3Instance::stop()
{
    if (!active) return;
    processor->setProcessing(0);
    component->setActive(0);
    active = false;
}

template <typename Sample>
bool Vst3Instance::processBlock(Sample* const* inputs, Sample* const* outputs, int32 frames,
                                IParameterChanges* changes, IParameterChanges* reported)
{
    Sample* in[2] = {inputs[0], inputs[1]};
    Sample* out[2] = {outputs[0], outputs[1]};
    AudioBusBuffers inBus{}, outBus{};
    inBus.numChannels = outBus.numChannels = 2;
    ProcessData data{};
    data.processMode = kOffline;
    data.symbolicSampleSize = sampleSize;
    data.numSamples = frames;
    data.numInputs = data.numOutputs = 1;
    data.inputs = &inBus;
    data.outputs = &outBus;
    data.inputParameterChanges = changes;
    data.outputParameterChanges = reported;
    if constexpr (sizeof(Sample) == sizeof(float))
        inBus.channelBuffers32 = in, outBus.channelBuffers32 = out;
    else
        inBus.channelBuffers64 = in, outBus.channelBuffers64 = out;
    return processor->process(data) == kResultOk;
}

bool Vst3Instance::process(float* const* inputs, float* const* outputs, int32 frames,
                           IParameterChanges* changes, IParameterChanges* reported)
{
    return sampleSize == kSample32 && processBlock(inputs, outputs, frames, changes, reported);
}

bool Vst3Instance::process(double* const* inputs, double* const* outputs, int32 frames,
                           IParameterChanges* changes, IParameterChanges* reported)
{
    return sampleSize == kSample64 && processBlock(inputs, outputs, frames, changes, reported);
}

std::vector<ParameterInfo> Vst3Instance::parameters() const
{
    std::vector<ParameterInfo> list;
    const int32 count = controller->getParameterCount();
    for (int32 i = 0; i < count && i < 4096; ++i)
    {
        ParameterInfo info{};
        if (controller->getParameterInfo(i, info) == kResultOk) list.push_back(info);
    }
    return list;
}

std::string Vst3Instance::text(ParamID id, double value) const
{
    String128 field{};
    if (controller->getParamStringByValue(id, value, field) != kResultOk) return "(refused)";
    return fieldText(field);
}

long Vst3Instance::programParameter() const
{
    for (const ParameterInfo& info : parameters())
        if (info.flags & ParameterInfo::kIsProgramChange) return static_cast<long>(info.id);
    return -1;
}

std::vector<std::string> Vst3Instance::programNames() const
{
    std::vector<std::string> names;
    ProgramListInfo list{};
    if (!units || units->getProgramListInfo(0, list) != kResultOk) return names;
    for (int32 p = 0; p < list.programCount && p < 1024; ++p)
    {
        String128 name{};
        names.push_back(units->getProgramName(list.id, p, name) == kResultOk ? fieldText(name)
                                                                             : "(refused)");
    }
    return names;
}
