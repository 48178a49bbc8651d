// The pieces of the render command: levels, files and formats, settings, options, the demo.
#include "AudioFile.h"
#include "AudioLevels.h"
#include "DemoSignal.h"
#include "HostTestSupport.h"
#include "RenderOptions.h"
#include "RenderProgress.h"
#include "RenderSession.h"

#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <thread>

namespace
{
using namespace ofchost;

TEST(AudioLevels, SineAndSilenceAndNaN)
{
    const int frames = 44100;
    std::vector<double> audio(3 * static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i)
    {
        audio[3 * i] = std::sin(6.283185307179586 * 441.0 * i / 44100.0); // peaks on a sample
        audio[3 * i + 1] = 0.0;
        audio[3 * i + 2] = 0.5;
    }
    audio[3 * 100 + 2] = std::nan("");
    AudioLevels levels(3);
    levels.add(audio.data(), frames / 2);
    levels.add(audio.data() + 3 * (frames / 2), frames - frames / 2);
    EXPECT_NEAR(levels.rmsDb(0), -3.0103, 1e-3);
    EXPECT_NEAR(levels.peakDb(0), 0.0, 1e-9);
    EXPECT_EQ(levels.rmsDb(1), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(levels.peakDb(1), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(levels.rmsDb(2)));
    EXPECT_TRUE(std::isnan(levels.peakDb(2)));
}

TEST(AudioFile, IntegerOutputClipsInsteadOfWrappingAround)
{
    hosttest::TempDirectory dir;
    hosttest::Audio loud;
    loud.channels = 1;
    loud.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    loud.samples = {1.5, -1.5, 0.25, 4.0};
    hosttest::writeAudio(dir.file("loud.wav"), loud);
    const hosttest::Audio back = hosttest::readAudio(dir.file("loud.wav"));
    ASSERT_EQ(back.samples.size(), 4u);
    EXPECT_NEAR(back.samples[0], 1.0, 1e-4);
    EXPECT_EQ(back.samples[1], -1.0);
    EXPECT_EQ(back.samples[2], 0.25);
    EXPECT_NEAR(back.samples[3], 1.0, 1e-4);
}

TEST(AudioFile, OutputFormatFollowsTheExtensionAndKeepsTheSampleFormat)
{
    const int pcm16Wav = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    const int floatWav = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    EXPECT_EQ(outputFormatFor("out.wav", floatWav, 44100, 2), floatWav);
    EXPECT_EQ(outputFormatFor("out.flac", pcm16Wav, 44100, 2), SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    EXPECT_EQ(outputFormatFor("out.FLAC", floatWav, 44100, 2), SF_FORMAT_FLAC | SF_FORMAT_PCM_24);
    EXPECT_EQ(outputFormatFor("out.aiff", floatWav, 48000, 1), SF_FORMAT_AIFF | SF_FORMAT_FLOAT);
    EXPECT_EQ(outputFormatFor("dir.v2/out", SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 44100, 2),
              SF_FORMAT_AIFF | SF_FORMAT_PCM_24);
    EXPECT_EQ(outputFormatFor("out.wav", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 44100, 2), floatWav);
}

TEST(AudioFile, ReaderReportsUnreadableFiles)
{
    AudioFileReader reader;
    std::string error;
    EXPECT_FALSE(reader.open("/nonexistent/dir/x.wav", error));
    EXPECT_NE(error.find("/nonexistent/dir/x.wav"), std::string::npos);
    double frame[2];
    EXPECT_EQ(reader.read(frame, 1), 0);
}

TEST(RenderSetup, ParameterSettingsTakeNamesWithSpacesAndNormalisedValues)
{
    ParameterSetting s;
    std::string error;
    ASSERT_TRUE(parseParameterSetting("Make Up Gain=0.625", s, error));
    EXPECT_EQ(s.name, "Make Up Gain");
    EXPECT_EQ(s.value, 0.625f);
    ASSERT_TRUE(parseParameterSetting(" Knee = 1 ", s, error));
    EXPECT_EQ(s.name, "Knee");
    EXPECT_EQ(s.value, 1.0f);
    for (const char* bad :
         {"Knee", "=0.5", "Knee=", "Knee=0.5x", "Knee=inf", "Knee=-0.01", "Knee=1.01", "Knee=nan"})
        EXPECT_FALSE(parseParameterSetting(bad, s, error)) << bad;
}

bool parses(std::vector<std::string> words, RenderOptions& options, std::string& error)
{
    std::vector<char*> argv;
    for (auto& w : words)
        argv.push_back(w.data());
    return parseRenderOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

TEST(RenderOptions, PositionalsOptionsAndTheDemo)
{
    RenderOptions options;
    std::string error;
    ASSERT_TRUE(parses({"p.so", "--demo", "out/demo.wav", "--set=Knee=0.5", "--double", "--block",
                        "64", "--program", "Classic Compressor I", "--output-format=double",
                        "--set", "knee=0.25"},
                       options, error))
        << error;
    EXPECT_TRUE(options.demo());
    EXPECT_EQ(options.pluginPath, "p.so");
    EXPECT_EQ(options.outputPath, "out/demo.wav");
    EXPECT_EQ(options.demoInputPath, ""); // written only where asked
    EXPECT_EQ(options.request.blockSize, 64);
    EXPECT_TRUE(options.request.doublePrecision);
    EXPECT_EQ(options.program, "Classic Compressor I");
    EXPECT_EQ(options.outputSampleFormat, SF_FORMAT_DOUBLE);
    ASSERT_EQ(options.settings.size(), 1u); // the last --set for a parameter wins
    EXPECT_EQ(options.settings[0].value, 0.25f);

    const struct
    {
        std::vector<std::string> words;
        const char* says;
    } bad[] = {
        {{"p.so"}, "expected PLUGIN.so, IN and OUT"},
        {{"p.so", "take.wav"}, "only one file named (take.wav)"},
        {{"p.so", "a.wav", "b.wav", "c.wav"}, "expected PLUGIN.so, IN and OUT"},
        {{"p.so", "in.wav", "--demo", "out.wav"}, "no input file"},
        {{"p.so", "--demo", "out.wav", "--block", "0"},
         "--block must be a whole number of "
         "frames from 1 to 65536, got 0"},
        {{"p.so", "--demo", "o.wav", "--rate", "1"},
         "--rate must be a whole number of Hz from "
         "1000 to 768000, got 1"},
        {{"p.so", "--demo", "out.wav", "--rate", "44100.5"}, "got 44100.5"},
        {{"p.so", "--demo", "out.wav", "--program"}, "--program needs a value"},
        {{"p.so", "--demo", "out.wav", "--loud"}, "unknown option --loud"},
        {{"p.so", "--demo", "out.wav", "--double=1"}, "--double takes no value"},
        {{"p.so", "--demo", "out.wav", "--output-format", "half"}, "got half"},
        {{"p.so", "in.wav", "out.wav", "--write-input", "x.wav"}, "apply to --demo only"},
        {{"p.so", "in.wav", "-"}, "standard output"},
        {{"p.so", "--demo", "o.wav", "--write-input=-"}, "standard output"},
        {{"p.so", "in.wav", "out.txt"}, "out.txt: no audio container"},
        {{"p.so", "in.wav", "out.wav", "--set", "Knee=2"}, "--set 'Knee=2'"},
    };
    for (const auto& c : bad)
    {
        RenderOptions rejected;
        error.clear();
        EXPECT_FALSE(parses(c.words, rejected, error)) << c.says;
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
    }
}

TEST(RenderSession, ChannelMapping)
{
    EXPECT_EQ(fileChannelForInput(0, 1), 0);
    EXPECT_EQ(fileChannelForInput(1, 1), 0);
    EXPECT_EQ(fileChannelForInput(1, 2), 1);
    EXPECT_EQ(fileChannelForInput(2, 2), -1);
    EXPECT_EQ(fileChannelForInput(1, 6), 1);
}

TEST(RenderProgress, DrawsOnlyWhenEnabledAndNotForShortRenders)
{
    FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    {
        RenderProgress off(1000, 100.0, false, out);
        RenderProgress quick(1000, 100.0, true, out);
        off.update(500);
        quick.update(500);
    }
    EXPECT_EQ(std::ftell(out), 0);
    {
        RenderProgress slow(1000, 100.0, true, out);
        std::this_thread::sleep_for(std::chrono::milliseconds(120));
        slow.update(500);
    }
    std::rewind(out);
    char text[256] = {};
    const std::size_t n = std::fread(text, 1, sizeof text - 1, out);
    std::fclose(out);
    const std::string drawn(text, n);
    EXPECT_NE(drawn.find(" 50%  5.0 / 10.0 s"), std::string::npos) << drawn;
    EXPECT_EQ(drawn.substr(drawn.size() - 4), "\r\033[K"); // the line is cleared at the end
}

double rmsOver(const std::vector<float>& x, double rate, double from, double to)
{
    double sum = 0.0;
    const auto a = static_cast<std::size_t>(from * rate), b = static_cast<std::size_t>(to * rate);
    for (std::size_t i = a; i < b; ++i)
        sum += static_cast<double>(x[i]) * x[i];
    return 10.0 * std::log10(sum / static_cast<double>(b - a));
}

TEST(DemoSignal, RepeatablePeakingAtMinusOneDbWithDrumsChordAndARisingSweep)
{
    const DemoSignal demo = makeDemoSignal(44100.0);
    ASSERT_EQ(demo.left.size(), 264600u);
    ASSERT_EQ(demo.right.size(), 264600u);
    EXPECT_EQ(makeDemoSignal(44100.0).left, demo.left);
    float peak = 0.0f;
    for (std::size_t i = 0; i < demo.left.size(); ++i)
        peak = std::max({peak, std::fabs(demo.left[i]), std::fabs(demo.right[i])});
    EXPECT_NEAR(peak, kDemoPeak, 1e-7);
    EXPECT_NE(demo.left, demo.right); // stereo, not two copies

    // Drums alone in the first second, then the chord joins; the sweep rises by about 30 dB.
    const double drums = rmsOver(demo.left, 44100.0, 0.0, 1.0);
    const double sweepLow = rmsOver(demo.left, 44100.0, 4.2, 4.4);
    const double sweepHigh = rmsOver(demo.left, 44100.0, 5.7, 5.9);
    EXPECT_GT(drums, -30.0);
    EXPECT_GT(sweepHigh - sweepLow, 20.0);
    EXPECT_LT(sweepHigh - sweepLow, 30.0);
    EXPECT_LT(std::fabs(demo.left.back()), 1e-3f); // faded out, no click at the end
}

} // namespace
