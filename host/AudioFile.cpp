#include "AudioFile.h"

#include "SoundFileOpen.h"

#include <algorithm>
#include <cctype>

namespace ofchost
{
namespace
{

std::string lowerExtension(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

// Container and, for the lossy ones, their only encoding; -1 for an unknown extension.
int formatForExtension(const std::string& ext)
{
    static const struct
    {
        const char* ext;
        int format;
    } kKnown[] = {{"", 0},
                  {"wav", SF_FORMAT_WAV},
                  {"aif", SF_FORMAT_AIFF},
                  {"aiff", SF_FORMAT_AIFF},
                  {"flac", SF_FORMAT_FLAC},
                  {"caf", SF_FORMAT_CAF},
                  {"w64", SF_FORMAT_W64},
                  {"ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS},
                  {"oga", SF_FORMAT_OGG | SF_FORMAT_VORBIS},
                  {"opus", SF_FORMAT_OGG | SF_FORMAT_OPUS},
                  {"mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III}};
    for (const auto& known : kKnown)
        if (ext == known.ext) return known.format;
    return -1;
}

bool formatUsable(int format, int sampleRate, int channels)
{
    SF_INFO probe = {};
    probe.format = format;
    probe.samplerate = sampleRate;
    probe.channels = channels;
    return sf_format_check(&probe) != 0;
}

} // namespace

AudioFileReader::~AudioFileReader()
{
    if (file) sf_close(file);
}

bool AudioFileReader::open(const std::string& path, std::string& error)
{
    SF_INFO sfInfo = {};
    file = platform::openSoundFile(path, SFM_READ, &sfInfo);
    if (!file)
    {
        error = path + ": " + sf_strerror(nullptr);
        if (lowerExtension(path) == "flac" && !containerAvailable(SF_FORMAT_FLAC))
            error += " (this build reads no FLAC: convert the file to WAV or AIFF)";
        return false;
    }
    if (sfInfo.channels <= 0 || sfInfo.samplerate <= 0)
    {
        error = path + ": the file declares no channels or no sample rate";
        sf_close(file);
        file = nullptr;
        return false;
    }
    info.sampleRate = sfInfo.samplerate;
    info.channels = sfInfo.channels;
    info.format = sfInfo.format;
    info.frames = std::max<sf_count_t>(sfInfo.frames, 0);
    return true;
}

sf_count_t AudioFileReader::read(double* interleaved, sf_count_t frames)
{
    if (!file || frames <= 0) return 0;
    return std::max<sf_count_t>(sf_readf_double(file, interleaved, frames), 0);
}

AudioFileWriter::~AudioFileWriter()
{
    if (file) sf_close(file);
}

bool AudioFileWriter::open(const std::string& path, int format, int sampleRate, int count,
                           std::string& error)
{
    if (!containerAvailable(format & SF_FORMAT_TYPEMASK))
    {
        error = path + ": this build cannot write " + describeFormat(format) +
                " files: write .wav or .aiff instead";
        return false;
    }
    SF_INFO sfInfo = {};
    sfInfo.format = format;
    sfInfo.samplerate = sampleRate;
    sfInfo.channels = count;
    if (!sf_format_check(&sfInfo))
    {
        error = path + ": cannot write " + describeFormat(format) + " with " +
                std::to_string(count) + " channels at " + std::to_string(sampleRate) + " Hz";
        return false;
    }
    file = platform::openSoundFile(path, SFM_WRITE, &sfInfo);
    if (!file)
    {
        error = path + ": " + sf_strerror(nullptr);
        return false;
    }
    channels = count;
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    return true;
}

bool AudioFileWriter::write(const double* interleaved, sf_count_t frames, std::string& error)
{
    if (!file)
    {
        error = "no output file is open";
        return false;
    }
    if (frames <= 0) return true;
    if (sf_writef_double(file, interleaved, frames) != frames)
    {
        error = std::string("writing failed: ") + sf_strerror(file);
        return false;
    }
    return true;
}

bool AudioFileWriter::close(std::string& error)
{
    if (!file) return true;
    sf_write_sync(file);
    const int status = sf_close(file);
    file = nullptr;
    if (status != 0)
    {
        error = std::string("closing the output failed: ") + sf_error_number(status);
        return false;
    }
    return true;
}

const char* const kOutputExtensions =
    ".wav, .aif, .aiff, .flac, .caf, .w64, .ogg, .oga, .opus, .mp3";

bool isIntegerFormat(int format)
{
    switch (format & SF_FORMAT_SUBMASK)
    {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_16:
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32:
        return true;
    default:
        return false;
    }
}

int outputFormatFor(const std::string& outputPath, int inputFormat, int sampleRate, int channels)
{
    const int byExtension = formatForExtension(lowerExtension(outputPath));
    if (byExtension < 0) return 0;
    // Lossy containers take their one encoding; whether this build has it shows when writing.
    if (byExtension & SF_FORMAT_SUBMASK) return byExtension;
    int container = byExtension;
    if (container == 0) container = inputFormat & SF_FORMAT_TYPEMASK;
    if (container == 0) container = SF_FORMAT_WAV;
    // A container this build has no codec for stays chosen: writing it then fails with the
    // reason, where falling back would put another format under the name asked for.
    // (sf_format_check accepts FLAC even where the library cannot encode it.)
    if (!containerAvailable(container))
        return container | (container == SF_FORMAT_FLAC ? SF_FORMAT_PCM_24 : SF_FORMAT_FLOAT);
    const int kept = container | (inputFormat & SF_FORMAT_SUBMASK);
    if ((inputFormat & SF_FORMAT_SUBMASK) && formatUsable(kept, sampleRate, channels)) return kept;
    const int fallback =
        container | (container == SF_FORMAT_FLAC ? SF_FORMAT_PCM_24 : SF_FORMAT_FLOAT);
    // Even where the container cannot hold this output, the name decides: writing then fails
    // with the reason instead of putting a WAV file under another name.
    return fallback;
}

bool containerAvailable(int container)
{
    int count = 0;
    sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
    for (int i = 0; i < count; ++i)
    {
        SF_FORMAT_INFO info = {};
        info.format = i;
        if (sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof info) == 0 &&
            (info.format & SF_FORMAT_TYPEMASK) == container)
            return true;
    }
    return false;
}

std::string describeFormat(int format)
{
    std::string container;
    switch (format & SF_FORMAT_TYPEMASK)
    {
    case SF_FORMAT_WAV:
        container = "WAV";
        break;
    case SF_FORMAT_WAVEX:
        container = "WAVEX";
        break;
    case SF_FORMAT_AIFF:
        container = "AIFF";
        break;
    case SF_FORMAT_FLAC:
        container = "FLAC";
        break;
    case SF_FORMAT_W64:
        container = "W64";
        break;
    case SF_FORMAT_CAF:
        container = "CAF";
        break;
    case SF_FORMAT_RF64:
        container = "RF64";
        break;
    case SF_FORMAT_OGG:
        container = "Ogg";
        break;
    case SF_FORMAT_MPEG:
        container = "MPEG";
        break;
    default:
        container = "audio file";
        break;
    }
    std::string sample;
    switch (format & SF_FORMAT_SUBMASK)
    {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
        sample = "8-bit";
        break;
    case SF_FORMAT_PCM_16:
        sample = "16-bit";
        break;
    case SF_FORMAT_PCM_24:
        sample = "24-bit";
        break;
    case SF_FORMAT_PCM_32:
        sample = "32-bit integer";
        break;
    case SF_FORMAT_FLOAT:
        sample = "32-bit float";
        break;
    case SF_FORMAT_DOUBLE:
        sample = "64-bit float";
        break;
    case SF_FORMAT_VORBIS:
        sample = "Vorbis";
        break;
    case SF_FORMAT_OPUS:
        sample = "Opus";
        break;
    case SF_FORMAT_MPEG_LAYER_III:
        sample = "layer III";
        break;
    default:
        sample = "encoded";
        break;
    }
    return container + " " + sample;
}

} // namespace ofchost
