#include "ClapTestHost.h"

#include "platform/Platform.h"

#include <algorithm>
#include <cstring>
#include <thread>

namespace
{
std::thread::id mainThread;
thread_local bool audioThread = false;

bool CLAP_ABI isMain(const clap_host_t*)
{
    return std::this_thread::get_id() == mainThread;
}
bool CLAP_ABI isAudio(const clap_host_t*)
{
    return audioThread;
}
const clap_host_thread_check_t kThreadCheck = {isMain, isAudio};
} // namespace

AudioThreadScope::AudioThreadScope()
{
    audioThread = true;
}
AudioThreadScope::~AudioThreadScope()
{
    audioThread = false;
}

ClapLibrary::~ClapLibrary()
{
    if (initialised) clapEntry->deinit();
    if (library) ofchost::platform::unloadLibrary(library);
}

bool ClapLibrary::load(const std::string& path, std::string& error)
{
    library = ofchost::platform::loadLibrary(path, error);
    if (!library) return false;
    clapEntry = static_cast<const clap_plugin_entry_t*>(
        ofchost::platform::findSymbol(library, "clap_entry"));
    if (!clapEntry || !clap_version_is_compatible(clapEntry->clap_version))
        error = path + ": no clap_entry of a 1.x interface";
    else if (!(initialised = clapEntry->init(path.c_str())))
        error = path + ": the entry's init failed";
    return initialised;
}

const clap_plugin_factory_t* ClapLibrary::factory() const
{
    return static_cast<const clap_plugin_factory_t*>(
        clapEntry->get_factory(CLAP_PLUGIN_FACTORY_ID));
}

ClapTestHost& ClapTestHost::of(const clap_host_t* host)
{
    return *static_cast<ClapTestHost*>(host->host_data);
}

ClapTestHost::ClapTestHost()
{
    mainThread = std::this_thread::get_id();
    host.clap_version = CLAP_VERSION;
    host.host_data = this;
    host.name = "ofc-clap-host";
    host.vendor = "Quenmoor";
    host.url = "";
    host.version = "1";
    host.get_extension = hostExtension;
    host.request_restart = [](const clap_host_t*) {};
    host.request_process = [](const clap_host_t*) {};
    host.request_callback = [](const clap_host_t*) {};
    outEvents = {this, pushEvent};
}

ClapTestHost::~ClapTestHost()
{
    close();
}

bool ClapTestHost::open(const ClapLibrary& library, std::string& error)
{
    const clap_plugin_factory_t* factory = library.factory();
    if (!factory || factory->get_plugin_count(factory) < 1)
    {
        error = "the library offers no plug-in factory";
        return false;
    }
    const clap_plugin_descriptor_t* descriptor = factory->get_plugin_descriptor(factory, 0);
    instance = descriptor ? factory->create_plugin(factory, &host, descriptor->id) : nullptr;
    if (!instance || !instance->init(instance))
    {
        error = "the plug-in could not be made";
        close();
        return false;
    }
    return true;
}

void ClapTestHost::close()
{
    if (instance) instance->destroy(instance);
    instance = nullptr;
}

bool CLAP_ABI ClapTestHost::pushEvent(const clap_output_events_t* list,
                                      const clap_event_header_t* event)
{
    auto& self = *static_cast<ClapTestHost*>(list->ctx);
    SentEvent sent{event->type, CLAP_INVALID_ID, 0.0};
    if (event->type == CLAP_EVENT_PARAM_VALUE)
    {
        const auto* value = reinterpret_cast<const clap_event_param_value_t*>(event);
        sent.param = value->param_id;
        sent.value = value->value;
    }
    else if (event->type == CLAP_EVENT_PARAM_GESTURE_BEGIN ||
             event->type == CLAP_EVENT_PARAM_GESTURE_END)
        sent.param = reinterpret_cast<const clap_event_param_gesture_t*>(event)->param_id;
    self.sent.push_back(sent);
    return true;
}

const void* CLAP_ABI ClapTestHost::hostExtension(const clap_host_t* host, const char* id)
{
    static const clap_host_params_t params = {
        [](const clap_host_t* h, clap_param_rescan_flags) { ++of(h).rescans; },
        [](const clap_host_t*, clap_id, clap_param_clear_flags) {},
        [](const clap_host_t* h) { ++of(h).flushRequests; }};
    static const clap_host_gui_t gui = {[](const clap_host_t*) {},
                                        [](const clap_host_t* h, std::uint32_t, std::uint32_t)
                                        { return ++of(h).resizeRequests, true; },
                                        [](const clap_host_t*) { return true; },
                                        [](const clap_host_t*) { return true; },
                                        [](const clap_host_t*, bool) {}};
    static const clap_host_timer_support_t timers = {
        [](const clap_host_t* h, std::uint32_t period, clap_id* id)
        {
            static clap_id next = 1;
            of(h).timers[*id = next++] = period;
            return true;
        },
        [](const clap_host_t* h, clap_id id) { return of(h).timers.erase(id) == 1; }};
    static const clap_host_posix_fd_support_t descriptors = {
        [](const clap_host_t* h, int fd, clap_posix_fd_flags_t flags)
        { return of(h).watched.emplace(fd, flags).second; },
        [](const clap_host_t* h, int fd, clap_posix_fd_flags_t flags)
        { return of(h).watched.count(fd) ? (of(h).watched[fd] = flags, true) : false; },
        [](const clap_host_t* h, int fd) { return of(h).watched.erase(fd) == 1; }};
    if (!id) return nullptr;
    if (!std::strcmp(id, CLAP_EXT_THREAD_CHECK))
        return of(host).offerThreadCheck ? &kThreadCheck : nullptr;
    if (!std::strcmp(id, CLAP_EXT_PARAMS)) return &params;
    if (!std::strcmp(id, CLAP_EXT_GUI)) return &gui;
    if (!std::strcmp(id, CLAP_EXT_TIMER_SUPPORT)) return &timers;
    if (!std::strcmp(id, CLAP_EXT_POSIX_FD_SUPPORT)) return &descriptors;
    return nullptr;
}

void EventList::addValue(std::uint32_t frame, clap_id param, double value)
{
    clap_event_param_value_t event{};
    event.header = {sizeof event, frame, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    event.param_id = param;
    event.note_id = -1;
    event.port_index = event.channel = event.key = -1;
    event.value = value;
    events.push_back(event);
}

std::uint32_t CLAP_ABI EventList::size(const clap_input_events_t* list)
{
    return static_cast<std::uint32_t>(static_cast<const EventList*>(list->ctx)->events.size());
}

const clap_event_header_t* CLAP_ABI EventList::at(const clap_input_events_t* list,
                                                  std::uint32_t index)
{
    const auto& events = static_cast<const EventList*>(list->ctx)->events;
    return index < events.size() ? &events[index].header : nullptr;
}

namespace
{
struct Stream
{
    std::vector<std::uint8_t>* bytes;
    std::size_t chunk;
    std::size_t position = 0;
};
} // namespace

bool saveState(const ClapTestHost& host, std::vector<std::uint8_t>& bytes, std::size_t chunk)
{
    Stream stream{&bytes, chunk};
    bytes.clear();
    const clap_ostream_t out = {
        &stream,
        [](const clap_ostream_t* s, const void* data, std::uint64_t size) -> std::int64_t
        {
            auto& to = *static_cast<Stream*>(s->ctx);
            const auto n = std::min<std::uint64_t>(size, to.chunk);
            const auto* from = static_cast<const std::uint8_t*>(data);
            to.bytes->insert(to.bytes->end(), from, from + n);
            return static_cast<std::int64_t>(n);
        }};
    const auto* state = host.extension<clap_plugin_state_t>(CLAP_EXT_STATE);
    return state && state->save(host.plugin(), &out);
}

bool loadState(const ClapTestHost& host, const std::vector<std::uint8_t>& bytes, std::size_t chunk)
{
    Stream stream{const_cast<std::vector<std::uint8_t>*>(&bytes), chunk};
    const clap_istream_t in = {
        &stream,
        [](const clap_istream_t* s, void* data, std::uint64_t size) -> std::int64_t
        {
            auto& from = *static_cast<Stream*>(s->ctx);
            const auto n =
                std::min<std::uint64_t>({size, from.chunk, from.bytes->size() - from.position});
            std::memcpy(data, from.bytes->data() + from.position, n);
            from.position += n;
            return static_cast<std::int64_t>(n);
        }};
    const auto* state = host.extension<clap_plugin_state_t>(CLAP_EXT_STATE);
    return state && state->load(host.plugin(), &in);
}
