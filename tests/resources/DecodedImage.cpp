#include "DecodedImage.h"

#include "Resources.h"

#include <png.h>

DecodedImage decodeResource(int id)
{
    DecodedImage out;
    const ResourceBlob blob = findResource(id);
    if (!blob.data) return out;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, blob.data, blob.size)) return out;
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
    {
        png_image_free(&image);
        return out;
    }
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.rgba = std::move(pixels);
    return out;
}
