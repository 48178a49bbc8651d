#pragma once

#include "ClapExtensions.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A CLAP host for the tests and for ofc-clap-host, written from our own declarations: it loads
// a .clap library, makes one plug-in instance and offers the host extensions a real host would
// (thread check, params, state, latency, gui, timers, descriptors), recording what the plug-in
// asks of them. The thread that made the host is its main thread; a thread inside an
// AudioThreadScope is its audio thread.
class ClapLibrary
{
  public:
    ~ClapLibrary();
    // False with the reason when the file is no loadable CLAP library.
    bool load(const std::string& path, std::string& error);
    const clap_plugin_entry_t* entry() const { return clapEntry; }
    const clap_plugin_factory_t* factory() const;

  private:
    void* library = nullptr;
    const clap_plugin_entry_t* clapEntry = nullptr;
    bool initialised = false;
};

class ClapTestHost
{
  public:
    ClapTestHost();
    ~ClapTestHost();
    ClapTestHost(const ClapTestHost&) = delete;
    ClapTestHost& operator=(const ClapTestHost&) = delete;

    // Creates and initialises the library's first plug-in; false with the reason otherwise.
    bool open(const ClapLibrary& library, std::string& error);
    const clap_plugin_t* plugin() const { return instance; }
    template <typename Extension> const Extension* extension(const char* id) const
    {
        return static_cast<const Extension*>(instance->get_extension(instance, id));
    }
    const clap_host_t* record() const { return &host; }
    // Destroys the instance now (the destructor does too).
    void close();

    // What the plug-in asked of the host.
    int rescans = 0;
    int flushRequests = 0;
    int resizeRequests = 0;
    std::map<clap_id, std::uint32_t> timers;      // id: period
    std::map<int, clap_posix_fd_flags_t> watched; // descriptor: flags
    bool offerThreadCheck = true;

    // The events a plug-in pushes, copied.
    struct SentEvent
    {
        std::uint16_t type;
        clap_id param;
        double value;
    };
    std::vector<SentEvent> sent;
    const clap_output_events_t* output() const { return &outEvents; }

  private:
    static const void* CLAP_ABI hostExtension(const clap_host_t* host, const char* id);
    static ClapTestHost& of(const clap_host_t* host);
    static bool CLAP_ABI pushEvent(const clap_output_events_t* list,
                                   const clap_event_header_t* event);

    clap_host_t host{};
    clap_output_events_t outEvents{};
    const clap_plugin_t* instance = nullptr;
};

// Marks the current thread as the host's audio thread while it lives.
class AudioThreadScope
{
  public:
    AudioThreadScope();
    ~AudioThreadScope();
};

// Input events held in a list the plug-in reads.
class EventList
{
  public:
    void addValue(std::uint32_t frame, clap_id param, double value);
    const clap_input_events_t* get() const { return &list; }
    void clear() { events.clear(); }

  private:
    static std::uint32_t CLAP_ABI size(const clap_input_events_t* list);
    static const clap_event_header_t* CLAP_ABI at(const clap_input_events_t* list,
                                                  std::uint32_t index);
    std::vector<clap_event_param_value_t> events;
    clap_input_events_t list{this, size, at};
};

// The plug-in's state through streams that move at most `chunk` bytes per call.
bool saveState(const ClapTestHost& host, std::vector<std::uint8_t>& bytes, std::size_t chunk);
bool loadState(const ClapTestHost& host, const std::vector<std::uint8_t>& bytes, std::size_t chunk);
