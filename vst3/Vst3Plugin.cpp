#include "Vst3Plugin.h"

#include "CompressorEngine.h"
#include "EmbeddedEditor.h"
#include "Vst3EditorView.h"
#include "Vst3StateStream.h"
#include "Vst3Text.h"

#include <cstring>
#include <new>

using namespace vst3;

Vst3Plugin* Vst3Plugin::create()
{
    try
    {
        return new Vst3Plugin();
    }
    catch (...)
    {
        return nullptr;
    }
}

Vst3Plugin::Vst3Plugin()
    : effect(std::make_unique<OrvaneEffect>(std::make_unique<CompressorEngine>())),
      embeddedEditor(std::make_unique<EmbeddedEditor>(*effect, static_cast<EditorHost&>(*this)))
{
    reserveBlockStorage();
}

Vst3Plugin::~Vst3Plugin()
{
    // The editor leaves before the effect it listens to.
    embeddedEditor.reset();
    if (handler) handler->release();
}

tresult Vst3Plugin::findInterface(const TUID iid, void** obj)
{
    if (FUnknown::iid.matches(iid) || IPluginBase::iid.matches(iid) || IComponent::iid.matches(iid))
        return vst3Grant<IComponent>(this, obj);
    if (IAudioProcessor::iid.matches(iid)) return vst3Grant<IAudioProcessor>(this, obj);
    if (IEditController::iid.matches(iid)) return vst3Grant<IEditController>(this, obj);
    if (IUnitInfo::iid.matches(iid)) return vst3Grant<IUnitInfo>(this, obj);
    return kNoInterface;
}

tresult Vst3Plugin::initialize(FUnknown*)
{
    return kResultOk;
}

// The host ends its use here; the handler it gave may go away after this.
tresult Vst3Plugin::terminate()
{
    setComponentHandler(nullptr);
    return kResultOk;
}

tresult Vst3Plugin::getControllerClassId(TUID classId)
{
    // No separate controller class: this object is its own.
    if (classId) std::memset(classId, 0, sizeof(TUID));
    return kResultFalse;
}

namespace
{
bool isMainAudioBus(MediaType type, BusDirection dir, int32 index)
{
    return type == kAudio && (dir == kInput || dir == kOutput) && index == 0;
}
} // namespace

int32 Vst3Plugin::getBusCount(MediaType type, BusDirection dir)
{
    return isMainAudioBus(type, dir, 0) ? 1 : 0;
}

tresult Vst3Plugin::getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& bus)
{
    if (!isMainAudioBus(type, dir, index)) return kInvalidArgument;
    std::memset(&bus, 0, sizeof bus);
    bus.mediaType = kAudio;
    bus.direction = dir;
    bus.channelCount = 2;
    vst3text::copy(bus.name, dir == kInput ? "Stereo In" : "Stereo Out");
    bus.busType = kMain;
    bus.flags = BusInfo::kDefaultActive;
    return kResultOk;
}

tresult Vst3Plugin::activateBus(MediaType type, BusDirection dir, int32 index, TBool)
{
    return isMainAudioBus(type, dir, index) ? kResultOk : kInvalidArgument;
}

// Activation starts from silence, as a VST 2.4 host's resume does after a suspend.
tresult Vst3Plugin::setActive(TBool state)
{
    if (state)
        effect->resume();
    else
        effect->suspend();
    active = state != 0;
    return kResultOk;
}

tresult Vst3Plugin::getState(IBStream* state)
{
    const std::vector<std::uint8_t> bytes = effect->saveState();
    return writeWhole(state, bytes) ? kResultOk : kResultFalse;
}

// The component's and the controller's state are one here: the host hands either the bytes
// getState wrote. A state that is not ours changes nothing.
tresult Vst3Plugin::setState(IBStream* state)
{
    std::vector<std::uint8_t> bytes;
    if (!readWhole(state, bytes)) return kResultFalse;
    return effect->loadState(bytes.data(), bytes.size()) ? kResultOk : kResultFalse;
}

// The controller follows the component's state, which with one object it already holds; loading
// it again is harmless and serves a host that gives the controller the state alone.
tresult Vst3Plugin::setComponentState(IBStream* state)
{
    return setState(state);
}

tresult Vst3Plugin::setComponentHandler(IComponentHandler* newHandler)
{
    if (newHandler == handler) return kResultOk;
    if (newHandler) newHandler->addRef();
    if (handler) handler->release();
    handler = newHandler;
    return kResultOk;
}

tresult Vst3Plugin::getUnitInfo(int32 unitIndex, UnitInfo& info)
{
    if (unitIndex != 0) return kInvalidArgument;
    std::memset(&info, 0, sizeof info);
    info.id = kRootUnitId;
    info.parentUnitId = kNoParentUnitId;
    vst3text::copy(info.name, "Root");
    info.programListId = kFactoryProgramList;
    return kResultOk;
}

tresult Vst3Plugin::getProgramListInfo(int32 listIndex, ProgramListInfo& info)
{
    if (listIndex != 0) return kInvalidArgument;
    std::memset(&info, 0, sizeof info);
    info.id = kFactoryProgramList;
    vst3text::copy(info.name, "Programs");
    info.programCount = kNumPrograms;
    return kResultOk;
}

tresult Vst3Plugin::getProgramName(ProgramListID listId, int32 programIndex, String128 name)
{
    char text[Program::kNameChars + 1] = {};
    if (listId != kFactoryProgramList || !name || !effect->programNameIndexed(programIndex, text))
        return kInvalidArgument;
    vst3text::copy(name, 128, text);
    return kResultOk;
}

tresult Vst3Plugin::selectUnit(UnitID unitId)
{
    return unitId == kRootUnitId ? kResultOk : kInvalidArgument;
}

tresult Vst3Plugin::getUnitByBus(MediaType, BusDirection, int32, int32, UnitID& unitId)
{
    unitId = kRootUnitId;
    return kResultOk;
}

IPlugView* Vst3Plugin::createView(FIDString name)
{
    // One editor per plug-in: a second view while the first lives would share its window.
    if (!name || std::strcmp(name, "editor") != 0 || openView) return nullptr;
    try
    {
        openView = new Vst3EditorView(*this);
        return openView;
    }
    catch (...)
    {
        return nullptr;
    }
}

EmbeddedEditor& Vst3Plugin::editor()
{
    return *embeddedEditor;
}

void Vst3Plugin::viewClosed(Vst3EditorView* view)
{
    if (openView == view) openView = nullptr;
}

bool Vst3Plugin::resizeWindow(std::int32_t width, std::int32_t height)
{
    return openView && openView->requestSize(width, height);
}
