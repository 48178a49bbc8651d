// A deliberately misbehaving VST 2.4 plug-in for testing the host tools. It passes its two inputs
// through, and the environment variable OFC_TEST_PLUGIN (words separated by commas) makes it:
//   nan          output NaN from frame 100 on
//   loud         output four times its input
//   slow         sleep 20 ms in every processing call
//   double-flag  claim 64-bit processing without giving the function
//   long-names   answer every text with 3000 characters, control characters among them
//   many         claim 2^31-1 parameters and a million programs
#include "ExportMacro.h"
#include "VstInterface.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <thread>

namespace
{

bool mode(const char* word)
{
    const char* modes = std::getenv("OFC_TEST_PLUGIN");
    if (!modes) return false;
    const std::string list = "," + std::string(modes) + ",";
    return list.find("," + std::string(word) + ",") != std::string::npos;
}

VstIntPtr VSTCALLBACK dispatch(AEffect* effect, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr,
                               float)
{
    const bool text = opcode == effGetParamName || opcode == effGetParamLabel ||
                      opcode == effGetParamDisplay || opcode == effGetEffectName ||
                      opcode == effGetProgramName;
    if (text && ptr)
    {
        if (mode("long-names"))
        {
            std::string name(3000, 'x');
            name[10] = '\n';
            std::memcpy(ptr, name.c_str(), name.size() + 1);
        }
        else
            std::strcpy(static_cast<char*>(ptr), opcode == effGetParamName ? "Gain" : "Test");
    }
    if (opcode == effClose) delete effect;
    return 0;
}

void VSTCALLBACK process(AEffect*, float** inputs, float** outputs, VstInt32 frames)
{
    if (mode("slow")) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    static long long position = 0;
    const bool nan = mode("nan");
    const float gain = mode("loud") ? 4.0f : 1.0f;
    for (int c = 0; c < 2; ++c)
        for (VstInt32 i = 0; i < frames; ++i)
            outputs[c][i] = nan && position + i >= 100 ? std::numeric_limits<float>::quiet_NaN()
                                                       : inputs[c][i] * gain;
    position += frames;
}

float VSTCALLBACK getParameter(AEffect*, VstInt32)
{
    return 0.5f;
}

void VSTCALLBACK setParameter(AEffect*, VstInt32, float) {}

} // namespace

OFC_EXPORT AEffect* VSTPluginMain(audioMasterCallback host)
{
    if (!host || !host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f)) return nullptr;
    auto* effect = new AEffect{};
    effect->magic = kEffectMagic;
    effect->dispatcher = dispatch;
    effect->getParameter = getParameter;
    effect->setParameter = setParameter;
    effect->processReplacing = process;
    effect->numInputs = effect->numOutputs = 2;
    effect->numParams = mode("many") ? std::numeric_limits<VstInt32>::max() : 1;
    effect->numPrograms = mode("many") ? 1000000 : 0;
    effect->flags = effFlagsCanReplacing | (mode("double-flag") ? effFlagsCanDoubleReplacing : 0);
    effect->uniqueID = vstFourCC('T', 'e', 's', 't');
    return effect;
}
