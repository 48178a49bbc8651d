#pragma once

#include <sndfile.h>

#include <string>

// Audio files through libsndfile, read and written a block of interleaved frames at a time so
// that files of any length stream through in constant memory. Integer formats are read and
// written as values in -1..1.
namespace ofchost
{

struct AudioFormat
{
    int sampleRate = 0;
    int channels = 0;
    int format = 0;        // libsndfile major type | subtype
    sf_count_t frames = 0; // as the file header says; reading stops at the real end
};

// Where a render's audio comes from: a file, or the built-in demo.
class AudioSource
{
  public:
    virtual ~AudioSource() = default;
    virtual const AudioFormat& format() const = 0;
    // Reads up to frames frames into interleaved; answers the number read, 0 at the end.
    virtual sf_count_t read(double* interleaved, sf_count_t frames) = 0;
};

class AudioFileReader : public AudioSource
{
  public:
    AudioFileReader() = default;
    ~AudioFileReader() override;
    AudioFileReader(const AudioFileReader&) = delete;
    AudioFileReader& operator=(const AudioFileReader&) = delete;

    bool open(const std::string& path, std::string& error);
    const AudioFormat& format() const override { return info; }
    sf_count_t read(double* interleaved, sf_count_t frames) override;

  private:
    SNDFILE* file = nullptr;
    AudioFormat info;
};

class AudioFileWriter
{
  public:
    AudioFileWriter() = default;
    ~AudioFileWriter();
    AudioFileWriter(const AudioFileWriter&) = delete;
    AudioFileWriter& operator=(const AudioFileWriter&) = delete;

    // Integer formats clip out-of-range samples instead of letting them wrap around.
    bool open(const std::string& path, int format, int sampleRate, int channels,
              std::string& error);
    bool write(const double* interleaved, sf_count_t frames, std::string& error);
    // Flushes and closes; false if the file could not be completed.
    bool close(std::string& error);

  private:
    SNDFILE* file = nullptr;
    int channels = 0;
};

// The format an output file gets: the container from the output's extension (.wav, .aif,
// .aiff, .flac, .caf, .w64, .ogg, .opus, .mp3; a name without an extension keeps the input's
// container), the input's sample format where that container can hold it, otherwise 32-bit
// float (24-bit integer for FLAC; lossy containers have their own encoding). 0 for an extension
// that names no container this host writes.
int outputFormatFor(const std::string& outputPath, int inputFormat, int sampleRate, int channels);

// The extensions outputFormatFor knows, for messages.
extern const char* const kOutputExtensions;

// Integer samples: values beyond full scale are clipped when written.
bool isIntegerFormat(int format);

// Whether this build's libsndfile has the codec of a container (SF_FORMAT_FLAC needs the
// external Xiph libraries, which a build may leave out).
bool containerAvailable(int container);

// "WAV float", "FLAC 24-bit" and the like, for messages.
std::string describeFormat(int format);

} // namespace ofchost
