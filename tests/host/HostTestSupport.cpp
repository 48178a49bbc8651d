#include "HostTestSupport.h"

#include "AudioFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace hosttest
{
namespace
{
std::string shellQuoted(const std::string& word)
{
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}
} // namespace

CommandResult runHost(const std::vector<std::string>& arguments, const std::string& environment,
                      const std::string& stdoutTo)
{
    return runProgram(OFC_HOST_PROGRAM, arguments, environment, stdoutTo);
}

CommandResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& environment, const std::string& stdoutTo)
{
    std::string command = environment + " " + shellQuoted(program);
    for (const auto& a : arguments)
        command += " " + shellQuoted(a);
    command += stdoutTo.empty() ? " 2>&1" : " 2>&1 >" + shellQuoted(stdoutTo);
    CommandResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, n);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

long peakMemoryKiB(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<std::string> words = {program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0)
    {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    // The child's own high-water mark, read while it runs: its rusage would also count the
    // memory of this process, which it shares until exec.
    long peak = 0;
    int status = 0;
    while (child > 0 && waitpid(child, &status, WNOHANG) == 0)
    {
        std::FILE* file = std::fopen(("/proc/" + std::to_string(child) + "/status").c_str(), "r");
        char line[256];
        while (file && std::fgets(line, sizeof line, file))
            if (std::strncmp(line, "VmHWM:", 6) == 0) peak = std::max(peak, std::atol(line + 6));
        if (file) std::fclose(file);
        usleep(5000);
    }
    return child > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0 && peak > 0 ? peak : -1;
}

TempDirectory::TempDirectory()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/ofc-host-test-XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary directory");
    path = pattern;
}

TempDirectory::~TempDirectory()
{
    if (DIR* dir = opendir(path.c_str()))
    {
        while (const dirent* entry = readdir(dir))
        {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") std::remove(file(name).c_str());
        }
        closedir(dir);
    }
    rmdir(path.c_str());
}

void writeAudio(const std::string& path, const Audio& audio)
{
    ofchost::AudioFileWriter writer;
    std::string error;
    if (!writer.open(path, audio.format, audio.sampleRate, audio.channels, error) ||
        !writer.write(audio.samples.data(), static_cast<sf_count_t>(audio.frames()), error) ||
        !writer.close(error))
        throw std::runtime_error(error);
}

Audio readAudio(const std::string& path)
{
    Audio audio;
    ofchost::AudioFileReader reader;
    std::string error;
    if (!reader.open(path, error)) return audio;
    audio.sampleRate = reader.format().sampleRate;
    audio.channels = reader.format().channels;
    audio.format = reader.format().format;
    std::vector<double> block(4096 * static_cast<std::size_t>(audio.channels));
    while (const sf_count_t n = reader.read(block.data(), 4096))
        audio.samples.insert(audio.samples.end(), block.begin(),
                             block.begin() + n * audio.channels);
    return audio;
}

Audio testSignal(int channels, std::size_t frames, int format)
{
    Audio audio;
    audio.channels = channels;
    audio.format = format;
    audio.samples.resize(frames * static_cast<std::size_t>(channels));
    std::uint32_t state = 12345;
    for (std::size_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
        {
            state = state * 1664525u + 1013904223u;
            const double noise = static_cast<double>(state >> 8) / 16777216.0 - 0.5;
            const double tone = 0.6 * std::sin(0.0314 * static_cast<double>(i) * (c + 1));
            // Rounded through float so that a float file holds the value exactly.
            audio.samples[i * channels + c] = static_cast<float>(tone + 0.4 * noise);
        }
    return audio;
}

bool fileExists(const std::string& path)
{
    struct stat st = {};
    return stat(path.c_str(), &st) == 0;
}

} // namespace hosttest
