#pragma once

#include <string>
#include <vector>

// Helpers for running ofc-host as a program and for making and reading small audio files.
namespace hosttest
{

struct CommandResult
{
    int exitCode = -1;
    std::string output; // stdout and stderr together
};

// ofc-host with these arguments (each passed as one word), with `environment` ("NAME=value"
// words) and, if given, standard output sent to `stdoutTo` instead of the result.
CommandResult runHost(const std::vector<std::string>& arguments,
                      const std::string& environment = "", const std::string& stdoutTo = "");
CommandResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& environment = "", const std::string& stdoutTo = "");

// The peak resident memory of one run of the program in KiB, its output discarded; -1 if the
// run failed.
long peakMemoryKiB(const std::string& program, const std::vector<std::string>& arguments);

// A fresh directory under the system's temporary directory, removed with its files on
// destruction.
class TempDirectory
{
  public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;
    std::string file(const std::string& name) const { return path + "/" + name; }

  private:
    std::string path;
};

struct Audio
{
    int sampleRate = 44100;
    int channels = 0;
    int format = 0;
    std::vector<double> samples; // interleaved
    std::size_t frames() const { return channels ? samples.size() / channels : 0; }
    double at(std::size_t frame, int channel) const { return samples[frame * channels + channel]; }
};

void writeAudio(const std::string& path, const Audio& audio);
Audio readAudio(const std::string& path); // channels 0 if the file cannot be read

// Deterministic material in -0.8..0.8 with a loud sine underneath, so a compressor acts on it.
Audio testSignal(int channels, std::size_t frames, int format);

bool fileExists(const std::string& path);

} // namespace hosttest
