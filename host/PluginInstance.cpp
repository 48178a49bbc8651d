#include "PluginInstance.h"

#include <cstring>
#include <vector>

namespace ofchost
{
namespace
{
// Names are meant to fit in 64 characters; the buffer leaves room for plug-ins that write
// much more than they should.
constexpr std::size_t kTextBuffer = 64 * 1024;

std::string cleanText(const char* buffer)
{
    std::string text;
    for (std::size_t i = 0; buffer[i] != '\0' && text.size() < kMaxTextLength; ++i)
    {
        const auto c = static_cast<unsigned char>(buffer[i]);
        text += (c < 32 || c == 127) ? '?' : static_cast<char>(c);
    }
    return text;
}

VstInt32 listed(VstInt32 count)
{
    return count < 0 ? 0 : (count > kMaxListed ? kMaxListed : count);
}
} // namespace

std::unique_ptr<PluginInstance>
PluginInstance::create(const PluginModule& module, audioMasterCallback callback, std::string& error)
{
    if (!module.isLoaded())
    {
        error = "no plug-in loaded";
        return nullptr;
    }
    AEffect* record = module.entryPoint()(callback);
    if (!record)
    {
        error = "the entry point returned no effect";
        return nullptr;
    }
    if (record->magic != kEffectMagic)
    {
        error = "the entry point returned a record without the VST magic";
        return nullptr;
    }
    if (!record->dispatcher)
    {
        error = "the effect has no dispatcher";
        return nullptr;
    }
    return std::unique_ptr<PluginInstance>(new PluginInstance(record));
}

PluginInstance::~PluginInstance()
{
    dispatch(effClose);
}

VstIntPtr PluginInstance::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt) const
{
    return record->dispatcher(record, opcode, index, value, ptr, opt);
}

void PluginInstance::open(double sampleRate, VstInt32 blockSize) const
{
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    dispatch(effSetBlockSize, 0, blockSize);
}

VstInt32 PluginInstance::parameterCount() const
{
    return listed(record->numParams);
}

VstInt32 PluginInstance::programCount() const
{
    return listed(record->numPrograms);
}

std::string PluginInstance::text(VstInt32 opcode, VstInt32 index, VstIntPtr value) const
{
    std::vector<char> buffer(kTextBuffer, '\0');
    dispatch(opcode, index, value, buffer.data());
    buffer.back() = '\0';
    return cleanText(buffer.data());
}

float PluginInstance::parameter(VstInt32 index) const
{
    return record->getParameter ? record->getParameter(record, index) : 0.0f;
}

void PluginInstance::setParameter(VstInt32 index, float value) const
{
    if (record->setParameter) record->setParameter(record, index, value);
}

std::string PluginInstance::programName(VstInt32 program) const
{
    std::vector<char> buffer(kTextBuffer, '\0');
    if (dispatch(effGetProgramNameIndexed, program, -1, buffer.data()))
    {
        buffer.back() = '\0';
        return cleanText(buffer.data());
    }
    const VstIntPtr current = dispatch(effGetProgram);
    dispatch(effSetProgram, 0, program);
    std::string name = currentProgramName();
    dispatch(effSetProgram, 0, current);
    return name;
}

bool PluginInstance::canProcessFloat() const
{
    return (record->flags & effFlagsCanReplacing) && record->processReplacing;
}

bool PluginInstance::canProcessDouble() const
{
    return (record->flags & effFlagsCanDoubleReplacing) && record->processDoubleReplacing;
}

void PluginInstance::processReplacing(float** inputs, float** outputs, VstInt32 frames) const
{
    if (record->processReplacing) record->processReplacing(record, inputs, outputs, frames);
}

void PluginInstance::processDoubleReplacing(double** inputs, double** outputs,
                                            VstInt32 frames) const
{
    if (record->processDoubleReplacing)
        record->processDoubleReplacing(record, inputs, outputs, frames);
}

std::string fourCharCode(VstInt32 id)
{
    const auto u = static_cast<std::uint32_t>(id);
    std::string code;
    for (int shift = 24; shift >= 0; shift -= 8)
    {
        const char c = static_cast<char>((u >> shift) & 0xFF);
        code += (c >= 32 && c < 127) ? c : '.';
    }
    return code;
}

const char* categoryName(VstIntPtr category)
{
    static const char* const kNames[] = {"Unknown",     "Effect",         "Synth",  "Analysis",
                                         "Mastering",   "Spacializer",    "RoomFx", "SurroundFx",
                                         "Restoration", "OfflineProcess", "Shell",  "Generator"};
    if (category < 0 || category >= static_cast<VstIntPtr>(sizeof kNames / sizeof kNames[0]))
        return "?";
    return kNames[category];
}

std::string flagNames(VstInt32 flags)
{
    static const struct
    {
        VstInt32 bit;
        const char* name;
    } kFlags[] = {{effFlagsHasEditor, "HasEditor"},
                  {effFlagsHasClip, "HasClip"},
                  {effFlagsHasVu, "HasVu"},
                  {effFlagsCanMono, "CanMono"},
                  {effFlagsCanReplacing, "CanReplacing"},
                  {effFlagsProgramChunks, "ProgramChunks"},
                  {effFlagsIsSynth, "IsSynth"},
                  {effFlagsNoSoundInStop, "NoSoundInStop"},
                  {effFlagsExtIsAsync, "ExtIsAsync"},
                  {effFlagsExtHasBuffer, "ExtHasBuffer"},
                  {effFlagsCanDoubleReplacing, "CanDoubleReplacing"}};
    std::string names;
    VstInt32 known = 0;
    for (const auto& f : kFlags)
    {
        known |= f.bit;
        if (flags & f.bit) names += (names.empty() ? "" : " ") + std::string(f.name);
    }
    if (flags & ~known) names += (names.empty() ? "" : " ") + std::string("(unknown bits)");
    return names;
}

} // namespace ofchost
