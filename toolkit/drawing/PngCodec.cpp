#include "PngCodec.h"

#include "PixelImage.h"

#include <png.h>

#include <cstring>
#include <vector>

namespace
{
// Reads the chunks up to the image data, which stays compressed. False for data libpng cannot
// read or whose size is none a PixelImage can hold; the reader then holds nothing.
bool beginRead(const unsigned char* data, std::size_t size, png_image& png)
{
    if (!data || size == 0) return false;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    // libpng's simplified reader traps its own errors and answers 0; no longjmp reaches us.
    if (!png_image_begin_read_from_memory(&png, data, size)) return false;
    if (png.width == 0 || png.height == 0 || png.width > PixelImage::kMaxEdge ||
        png.height > PixelImage::kMaxEdge)
    {
        png_image_free(&png);
        return false;
    }
    return true;
}
} // namespace

bool readPngSize(const unsigned char* data, std::size_t size, int32_t& width, int32_t& height)
{
    png_image png;
    if (!beginRead(data, size, png)) return false;
    width = static_cast<int32_t>(png.width);
    height = static_cast<int32_t>(png.height);
    png_image_free(&png);
    return true;
}

bool decodePng(const unsigned char* data, std::size_t size, PixelImage& out)
{
    png_image png;
    if (!beginRead(data, size, png)) return false;
    const auto width = static_cast<int32_t>(png.width);
    const auto height = static_cast<int32_t>(png.height);
    png.format = PNG_FORMAT_RGBA;
    std::vector<png_byte> rgba(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, rgba.data(), 0, nullptr))
    {
        png_image_free(&png);
        return false;
    }

    PixelImage image(width, height);
    uint32_t* dst = image.data();
    for (std::size_t i = 0, n = static_cast<std::size_t>(width) * height; i < n; ++i)
    {
        const png_byte* s = &rgba[i * 4];
        dst[i] = PixelImage::premultiply(CColor{s[0], s[1], s[2], s[3]});
    }
    out = std::move(image);
    return true;
}

bool encodePng(const PixelImage& image, const char* path)
{
    if (!path || image.isEmpty()) return false;
    const int32_t width = image.getWidth();
    const int32_t height = image.getHeight();
    std::vector<png_byte> rgba(static_cast<std::size_t>(width) * height * 4);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
        {
            const CColor c = image.colorAt(x, y);
            png_byte* d = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
            d[0] = c.red;
            d[1] = c.green;
            d[2] = c.blue;
            d[3] = c.alpha;
        }
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(width);
    png.height = static_cast<png_uint_32>(height);
    png.format = PNG_FORMAT_RGBA;
    const int ok = png_image_write_to_file(&png, path, 0, rgba.data(), 0, nullptr);
    png_image_free(&png);
    return ok != 0;
}
