#include "CompressorEngine.h"
#include "FakeEditor.h"
#include "VstTemplate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

namespace
{
class Dispatcher : public ::testing::Test
{
  protected:
    // Through the record, as a host calls.
    static VstIntPtr dispatch(AEffect* e, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                              void* ptr = nullptr, float opt = 0.0f)
    {
        return e->dispatcher(e, opcode, index, value, ptr, opt);
    }

    static std::string text(AEffect* e, VstInt32 opcode, VstInt32 index = 0)
    {
        char buffer[256];
        std::memset(buffer, 'X', sizeof buffer);
        buffer[255] = '\0';
        dispatch(e, opcode, index, 0, buffer);
        return buffer;
    }

    FakeEditor* editor = nullptr;
    int editorsDestroyed = 0;
    // Closed through effClose or deleted.
    VstTemplate* effect = makeEffectWithFakeEditor(&editor, nullptr, &editorsDestroyed).release();
    AEffect* e = effect->getAeffect();
    bool closed = false;

    ~Dispatcher() override
    {
        if (!closed) delete effect;
    }
};
} // namespace

TEST_F(Dispatcher, RecordOfANewEffect)
{
    EXPECT_EQ(e->magic, kEffectMagic);
    EXPECT_EQ(e->numPrograms, 9);
    EXPECT_EQ(e->numParams, 21);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->flags, 4113);
    EXPECT_EQ(e->uniqueID, 0x734B6264);
    EXPECT_EQ(e->version, 1);
    EXPECT_EQ(e->ioRatio, 1.0f);
    EXPECT_EQ(e->object, effect);
    EXPECT_EQ(e->initialDelay, 0);
    dispatch(e, effMainsChanged, 0, 1);
    EXPECT_EQ(e->initialDelay, 151); // the promise, against the engine's sum of its parts
    dispatch(e, effMainsChanged, 0, 0);
    EXPECT_EQ(e->initialDelay, VstTemplate::kLatencyFrames); // stays reported once known
}

TEST_F(Dispatcher, WithoutAnEditorTheFlagIsClearAndEditorOpcodesAnswerZero)
{
    auto bare = makeEffect();
    AEffect* b = bare->getAeffect();
    EXPECT_EQ(b->flags, 4112);
    ERect* rect = nullptr;
    int window = 0;
    VstInt32 answers = 0;
    answers += dispatch(b, effEditGetRect, 0, 0, &rect);
    answers += dispatch(b, effEditOpen, 0, 0, &window);
    answers += dispatch(b, effEditClose);
    answers += dispatch(b, effEditIdle);
    answers += dispatch(b, effEditKeyDown, 'a');
    answers += dispatch(b, effEditKeyUp, 'a');
    answers += dispatch(b, effSetEditKnobMode, 0, 2);
    EXPECT_EQ(answers, 0);
    EXPECT_EQ(rect, nullptr);
}

TEST_F(Dispatcher, EditorOpcodesReachTheEditor)
{
    ASSERT_NE(editor, nullptr);
    ERect* rect = nullptr;
    EXPECT_EQ(dispatch(e, effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right, 690);
    EXPECT_EQ(rect->bottom, 270);
    EXPECT_EQ(dispatch(e, effEditGetRect), 0); // nowhere to put the answer

    int window = 0;
    EXPECT_EQ(dispatch(e, effEditOpen), 0); // no parent window
    EXPECT_EQ(dispatch(e, effEditOpen, 0, 0, &window), 1);
    EXPECT_TRUE(editor->isOpen());
    dispatch(e, effEditIdle);
    EXPECT_EQ(editor->idleCalls, 1);
    EXPECT_EQ(dispatch(e, effEditClose), 0);
    EXPECT_FALSE(editor->isOpen());

    EXPECT_EQ(dispatch(e, effEditKeyDown, 'a', 0x20, nullptr, 3.0f), 1);
    EXPECT_EQ(editor->lastKey.virt, 0x20);
    EXPECT_EQ(editor->lastKey.modifier, 3);
    EXPECT_EQ(dispatch(e, effEditKeyUp, 'b'), 0);
    dispatch(e, effEditKeyDown, 'a', 0, nullptr, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(editor->lastKey.modifier, 0);
    dispatch(e, effEditKeyDown, 'a', 0, nullptr, 1e30f);
    EXPECT_EQ(editor->lastKey.modifier, 0);

    EXPECT_EQ(dispatch(e, effSetEditKnobMode, 0, 2), 1);
    EXPECT_EQ(editor->knobMode, 2);
}

TEST_F(Dispatcher, FixedAnswers)
{
    EXPECT_EQ(dispatch(e, effGetVendorVersion), 1000);
    EXPECT_EQ(dispatch(e, effGetVstVersion), 2400);
    EXPECT_EQ(dispatch(e, effGetPlugCategory), 4);
    EXPECT_EQ(dispatch(e, effIdentify), 0x4E764566);
    EXPECT_EQ(dispatch(e, effGetCurrentMidiProgram), -1);
    EXPECT_EQ(dispatch(e, effSetTotalSampleToProcess, 0, 12345), 12345);
    EXPECT_EQ(dispatch(e, effProcessEvents), 1);
    EXPECT_EQ(dispatch(e, effCanBeAutomated, 7), 1);
    EXPECT_EQ(dispatch(e, effCanBeAutomated, 20), 1);
    EXPECT_EQ(dispatch(e, effGetTailSize), 0);
    EXPECT_EQ(dispatch(e, effSetBypass, 0, 1), 0);
    EXPECT_EQ(dispatch(e, effOpen), 0);
    EXPECT_EQ(text(e, effGetEffectName), "Orvane Feedback Compressor");
    EXPECT_EQ(text(e, effGetVendorString), "Quenmoor");
    EXPECT_EQ(text(e, effGetProductString), "Orvane Feedback Compressor");
    EXPECT_EQ(dispatch(e, effGetEffectName, 0, 0, nullptr), 0);
}

TEST_F(Dispatcher, ChunksAndUnsupportedOpcodesAnswerZeroAndChangeNothing)
{
    void* chunk = &chunk;
    EXPECT_EQ(dispatch(e, effGetChunk, 0, 0, &chunk), 0);
    EXPECT_EQ(chunk, &chunk);
    char data[16] = {};
    EXPECT_EQ(dispatch(e, effSetChunk, 0, sizeof data, data), 0);
    const VstInt32 unsupported[] = {effString2Parameter,
                                    effGetParameterProperties,
                                    effGetOutputProperties,
                                    effSetSpeakerArrangement,
                                    effBeginSetProgram,
                                    effEndSetProgram,
                                    effStartProcess,
                                    effStopProcess,
                                    effSetProcessPrecision,
                                    effGetNumMidiInputChannels,
                                    effVendorSpecific,
                                    effShellGetNextPlugin,
                                    effGetMidiKeyName,
                                    effProcessVarIo,
                                    effGetVu,
                                    effEditDraw,
                                    80,
                                    1000,
                                    -1};
    for (VstInt32 opcode : unsupported)
        EXPECT_EQ(dispatch(e, opcode, 0, 0, data), 0) << opcode;
    EXPECT_EQ(dispatch(e, effGetProgram), 0);
}

TEST_F(Dispatcher, CanDoIsExactAndCaseSensitive)
{
    for (const char* yes : {"receiveVstTimeInfo", "receiveVstMidiEvent", "sendVstMidiEvent"})
        EXPECT_EQ(dispatch(e, effCanDo, 0, 0, const_cast<char*>(yes)), 1) << yes;
    for (const char* no : {"receivevsttimeinfo", "receiveVstTimeInfo ", "bypass", "offline",
                           "sendVstEvents", "midiProgramNames", ""})
        EXPECT_EQ(dispatch(e, effCanDo, 0, 0, const_cast<char*>(no)), 0) << no;
    EXPECT_EQ(dispatch(e, effCanDo), 0);
}

TEST_F(Dispatcher, InputPinsOnly)
{
    VstPinProperties pin;
    std::memset(&pin, 0x5A, sizeof pin);
    EXPECT_EQ(dispatch(e, effGetInputProperties, 1, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Input Right (2)");
    EXPECT_EQ(pin.flags, 3);
    EXPECT_EQ(pin.shortLabel[0], 0x5A); // left as the host passed it
    EXPECT_EQ(pin.arrangementType, 0x5A5A5A5A);
    EXPECT_EQ(dispatch(e, effGetInputProperties, 0, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Input Left (1)");

    VstPinProperties untouched;
    std::memset(&untouched, 0x5A, sizeof untouched);
    for (VstInt32 index : {2, -1, 100})
        EXPECT_EQ(dispatch(e, effGetInputProperties, index, 0, &untouched), 0);
    for (VstInt32 index : {0, 1, 2})
        EXPECT_EQ(dispatch(e, effGetOutputProperties, index, 0, &untouched), 0);
    EXPECT_EQ(untouched.label[0], 0x5A);
    EXPECT_EQ(dispatch(e, effGetInputProperties, 0, 0, nullptr), 0);
}

TEST_F(Dispatcher, SpeakerArrangementAnswersNoneThroughBothPointers)
{
    VstSpeakerArrangement* in = reinterpret_cast<VstSpeakerArrangement*>(&in);
    VstSpeakerArrangement* out = reinterpret_cast<VstSpeakerArrangement*>(&out);
    EXPECT_EQ(dispatch(e, effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out), 0);
    EXPECT_EQ(in, nullptr);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(dispatch(e, effGetSpeakerArrangement), 0);
}

TEST_F(Dispatcher, ParameterTextsThroughTheDispatcher)
{
    EXPECT_EQ(text(e, effGetParamName, 13), "HF Harmonics Amount");
    EXPECT_EQ(text(e, effGetParamDisplay, 5), "2.0:1");
    for (VstInt32 i : {0, 10, 20, 21, -1, 600})
        EXPECT_EQ(text(e, effGetParamLabel, i), "") << i;
    // Out of range: the buffer stays as it was.
    EXPECT_EQ(text(e, effGetParamName, 21).substr(0, 4), "XXXX");
    EXPECT_EQ(text(e, effGetParamDisplay, -1).substr(0, 4), "XXXX");
}

TEST_F(Dispatcher, NullPointersOnEveryWritingOpcodeAreHarmless)
{
    const VstInt32 writers[] = {effGetProgramName,
                                effSetProgramName,
                                effGetParamLabel,
                                effGetParamDisplay,
                                effGetParamName,
                                effEditGetRect,
                                effEditOpen,
                                effGetChunk,
                                effSetChunk,
                                effGetProgramNameIndexed,
                                effGetInputProperties,
                                effGetOutputProperties,
                                effGetEffectName,
                                effGetVendorString,
                                effGetProductString,
                                effCanDo,
                                effGetSpeakerArrangement,
                                effString2Parameter,
                                effGetParameterProperties,
                                effGetMidiProgramName,
                                effGetMidiKeyName,
                                effGetMidiProgramCategory};
    for (VstInt32 opcode : writers)
        EXPECT_EQ(dispatch(e, opcode, 0, 0, nullptr), 0) << opcode;
    EXPECT_EQ(dispatch(e, effProcessEvents, 0, 0, nullptr), 1); // accepted and ignored
}

TEST_F(Dispatcher, SampleRateMustBeFiniteAndPlausible)
{
    dispatch(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    EXPECT_EQ(effect->getEngine().getHostRate(), 48000.0);
    EXPECT_EQ(effect->getSampleRate(), 48000.0f);
    const float bad[] = {std::numeric_limits<float>::quiet_NaN(),
                         std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity(),
                         0.0f,
                         -44100.0f,
                         999.0f,
                         768001.0f,
                         1e30f,
                         std::numeric_limits<float>::denorm_min()};
    for (float rate : bad)
    {
        dispatch(e, effSetSampleRate, 0, 0, nullptr, rate);
        EXPECT_EQ(effect->getEngine().getHostRate(), 48000.0) << rate;
        EXPECT_EQ(effect->getSampleRate(), 48000.0f) << rate;
    }
    dispatch(e, effSetSampleRate, 0, 0, nullptr, 1000.0f);
    EXPECT_EQ(effect->getEngine().getHostRate(), 1000.0);
    dispatch(e, effSetSampleRate, 0, 0, nullptr, 768000.0f);
    EXPECT_EQ(effect->getEngine().getHostRate(), 768000.0);
}

TEST_F(Dispatcher, BlockSizeKeepsOnlyPlausibleValues)
{
    dispatch(e, effSetBlockSize, 0, 256);
    EXPECT_EQ(effect->getBlockSize(), 256);
    dispatch(e, effSetBlockSize, 0, 0);
    dispatch(e, effSetBlockSize, 0, -64);
    dispatch(e, effSetBlockSize, 0, static_cast<VstIntPtr>(std::int64_t(1) << 40));
    EXPECT_EQ(effect->getBlockSize(), 256);
}

TEST_F(Dispatcher, HostReservedFieldIsNeverTouched)
{
    e->resvd1 = 0x1234;
    dispatch(e, effMainsChanged, 0, 1);
    dispatch(e, effSetProgram, 0, 4);
    e->setParameter(e, kBypass, 1.0f);
    dispatch(e, effMainsChanged, 0, 0);
    EXPECT_EQ(e->resvd1, 0x1234);
}

TEST_F(Dispatcher, CloseDestroysTheEffectAndItsEditor)
{
    EXPECT_EQ(dispatch(e, effClose), 1);
    closed = true;
    EXPECT_EQ(editorsDestroyed, 1);
}

TEST_F(Dispatcher, RecordEntriesToleratesANullRecord)
{
    EXPECT_EQ(e->dispatcher(nullptr, effGetVendorVersion, 0, 0, nullptr, 0.0f), 0);
    e->setParameter(nullptr, 0, 0.5f);
    EXPECT_EQ(e->getParameter(nullptr, 0), 0.0f);
    e->processReplacing(nullptr, nullptr, nullptr, 16);
    e->processDoubleReplacing(nullptr, nullptr, nullptr, 16);
    e->process(e, nullptr, nullptr, 16); // the obsolete accumulating entry does nothing
}
