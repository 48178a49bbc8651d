#pragma once

#include <sndfile.h>

#include <string>

namespace ofchost::platform
{

// sf_open on a UTF-8 path, also where the C library's own file names are not UTF-8.
SNDFILE* openSoundFile(const std::string& path, int mode, SF_INFO* info);

} // namespace ofchost::platform
