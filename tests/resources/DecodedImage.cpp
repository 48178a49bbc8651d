#include "DecodedImage.h"

#include "Resources.h"

#include <png.h>

namespace
{
// `image` has been begun by one of libpng's begin_read functions, or failed to.
DecodedImage finish(png_image& image, bool begun)
{
    DecodedImage out;
    if (!begun) return out;
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
} // namespace

DecodedImage decodeResource(int id)
{
    const ResourceBlob blob = findResource(id);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    return finish(image,
                  blob.data && png_image_begin_read_from_memory(&image, blob.data, blob.size));
}

DecodedImage decodeFile(const std::string& path)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    return finish(image, png_image_begin_read_from_file(&image, path.c_str()));
}
