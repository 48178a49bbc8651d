// The host's other two threads: one automating parameters and switching programs, one being the
// user interface: opening and closing the editor, idling it, and asking for every text.

#include "EditorSnapshotExport.h"
#include "Soak.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <thread>

namespace soak
{
namespace
{

constexpr VstInt32 kDelta = 15, kBypass = 16, kScPreview = 17;

float automationValue(std::mt19937& rng)
{
    switch (rng() % 10)
    {
    case 0:
        return float(rng() % 3) * 0.5f;
    case 1:
        return std::uniform_real_distribution<float>(-3.0f, 4.0f)(rng);
    case 2:
        return rng() % 2 ? std::numeric_limits<float>::quiet_NaN()
                         : std::numeric_limits<float>::infinity();
    default:
        return std::uniform_real_distribution<float>(0.0f, 1.0f)(rng);
    }
}

// The automation thread is the only writer of parameters, so each one reads back what it was
// given (a non-finite value is refused and leaves the old one), and a switch turned on has
// turned the other two of Delta, Bypass and SC Preview off.
void automateOne(Session& session, Instance& instance, std::mt19937& rng)
{
    AEffect* e = instance.effect;
    const VstInt32 index = VstInt32(rng() % kNumParams);
    const float before = e->getParameter(e, index), value = automationValue(rng);
    e->setParameter(e, index, value);
    const float expected = std::isfinite(value) ? value : before;
    const float after = e->getParameter(e, index);
    std::ostringstream what;
    if (!(after == expected))
        what << "parameter " << index << " set to " << value << " reads " << after;
    const bool on = std::isfinite(value) && (index == kScPreview ? value > 0.5f : value == 1.0f);
    if (index >= kDelta && index <= kScPreview && on)
        for (VstInt32 other = kDelta; other <= kScPreview; ++other)
            if (other != index && e->getParameter(e, other) != 0.0f)
                what << "switch " << index << " on leaves switch " << other << " on; ";
    if (!what.str().empty())
        session.fail("instance " + std::to_string(instance.id) + ": " + what.str());
    ++session.counters.parameterSets;
}

void changeProgram(Session& session, Instance& instance, std::mt19937& rng)
{
    AEffect* e = instance.effect;
    const VstIntPtr before = dispatch(e, effGetProgram);
    const VstIntPtr program = VstIntPtr(rng() % 12) - 1; // -1, 9 and 10 are not programs
    dispatch(e, effSetProgram, 0, program);
    const VstIntPtr expected = program >= 0 && program < e->numPrograms ? program : before;
    if (dispatch(e, effGetProgram) != expected)
        session.fail("instance " + std::to_string(instance.id) + ": program " +
                     std::to_string(program) + " set, " +
                     std::to_string(dispatch(e, effGetProgram)) + " current");
    ++session.counters.programChanges;
}

// A text must end within `limit` characters and nothing after its terminator may be written.
// An index the effect does not know leaves the buffer as it was.
void checkText(Session& session, Instance& instance, VstInt32 opcode, VstInt32 index,
               std::size_t limit, bool known = true)
{
    unsigned char buffer[256];
    std::memset(buffer, 0xA5, sizeof buffer);
    dispatch(instance.effect, opcode, index, 0, buffer);
    const void* end = std::memchr(buffer, 0, sizeof buffer);
    const std::size_t length =
        end ? std::size_t(static_cast<const unsigned char*>(end) - buffer) : 256;
    bool sound = known ? length <= limit : buffer[0] == 0xA5;
    for (std::size_t i = length + 1; sound && i < sizeof buffer; ++i)
        sound = buffer[i] == 0xA5;
    if (!sound)
        session.fail("instance " + std::to_string(instance.id) + ": opcode " +
                     std::to_string(opcode) + " index " + std::to_string(index) + " wrote " +
                     std::to_string(length) + " characters or beyond its terminator");
    ++session.counters.textChecks;
}

void checkTexts(Session& session, Instance& instance)
{
    for (VstInt32 index : {0, 3, 7, 10, 13, 18, 20})
    {
        checkText(session, instance, effGetParamDisplay, index, kVstMaxParamStrLen);
        checkText(session, instance, effGetParamLabel, index, kVstMaxParamStrLen);
        checkText(session, instance, effGetParamName, index, kVstMaxEffectNameLen - 1);
    }
    for (VstInt32 index : {-1, 21, 500})
    {
        checkText(session, instance, effGetParamDisplay, index, 0, false);
        checkText(session, instance, effGetParamName, index, 0, false);
    }
    checkText(session, instance, effGetProgramName, 0, kVstMaxProgNameLen);
    checkText(session, instance, effGetProgramNameIndexed, 8, kVstMaxProgNameLen);
    checkText(session, instance, effGetEffectName, 0, kVstMaxEffectNameLen - 1);
    checkText(session, instance, effGetVendorString, 0, kVstMaxVendorStrLen - 1);
}

// The constants among the read-only values, and the active flag, which is either state.
void checkReadOnlyValues(Session& session, Instance& instance)
{
    AEffect* e = instance.effect;
    const float active = e->getParameter(e, 506);
    if (e->getParameter(e, 500) != 1.0f || e->getParameter(e, 504) != 0.0f ||
        e->getParameter(e, 505) != 0.0f || (active != 0.0f && active != 1.0f))
        session.fail("instance " + std::to_string(instance.id) + ": read-only values 500 to 506");
}

void renameProgram(Instance& instance, std::mt19937& rng)
{
    char name[48];
    const std::size_t length = rng() % (sizeof name - 1);
    for (std::size_t i = 0; i < length; ++i)
        name[i] = char('a' + rng() % 26);
    name[length] = 0;
    dispatch(instance.effect, effSetProgramName, 0, 0, name);
}

// The editor opens without a window through the library's snapshot export, whose clock this
// thread then moves on by hand: a few milliseconds per idle call, as a host's timer would.
void exerciseEditor(Session& session, Instance& instance, bool& open, std::mt19937& rng)
{
    AEffect* e = instance.effect;
    if (rng() % 40 == 0)
    {
        if (open) dispatch(e, effEditClose);
        ERect* rect = nullptr;
        if (!open && (!dispatch(e, effEditGetRect, 0, 0, &rect) || !rect ||
                      rect->right - rect->left != 690 || rect->bottom - rect->top != 270))
            session.fail("instance " + std::to_string(instance.id) + ": editor rectangle");
        if (!open && session.openEditor(e, nullptr, 0) != 1)
            session.fail("instance " + std::to_string(instance.id) + ": editor did not open");
        if (!open) ++session.counters.editorOpens;
        open = !open;
    }
    if (open) session.openEditor(e, nullptr, unsigned(rng() % 30));
    dispatch(e, effEditIdle);
    ++session.counters.idles;
}

} // namespace

void runAutomation(Session& session)
{
    std::mt19937 rng(unsigned(session.options.seed) ^ 0xA170u);
    for (long long call = 0; session.running(); ++call)
    {
        Instance& instance = session.instances[rng() % session.instances.size()];
        if (rng() % 50 == 0)
            changeProgram(session, instance, rng);
        else
            automateOne(session, instance, rng);
        if (call % 64 == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

void runUserInterface(Session& session)
{
    std::mt19937 rng(unsigned(session.options.seed) ^ 0x5EEDu);
    std::vector<char> open(session.instances.size(), 0);
    while (session.running())
    {
        for (std::size_t i = 0; i < session.instances.size(); ++i)
        {
            bool isOpen = open[i];
            exerciseEditor(session, session.instances[i], isOpen, rng);
            open[i] = isOpen;
            if (rng() % 8 == 0) checkTexts(session, session.instances[i]);
            checkReadOnlyValues(session, session.instances[i]);
            if (rng() % 100 == 0) renameProgram(session.instances[i], rng);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    for (std::size_t i = 0; i < session.instances.size(); ++i)
        if (open[i]) dispatch(session.instances[i].effect, effEditClose);
}

} // namespace soak
