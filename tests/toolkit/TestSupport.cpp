#include "TestSupport.h"

#include "CBitmap.h"

#include <png.h>

#include <cstring>

std::vector<unsigned char> encodeTestPng(int width, int height,
                                         const std::function<CColor(int, int)>& pixel)
{
    std::vector<png_byte> rgba(static_cast<std::size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const CColor c = pixel(x, y);
            png_byte* d = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
            d[0] = c.red;
            d[1] = c.green;
            d[2] = c.blue;
            d[3] = c.alpha;
        }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr)) return {};
    std::vector<unsigned char> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr))
        return {};
    out.resize(size);
    return out;
}

CColor stripColor(int frame)
{
    return MakeCColor(static_cast<uint8_t>(frame), static_cast<uint8_t>(255 - frame), 77, 255);
}

int stripFrameOf(CColor c)
{
    if (c.blue != 77 || c.alpha != 255 || c.red + c.green != 255) return -1;
    return c.red;
}

CBitmap* makeStripBitmap(int frameWidth, int frameHeight, int frames)
{
    const auto png = encodeTestPng(frameWidth, frameHeight * frames,
                                   [=](int, int y) { return stripColor(y / frameHeight); });
    return new CBitmap(png.data(), png.size());
}
