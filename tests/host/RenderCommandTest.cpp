// ofc-host render run as a program on short files through the built plug-in.
#include "HostTestSupport.h"

#include <gtest/gtest.h>
#include <sndfile.h>

namespace
{
using hosttest::Audio;
using hosttest::fileExists;
using hosttest::readAudio;
using hosttest::runHost;

constexpr std::size_t kLatency = 151;
constexpr int kFloatWav = SF_FORMAT_WAV | SF_FORMAT_FLOAT;

class RenderCommand : public ::testing::Test
{
  protected:
    // Writes the input, renders it with the extra arguments, answers the command's result.
    hosttest::CommandResult render(const Audio& input, const std::vector<std::string>& extra,
                                   const std::string& inName = "in.wav",
                                   const std::string& outName = "out.wav")
    {
        hosttest::writeAudio(dir.file(inName), input);
        std::vector<std::string> args = {"render", OFC_PLUGIN_PATH, dir.file(inName),
                                         dir.file(outName)};
        args.insert(args.end(), extra.begin(), extra.end());
        return runHost(args);
    }

    hosttest::TempDirectory dir;
};

TEST_F(RenderCommand, BypassWithLatencyCompensationGivesTheInputBackExactly)
{
    // A block size that divides neither the length nor the latency, and a file shorter than the
    // latency, whose every frame comes from the silence fed after its end.
    for (const std::size_t frames : {3001u, 100u})
        for (const std::string precision : {"--block=256", "--double"})
        {
            SCOPED_TRACE(precision + " " + std::to_string(frames));
            const Audio input = hosttest::testSignal(2, frames, kFloatWav);
            // The first variant repeats the block size so that both take the same arguments.
            const auto result = render(
                input, {"--set", "Bypass=1", "--compensate-latency", "--block", "256", precision});
            ASSERT_EQ(result.exitCode, 0) << result.output;
            EXPECT_NE(result.output.find("latency 151 frames (compensated)"), std::string::npos)
                << result.output;
            const Audio output = readAudio(dir.file("out.wav"));
            EXPECT_EQ(output.format, kFloatWav);
            EXPECT_EQ(output.sampleRate, input.sampleRate);
            EXPECT_EQ(output.samples, input.samples);
        }
}

TEST_F(RenderCommand, WithoutCompensationTheOutputIsDelayedByTheLatency)
{
    const Audio input = hosttest::testSignal(2, 2000, kFloatWav);
    const auto result = render(input, {"--set", "Bypass=1"});
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const Audio output = readAudio(dir.file("out.wav"));
    ASSERT_EQ(output.frames(), input.frames());
    ASSERT_EQ(output.channels, 2);
    for (std::size_t i = 0; i < kLatency; ++i)
        ASSERT_EQ(output.at(i, 0), 0.0) << "frame " << i;
    for (std::size_t i = 0; i + kLatency < input.frames(); ++i)
        for (int c = 0; c < 2; ++c)
            ASSERT_EQ(output.at(i + kLatency, c), input.at(i, c)) << "frame " << i;
}

TEST_F(RenderCommand, MonoInputFeedsBothInputsAndComesOutStereo)
{
    const Audio input = hosttest::testSignal(1, 1500, kFloatWav);
    const auto result = render(input, {"--set", "Bypass=1", "--compensate-latency"});
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const Audio output = readAudio(dir.file("out.wav"));
    ASSERT_EQ(output.channels, 2);
    ASSERT_EQ(output.frames(), input.frames());
    for (std::size_t i = 0; i < input.frames(); ++i)
    {
        ASSERT_EQ(output.at(i, 0), input.at(i, 0)) << "frame " << i;
        ASSERT_EQ(output.at(i, 1), input.at(i, 0)) << "frame " << i;
    }
}

TEST_F(RenderCommand, IntegerFilesKeepTheirFormatAndPassBypassUnchanged)
{
    const Audio source = hosttest::testSignal(2, 1200, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    hosttest::writeAudio(dir.file("pcm.wav"), source);
    const Audio input = readAudio(dir.file("pcm.wav")); // quantised to 16 bits
    const auto result = runHost({"render", OFC_PLUGIN_PATH, dir.file("pcm.wav"),
                                 dir.file("out.wav"), "--set", "Bypass=1", "--compensate-latency"});
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const Audio output = readAudio(dir.file("out.wav"));
    EXPECT_EQ(output.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(output.samples, input.samples);
}

TEST_F(RenderCommand, ProgramByNameOrNumberSelectsTheSameProgram)
{
    const Audio input = hosttest::testSignal(2, 6000, kFloatWav);
    const auto byNumber = render(input, {"--program", "2"}, "in.wav", "number.wav");
    const auto byName = render(input, {"--program", "Mastering: Smooth"}, "in.wav", "name.wav");
    const auto anyCase = render(input, {"--program=mastering: smooth"}, "in.wav", "case.wav");
    const auto first = render(input, {}, "in.wav", "first.wav");
    for (const auto* result : {&byNumber, &byName, &anyCase})
    {
        ASSERT_EQ(result->exitCode, 0) << result->output;
        EXPECT_NE(result->output.find("Program:    2 \"Mastering: Smooth\""), std::string::npos)
            << result->output;
    }
    ASSERT_EQ(first.exitCode, 0) << first.output;
    EXPECT_NE(first.output.find("Program:    0 \"Downward Comp. Reset\""), std::string::npos);

    const Audio number = readAudio(dir.file("number.wav"));
    EXPECT_EQ(readAudio(dir.file("name.wav")).samples, number.samples);
    EXPECT_EQ(readAudio(dir.file("case.wav")).samples, number.samples);
    // The program chosen makes a difference to the sound.
    EXPECT_NE(readAudio(dir.file("first.wav")).samples, number.samples);
}

TEST_F(RenderCommand, UnknownProgramsFailBeforeWritingAnything)
{
    const Audio input = hosttest::testSignal(2, 100, kFloatWav);
    const auto byName = render(input, {"--program", "No Such Program"});
    EXPECT_EQ(byName.exitCode, 1);
    EXPECT_NE(byName.output.find("no program is called 'No Such Program'"), std::string::npos)
        << byName.output;
    EXPECT_NE(byName.output.find("8  Classic Compressor II"), std::string::npos) << byName.output;
    const auto byNumber = render(input, {"--program", "9"});
    EXPECT_EQ(byNumber.exitCode, 1);
    EXPECT_NE(byNumber.output.find("no program 9"), std::string::npos) << byNumber.output;
    EXPECT_FALSE(fileExists(dir.file("out.wav")));
}

TEST_F(RenderCommand, ParametersAreSetByNameAndUnknownNamesFail)
{
    const Audio input = hosttest::testSignal(2, 100, kFloatWav);
    const auto known = render(input, {"--set", "threshold=0.5", "--set", "Make Up Gain=0.5"});
    ASSERT_EQ(known.exitCode, 0) << known.output;
    EXPECT_NE(known.output.find("threshold = 0.5 (-25.0)"), std::string::npos) << known.output;
    std::remove(dir.file("out.wav").c_str());

    const auto unknown = render(input, {"--set", "Loudness=0.5"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.output.find("no parameter called 'Loudness'"), std::string::npos)
        << unknown.output;
    EXPECT_FALSE(fileExists(dir.file("out.wav")));

    for (const char* bad : {"Threshold", "Threshold=loud", "Threshold=1.5", "Threshold=nan"})
    {
        const auto result = render(input, {"--set", bad});
        EXPECT_EQ(result.exitCode, 2) << bad;
        EXPECT_NE(result.output.find("usage:"), std::string::npos) << result.output;
    }
}

TEST_F(RenderCommand, MissingOrUnreadableInputFailsCleanly)
{
    const auto missing =
        runHost({"render", OFC_PLUGIN_PATH, dir.file("absent.wav"), dir.file("out.wav")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find(dir.file("absent.wav")), std::string::npos) << missing.output;
    EXPECT_FALSE(fileExists(dir.file("out.wav")));

    FILE* text = std::fopen(dir.file("notes.wav").c_str(), "w");
    ASSERT_NE(text, nullptr);
    std::fputs("not audio\n", text);
    std::fclose(text);
    const auto garbage =
        runHost({"render", OFC_PLUGIN_PATH, dir.file("notes.wav"), dir.file("out.wav")});
    EXPECT_EQ(garbage.exitCode, 1) << garbage.output;
    EXPECT_FALSE(fileExists(dir.file("out.wav")));
}

TEST_F(RenderCommand, RefusesToOverwriteItsInput)
{
    const Audio input = hosttest::testSignal(2, 100, kFloatWav);
    hosttest::writeAudio(dir.file("in.wav"), input);
    const auto result =
        runHost({"render", OFC_PLUGIN_PATH, dir.file("in.wav"), dir.file("./in.wav")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(readAudio(dir.file("in.wav")).samples, input.samples);
}

TEST_F(RenderCommand, MissingPluginFailsCleanly)
{
    const Audio input = hosttest::testSignal(2, 100, kFloatWav);
    const auto result =
        runHost({"render", dir.file("absent.so"), dir.file("in.wav"), dir.file("out.wav")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_FALSE(fileExists(dir.file("out.wav")));
}

TEST_F(RenderCommand, WithoutInputTheDemoIsWrittenAndRendered)
{
    const auto result =
        runHost({"render", OFC_PLUGIN_PATH, "--demo", dir.file("demo.wav"), "--program", "7",
                 "--rate", "48000", "--write-input", dir.file("demo-input.wav")});
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const Audio input = readAudio(dir.file("demo-input.wav"));
    const Audio output = readAudio(dir.file("demo.wav"));
    EXPECT_EQ(input.format, kFloatWav);
    EXPECT_EQ(input.channels, 2);
    EXPECT_EQ(input.sampleRate, 48000);
    EXPECT_EQ(input.frames(), 6u * 48000u);
    EXPECT_EQ(output.frames(), input.frames());
    EXPECT_EQ(output.format, kFloatWav);
    EXPECT_NE(result.output.find("output  2"), std::string::npos) << result.output;

    const auto rateWithFile = runHost({"render", OFC_PLUGIN_PATH, dir.file("demo-input.wav"),
                                       dir.file("x.wav"), "--rate", "48000"});
    EXPECT_EQ(rateWithFile.exitCode, 2);
}

TEST_F(RenderCommand, DoubleOutputKeepsWhatFloatFilesRoundAndCompareMeasuresIt)
{
    const Audio input = hosttest::testSignal(2, 3000, kFloatWav);
    const auto wide = render(input, {"--double", "--output-format", "double"}, "in.wav", "d.wav");
    const auto narrow = render(input, {"--double"}, "in.wav", "f.wav");
    ASSERT_EQ(wide.exitCode, 0) << wide.output;
    ASSERT_EQ(narrow.exitCode, 0) << narrow.output;
    EXPECT_EQ(readAudio(dir.file("d.wav")).format, SF_FORMAT_WAV | SF_FORMAT_DOUBLE);

    // Float files round the 64-bit result by up to half a float step: more than 1e-12, less
    // than 1e-6. Different lengths are never a match.
    const std::string d = dir.file("d.wav"), f = dir.file("f.wav"), in = dir.file("in.wav");
    hosttest::writeAudio(dir.file("short.wav"), hosttest::testSignal(2, 2999, kFloatWav));
    const struct
    {
        std::vector<std::string> args;
        int exitCode;
        const char* says;
    } cases[] = {
        {{"compare", d, f, "--tolerance", "1e-6"}, 0, "within tolerance 1.0e-06"},
        {{"compare", d, f, "--tolerance", "1e-12"}, 1, "(too large)"},
        {{"compare", f, f}, 0, "channel 2: max |difference| 0.000e+00"},
        {{"compare", in, dir.file("short.wav"), "--tolerance", "10"}, 1, "differ in length"},
        {{"compare", d, f, "--tolerance", "loose"}, 2, "--tolerance must be"},
    };
    for (const auto& c : cases)
    {
        const auto result = runHost(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.output;
        EXPECT_NE(result.output.find(c.says), std::string::npos) << result.output;
    }
}

} // namespace
