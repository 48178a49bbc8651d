#include "SoundFileOpen.h"

namespace ofchost::platform
{

SNDFILE* openSoundFile(const std::string& path, int mode, SF_INFO* info)
{
    return sf_open(path.c_str(), mode, info);
}

} // namespace ofchost::platform
