#include "PngFiles.h"

#include <algorithm>
#include <cstdlib>

#include <png.h>

bool writeRgbPng(const std::string& path, const std::vector<uint32_t>& pixels, int width,
                 int height)
{
    if (width <= 0 || height <= 0 ||
        pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
        return false;
    std::vector<png_byte> rgb(pixels.size() * 3);
    for (size_t i = 0; i < pixels.size(); ++i)
    {
        rgb[i * 3] = static_cast<png_byte>(pixels[i] >> 16);
        rgb[i * 3 + 1] = static_cast<png_byte>(pixels[i] >> 8);
        rgb[i * 3 + 2] = static_cast<png_byte>(pixels[i]);
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

bool readRgbPng(const std::string& path, std::vector<uint32_t>& pixels, int& width, int& height)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr))
    {
        png_image_free(&image);
        return false;
    }
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = (uint32_t(rgb[i * 3]) << 16) | (uint32_t(rgb[i * 3 + 1]) << 8) | rgb[i * 3 + 2];
    return true;
}

int countDifferent(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int tolerance,
                   int& worst)
{
    worst = 0;
    int different = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
    {
        int pixelWorst = 0;
        for (int shift : {0, 8, 16})
            pixelWorst = std::max(
                pixelWorst, std::abs(int((a[i] >> shift) & 0xff) - int((b[i] >> shift) & 0xff)));
        worst = std::max(worst, pixelWorst);
        different += pixelWorst > tolerance;
    }
    return different;
}
