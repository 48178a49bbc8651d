#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An embedded image decoded to 8-bit RGBA (straight alpha), for checking the artwork's pixels.
struct Pixel
{
    std::uint8_t r, g, b, a;
};

struct DecodedImage
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    bool valid() const { return width > 0 && height > 0; }
    Pixel at(int x, int y) const
    {
        const std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
        return {p[0], p[1], p[2], p[3]};
    }
};

// Decodes resource `id`; an invalid image if it is missing or not a readable PNG.
DecodedImage decodeResource(int id);
DecodedImage decodeFile(const std::string& path);
