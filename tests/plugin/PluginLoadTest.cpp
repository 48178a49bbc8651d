// Loads the built plug-in library the way a host does and drives it only through its entry
// point and the AEffect record.

#include "EditorSnapshotExport.h"
#include "Platform.h"
#include "VstInterface.h"

#include <gtest/gtest.h>

#include <xmmintrin.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{
// What the plug-in promises hosts, stated here apart from the code that keeps the promise.
constexpr VstInt32 kPromisedLatency = 151;

using Entry = AEffect* (*)(audioMasterCallback);

struct HostCall
{
    AEffect* effect;
    VstInt32 opcode;
};
std::vector<HostCall> calls;

VstIntPtr VSTCALLBACK host(AEffect* effect, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    calls.push_back({effect, opcode});
    return opcode == audioMasterVersion ? 2400 : 0;
}

VstIntPtr VSTCALLBACK oldHost(AEffect* effect, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    calls.push_back({effect, opcode});
    return 0; // knows no version
}

class Plugin : public ::testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        std::string error;
        library = ofchost::platform::loadLibrary(OFC_PLUGIN_PATH, error);
        ASSERT_NE(library, nullptr) << error;
    }
    static void TearDownTestSuite()
    {
        ofchost::platform::unloadLibrary(library);
        library = nullptr;
    }
    void SetUp() override
    {
        ASSERT_NE(library, nullptr);
        entry = reinterpret_cast<Entry>(ofchost::platform::findSymbol(library, "VSTPluginMain"));
        ASSERT_NE(entry, nullptr);
        calls.clear();
    }

    static VstIntPtr dispatch(AEffect* e, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                              void* ptr = nullptr, float opt = 0.0f)
    {
        return e->dispatcher(e, opcode, index, value, ptr, opt);
    }
    static std::string text(AEffect* e, VstInt32 opcode, VstInt32 index = 0)
    {
        char buffer[256] = {};
        dispatch(e, opcode, index, 0, buffer);
        return buffer;
    }

    static void* library;
    Entry entry = nullptr;
};
void* Plugin::library = nullptr;

} // namespace

TEST_F(Plugin, BothEntryNamesCreateAnEffectAfterAskingTheHostsVersion)
{
    auto alias = reinterpret_cast<Entry>(ofchost::platform::findSymbol(library, "main"));
    ASSERT_NE(alias, nullptr);
    for (Entry e : {entry, alias})
    {
        calls.clear();
        AEffect* effect = e(host);
        ASSERT_NE(effect, nullptr);
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls[0].opcode, audioMasterVersion);
        EXPECT_EQ(calls[0].effect, nullptr);
        EXPECT_EQ(effect->magic, kEffectMagic);
        EXPECT_EQ(dispatch(effect, effClose), 1);
    }
}

TEST_F(Plugin, AHostThatAnswersNoVersionGetsNoEffect)
{
    EXPECT_EQ(entry(oldHost), nullptr);
    ASSERT_EQ(calls.size(), 1u); // asked once, nothing created, nothing else called
    EXPECT_EQ(calls[0].opcode, audioMasterVersion);
    EXPECT_EQ(entry(nullptr), nullptr);
}

TEST_F(Plugin, IdentityAsAHostReadsIt)
{
    AEffect* e = entry(host);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->numPrograms, 9);
    EXPECT_EQ(e->numParams, 21);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->uniqueID, 0x734B6264);
    EXPECT_EQ(e->version, 1);
    EXPECT_EQ(e->initialDelay, 0);
    // Replacing in both precisions; the editor flag goes with an editor that answers.
    EXPECT_EQ(e->flags & ~effFlagsHasEditor, 0x1010);
    ERect* rect = nullptr;
    EXPECT_EQ((e->flags & effFlagsHasEditor) != 0, dispatch(e, effEditGetRect, 0, 0, &rect) == 1);
    EXPECT_EQ(text(e, effGetEffectName), "Orvane Feedback Compressor");
    EXPECT_EQ(text(e, effGetVendorString), "Quenmoor");
    EXPECT_EQ(text(e, effGetParamName, 2), "SC Filter Freq");
    EXPECT_EQ(text(e, effGetParamDisplay, 2), " 90Hz");
    EXPECT_EQ(text(e, effGetProgramName), "Downward Comp. Reset");
    dispatch(e, effMainsChanged, 0, 1);
    EXPECT_EQ(e->initialDelay, kPromisedLatency);
    dispatch(e, effMainsChanged, 0, 0);
    dispatch(e, effClose);
}

TEST_F(Plugin, SeveralInstancesAreIndependent)
{
    AEffect* a = entry(host);
    AEffect* b = entry(host);
    AEffect* c = entry(host);
    ASSERT_TRUE(a && b && c);
    EXPECT_NE(a, b);
    EXPECT_NE(b, c);
    a->setParameter(a, 3, 0.5f);
    dispatch(b, effSetProgram, 0, 6);
    char name[] = "Instance C";
    dispatch(c, effSetProgramName, 0, 0, name);

    EXPECT_EQ(a->getParameter(a, 3), 0.5f);
    EXPECT_EQ(b->getParameter(b, 3), 0.7f);
    EXPECT_EQ(c->getParameter(c, 3), 0.0f);
    EXPECT_EQ(dispatch(a, effGetProgram), 0);
    EXPECT_EQ(text(b, effGetProgramName), "AGC");
    EXPECT_EQ(text(a, effGetProgramName), "Downward Comp. Reset");
    EXPECT_EQ(text(c, effGetProgramName), "Instance C");

    dispatch(b, effClose); // closing one leaves the others working
    EXPECT_EQ(text(a, effGetParamDisplay, 3), "-25.0");
    dispatch(a, effClose);
    EXPECT_EQ(text(c, effGetParamDisplay, 3), "-0.0");
    dispatch(c, effClose);
}

TEST_F(Plugin, BypassedAudioThroughTheRecordComesOutOneLatencyLater)
{
    AEffect* e = entry(host);
    ASSERT_NE(e, nullptr);
    dispatch(e, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    dispatch(e, effSetBlockSize, 0, 512);
    dispatch(e, effMainsChanged, 0, 1);
    e->setParameter(e, 16, 1.0f);

    std::vector<float> inL(512, 0.0f), inR(512, 0.0f), outL(512, 9.0f), outR(512, 9.0f);
    inL[0] = 1.0f;
    inR[1] = -1.0f;
    float* in[2] = {inL.data(), inR.data()};
    float* out[2] = {outL.data(), outR.data()};

    const unsigned original = _mm_getcsr();
    const unsigned callers = 0x1F80u | 0x2000u; // round down, no flags
    _mm_setcsr(callers);
    e->processReplacing(e, in, out, 512);
    const unsigned after = _mm_getcsr();
    _mm_setcsr(original);
    EXPECT_EQ(after, callers);

    for (int i = 0; i < 512; ++i)
    {
        ASSERT_EQ(outL[i], i == kPromisedLatency ? 1.0f : 0.0f) << i;
        ASSERT_EQ(outR[i], i == kPromisedLatency + 1 ? -1.0f : 0.0f) << i;
    }

    // Missing buffers and empty or negative blocks: nothing happens, nothing breaks.
    e->processReplacing(e, nullptr, nullptr, 512);
    e->processReplacing(e, in, out, 0);
    e->processReplacing(e, in, out, -1);
    double* none[2] = {nullptr, nullptr};
    e->processDoubleReplacing(e, none, none, 64);
    e->process(e, in, out, 512);
    EXPECT_EQ(outL[kPromisedLatency], 1.0f);

    dispatch(e, effMainsChanged, 0, 0);
    dispatch(e, effClose);
}

// The snapshot export is handed whatever a tool holds: a record of another plug-in, or one that
// only looks like a record, is refused without its object being touched (the object here is too
// small to be an effect, so reading it as one would be caught by the sanitizers).
TEST_F(Plugin, SnapshotRefusesRecordsThatAreNotOurs)
{
    using Snapshot = int (*)(AEffect*, const char*, unsigned);
    auto snapshot = reinterpret_cast<Snapshot>(
        ofchost::platform::findSymbol(library, OFC_EDITOR_SNAPSHOT_SYMBOL));
    ASSERT_NE(snapshot, nullptr);
    AEffect* ours = entry(host);
    ASSERT_NE(ours, nullptr);

    static char tooSmall[4];
    AEffect foreign = *ours;
    foreign.dispatcher = [](AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) -> VstIntPtr
    { return 0; };
    foreign.object = tooSmall;
    AEffect copied = *ours; // our dispatcher, but not the record the object owns
    AEffect lookalike = *ours;
    lookalike.object = tooSmall;

    for (AEffect* record : {static_cast<AEffect*>(nullptr), &foreign, &copied, &lookalike})
        EXPECT_EQ(snapshot(record, nullptr, 0), 0);
    EXPECT_EQ(snapshot(ours, nullptr, 0), 1);
    dispatch(ours, effEditClose);
    dispatch(ours, effClose);
}
