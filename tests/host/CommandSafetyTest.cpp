// The command-line tools against slips and hostile plug-ins: no file a user did not name as the
// output is ever written, and every outcome has its message and exit status.
#include "HostTestSupport.h"

#include <algorithm>
#include <cmath>
#include <dirent.h>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sndfile.h>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace
{
using hosttest::readAudio;
using hosttest::runHost;

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void copyFile(const std::string& from, const std::string& to)
{
    std::ofstream(to, std::ios::binary) << contents(from);
}

// A WAV file whose header claims another sample rate than the one it was written with.
void claimRate(const std::string& path, std::uint32_t rate)
{
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(rate), static_cast<unsigned char>(rate >> 8),
        static_cast<unsigned char>(rate >> 16), static_cast<unsigned char>(rate >> 24)};
    file.seekp(24);
    file.write(reinterpret_cast<const char*>(bytes), 4);
}

struct Case
{
    std::vector<std::string> args; // "@name" stands for the file name in the test's folder
    int exitCode;
    const char* says;
    const char* environment = ""; // for the test plug-in
    std::function<void(const hosttest::TempDirectory&)> check = nullptr;
};

class CommandSafety : public ::testing::Test
{
  protected:
    // Files every case starts from; each must come out unchanged unless a case writes it.
    void SetUp() override
    {
        const int pcm16 = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        hosttest::writeAudio(dir.file("take.wav"), hosttest::testSignal(2, 2000, pcm16));
        hosttest::writeAudio(dir.file("in.wav"),
                             hosttest::testSignal(2, 2000, SF_FORMAT_WAV | SF_FORMAT_FLOAT));
        hosttest::writeAudio(dir.file("mix-input.wav"), hosttest::testSignal(1, 50, pcm16));
        hosttest::writeAudio(dir.file("rate1.wav"), hosttest::testSignal(2, 100, pcm16));
        claimRate(dir.file("rate1.wav"), 1);
        copyFile(OFC_PLUGIN_PATH, dir.file("plugin.wav")); // a plug-in under an audio name
        copyFile(OFC_PLUGIN_PATH, dir.file("plugin.png"));
        for (const char* name : {"take.wav", "in.wav", "mix-input.wav", "plugin.wav", "plugin.png"})
            original[name] = contents(dir.file(name));
    }

    std::vector<std::string> expand(const std::vector<std::string>& args) const
    {
        std::vector<std::string> words;
        for (const auto& a : args)
            words.push_back(a == "PLUGIN" ? std::string(OFC_PLUGIN_PATH)
                            : a == "TEST" ? std::string(OFC_TEST_PLUGIN_PATH)
                            : a[0] == '@' ? dir.file(a.substr(1))
                                          : a);
        return words;
    }

    void runTable(const std::vector<Case>& cases, const std::string& program = OFC_HOST_PROGRAM)
    {
        for (const auto& c : cases)
        {
            const std::vector<std::string> words = expand(c.args);
            std::string line;
            for (const auto& w : c.args)
                line += w + " ";
            SCOPED_TRACE(line);
            const std::string env =
                *c.environment ? std::string("OFC_TEST_PLUGIN=") + c.environment : "";
            const auto result = hosttest::runProgram(program, words, env);
            EXPECT_EQ(result.exitCode, c.exitCode) << result.output;
            EXPECT_NE(result.output.find(c.says), std::string::npos) << result.output;
            if (c.check) c.check(dir);
            expectOnlyNamedOutputsChanged();
            for (const char* made : {"out.wav", "out.png", "mix.wav", "o.png"})
                std::remove(dir.file(made).c_str());
        }
    }

    void expectOnlyNamedOutputsChanged()
    {
        for (const auto& [name, bytes] : original)
            EXPECT_TRUE(contents(dir.file(name)) == bytes) << name << " was changed";
        DIR* folder = opendir(dir.file("").c_str());
        while (const dirent* entry = folder ? readdir(folder) : nullptr)
            EXPECT_EQ(std::string(entry->d_name).find(".part-"), std::string::npos)
                << "left behind: " << entry->d_name;
        if (folder) closedir(folder);
    }

    hosttest::TempDirectory dir;
    std::map<std::string, std::string> original;
};

TEST_F(CommandSafety, Render)
{
    const auto nanSilenced = [](const hosttest::TempDirectory& d)
    {
        const auto out = readAudio(d.file("out.wav"));
        ASSERT_EQ(out.frames(), 2000u);
        EXPECT_NE(out.at(99, 0), 0.0);
        EXPECT_EQ(out.at(100, 0), 0.0);
        EXPECT_EQ(out.at(1999, 1), 0.0);
    };
    const auto keptAboveFullScale = [](const hosttest::TempDirectory& d)
    {
        double peak = 0.0;
        for (double x : readAudio(d.file("out.wav")).samples)
            peak = std::max(peak, std::fabs(x));
        EXPECT_GT(peak, 2.0);
    };
    runTable({
        {{"render", "PLUGIN", "@take.wav"}, 2, "only one file named ("},
        {{"render", "PLUGIN", "@song.flac"}, 2, "or PLUGIN.so --demo OUT"},
        {{"render", "PLUGIN", "--demo", "@take.wav", "--write-input", "@./take.wav"},
         1,
         "refusing to overwrite"},
        {{"render", "PLUGIN", "--demo", "@mix.wav", "--rate=8000"}, 0, "the built-in demo"},
        {{"render", "@plugin.wav", "@in.wav", "@./plugin.wav"}, 1, "is the plug-in"},
        {{"render", "@plugin.wav", "--demo", "@out.wav", "--write-input", "@./plugin.wav"},
         1,
         "is the plug-in"},
        {{"render", "PLUGIN", "@in.wav", "-"}, 2, "standard output"},
        {{"render", "PLUGIN", "@in.wav", "@out.txt"}, 2, "no audio container"},
        {{"render", "PLUGIN", "@in.wav", "@no/out.wav"}, 1, "/no does not exist"},
        {{"render", "PLUGIN", "@rate1.wav", "@out.wav"}, 1, "from 1000 to 768000 Hz, got 1"},
        {{"render", "PLUGIN", "@in.wav", "@out.wav", "--block=0"},
         2,
         "--block must be a whole number of frames from 1 to 65536, got 0"},
        {{"render", "PLUGIN", "@in.wav", "@out.wav", "--set", "Knee=0.2", "--set=knee=0.5"},
         0,
         "Parameter:  knee = 0.5 ("},
        {{"render", "TEST", "@in.wav", "@out.wav"},
         3,
         "NaN or infinite samples, the first at "
         "frame 100",
         "nan",
         nanSilenced},
        {{"render", "TEST", "@take.wav", "@out.wav"},
         0,
         "clipped in the WAV 16-bit output; "
         "--output-format float",
         "loud"},
        {{"render", "TEST", "@in.wav", "@out.wav"}, 0, "Rendered", "loud", keptAboveFullScale},
        {{"render", "TEST", "@in.wav", "@out.wav", "--double"},
         0,
         "gives no function for it",
         "double-flag"},
        {{"render", "--help"}, 0, "--demo "},
    });
    EXPECT_EQ(readAudio(dir.file("mix-input.wav")).channels, 1); // never the demo's input
}

TEST_F(CommandSafety, Snapshot)
{
    runTable({
        {{"snapshot", "PLUGIN", "--help"}, 0, "usage: ofc-host snapshot"},
        {{"snapshot", "PLUGIN", "@take.wav", "--feed", "@take.wav"}, 2, "must end in .png"},
        {{"snapshot", "PLUGIN", "@plugin.png", "--feed", "@./plugin.png"}, 1, "is the feed"},
        {{"snapshot", "@plugin.png", "@./plugin.png"}, 1, "is the plug-in"},
        {{"snapshot", "PLUGIN", "@o.png", "--feed", "@rate1.wav"}, 1, "768000 Hz, got 1"},
        {{"snapshot", "PLUGIN", "@o.png", "--seconds=-1"},
         2,
         "--seconds must be a number of seconds from 0 to 86400, got -1"},
        {{"snapshot", "PLUGIN", "@no/o.png"}, 1, "/no does not exist"},
        {{"snapshot", "PLUGIN", "@o.png", "--feed", "@in.wav", "--set", "Knee=0.2"}, 0, "Written:"},
    });
    EXPECT_FALSE(hosttest::fileExists("--help"));
}

TEST_F(CommandSafety, InfoCompareAndBench)
{
    runTable({
        {{"info", "--help"}, 0, "usage: ofc-host info"},
        {{"info", "libm.so.6"}, 1, "./libm.so.6"},
        {{"info", "PLUGIN", "extra"}, 2, "expected one PLUGIN.so"},
        {{"info", "TEST"}, 0, "only the first 4096 are listed", "many,long-names"},
        {{"compare", "--help"}, 0, "Exit status"},
        {{"compare", "@in.wav", "@in.wav", "--tolerance=loose"}, 2, "--tolerance must be"},
    });
    runTable({{{"--help"}, 0, "Exit status"},
              {{"TEST", "--seconds=-1"}, 2, "--seconds must be a number of seconds from 0.1"},
              {{"TEST", "--rate", "1"}, 2, "--rate must be a whole number of Hz from 1000"},
              {{"--kernel", "avx3"}, 2, "--kernel must name a kernel"},
              {{"TEST", "--rounds", "0"}, 2, "--rounds must be"},
              {{"--loop", "sse3"}, 2, "--loop must name an encoding"},
              {{"PLUGIN", "--kernel=scalar", "--seconds", "0.1", "--passes", "1", "--rate", "44100",
                "--rounds", "2"},
               0,
               "our half-band kernel: scalar"},
              {{"PLUGIN", "--loop=sse2", "--seconds", "0.1", "--passes", "1", "--rate", "44100"},
               0,
               "our feedback loop: sse2"}},
             OFC_BENCH_PROGRAM);
}

TEST_F(CommandSafety, HostileNamesAndCountsDoNotFloodInfo)
{
    const auto result = runHost({"info", OFC_TEST_PLUGIN_PATH}, "OFC_TEST_PLUGIN=many,long-names");
    ASSERT_EQ(result.exitCode, 0) << result.output.substr(0, 2000);
    EXPECT_LT(result.output.size(), 3u << 20);
    EXPECT_EQ(result.output.find(std::string(129, 'x')), std::string::npos);
    EXPECT_NE(result.output.find("Effect name:     xxxxxxxxxx?xxx"), std::string::npos);
}

TEST_F(CommandSafety, ReportsThatCannotBeWrittenFail)
{
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"info", OFC_PLUGIN_PATH},
             {"render", OFC_PLUGIN_PATH, dir.file("in.wav"), dir.file("out.wav")}})
    {
        const auto result = runHost(args, "", "/dev/full");
        EXPECT_EQ(result.exitCode, 1) << result.output;
        EXPECT_NE(result.output.find("standard output failed: No space left"), std::string::npos)
            << result.output;
    }
    const auto bench = hosttest::runProgram(OFC_BENCH_PROGRAM, {"--help"}, "", "/dev/full");
    EXPECT_EQ(bench.exitCode, 1) << bench.output;
}

TEST_F(CommandSafety, InterruptedRenderLeavesTheOldOutputAndNoTemporaryFile)
{
    hosttest::writeAudio(dir.file("long.wav"),
                         hosttest::testSignal(2, 441000, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    copyFile(dir.file("take.wav"), dir.file("out.wav"));
    original["out.wav"] = contents(dir.file("out.wav"));
    const std::string command = "(OFC_TEST_PLUGIN=slow '" + std::string(OFC_HOST_PROGRAM) +
                                "' render '" + OFC_TEST_PLUGIN_PATH + "' '" + dir.file("long.wav") +
                                "' '" + dir.file("out.wav") +
                                "' & sleep 1; kill -TERM $!; wait $!)";
    FILE* pipe = popen((command + " 2>&1; echo status=$?").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char buffer[4096];
    std::string output;
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, n);
    pclose(pipe);
    EXPECT_NE(output.find("interrupted: "), std::string::npos) << output;
    EXPECT_NE(output.find("status=143"), std::string::npos) << output;
    expectOnlyNamedOutputsChanged();
}

TEST_F(CommandSafety, MemoryStaysBoundedForWideFilesBigBlocksAndLongBenchmarks)
{
    hosttest::writeAudio(dir.file("wide.wav"),
                         hosttest::testSignal(1000, 10, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    const long render =
        hosttest::peakMemoryKiB(OFC_HOST_PROGRAM, {"render", OFC_PLUGIN_PATH, dir.file("wide.wav"),
                                                   dir.file("out.wav"), "--block", "65536"});
    const long bench = hosttest::peakMemoryKiB(OFC_BENCH_PROGRAM,
                                               {OFC_TEST_PLUGIN_PATH, "--seconds", "600", "--rate",
                                                "96000", "--passes", "1", "--block", "65536"});
    // Holding the whole block of the file, or the whole benchmark signal, would take 500 MB
    // and 900 MB.
    EXPECT_GT(render, 0);
    EXPECT_LT(render, 200 * 1024) << render << " KiB";
    EXPECT_GT(bench, 0);
    EXPECT_LT(bench, 200 * 1024) << bench << " KiB";
}

} // namespace
