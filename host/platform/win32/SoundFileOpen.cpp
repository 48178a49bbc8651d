#include "SoundFileOpen.h"

#include "WideText.h"

#include <windows.h>

namespace ofchost::platform
{

SNDFILE* openSoundFile(const std::string& path, int mode, SF_INFO* info)
{
    // sf_open takes names in the ANSI code page; the wide entry point reaches every file.
    return sf_wchar_open(widen(path).c_str(), mode, info);
}

} // namespace ofchost::platform
