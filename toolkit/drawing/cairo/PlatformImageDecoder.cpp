#include "PlatformImageDecoder.h"

// Linux desktops share no system image decoder: libpng is the only one.
bool decodeWithPlatform(const unsigned char*, std::size_t, PixelImage&)
{
    return false;
}
