#include "Resources.h"
#include "ImageIds.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

namespace
{
struct Expected
{
    int id, width, height;
};

// The editor's image table: every image ships, at exactly these sizes, and at twice them under
// its id + image::kDoubleSize.
constexpr Expected kImages[] = {
    {201, 690, 270}, {202, 70, 7000}, {203, 51, 17}, {204, 49, 19}, {205, 55, 100}, {206, 55, 76},
    {207, 55, 50},   {208, 55, 50},   {209, 55, 50}, {210, 55, 50}, {211, 55, 100}, {212, 55, 213},
    {213, 30, 50},   {214, 200, 154}, {215, 12, 24}, {216, 12, 24},
};

std::uint32_t bigEndian(const unsigned char* p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

TEST(Resources, EveryImageIsAnRgbaPngOfItsTableSize)
{
    const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    EXPECT_EQ(std::size(kImages), std::size_t(image::kLast - image::kFirst + 1));
    std::vector<Expected> all(std::begin(kImages), std::end(kImages));
    for (const Expected& e : kImages)
        all.push_back({e.id + image::kDoubleSize, e.width * 2, e.height * 2});
    for (const Expected& e : all)
    {
        SCOPED_TRACE(e.id);
        const ResourceBlob blob = findResource(e.id);
        ASSERT_NE(blob.data, nullptr);
        ASSERT_GT(blob.size, 33u); // signature plus the whole IHDR chunk
        EXPECT_EQ(std::memcmp(blob.data, signature, 8), 0);
        // The first chunk is IHDR: length 13, then width, height, bit depth, colour type.
        EXPECT_EQ(bigEndian(blob.data + 8), 13u);
        EXPECT_EQ(std::memcmp(blob.data + 12, "IHDR", 4), 0);
        EXPECT_EQ(bigEndian(blob.data + 16), std::uint32_t(e.width));
        EXPECT_EQ(bigEndian(blob.data + 20), std::uint32_t(e.height));
        EXPECT_EQ(blob.data[24], 8); // bits per channel
        EXPECT_EQ(blob.data[25], 6); // RGBA
    }
}

TEST(Resources, EachIdHasItsOwnImage)
{
    for (const Expected& a : kImages)
        for (const Expected& b : kImages)
        {
            if (a.id != b.id)
            {
                EXPECT_NE(findResource(a.id).data, findResource(b.id).data) << a.id << " " << b.id;
            }
        }
}

TEST(Resources, UnknownIdsGiveAnEmptyBlob)
{
    using namespace image;
    for (int id : {0, 1, kFirst - 1, kLast + 1, kFirst + kDoubleSize - 1, kLast + kDoubleSize + 1,
                   500, 777, -kFirst, INT_MIN, INT_MAX})
    {
        const ResourceBlob blob = findResource(id);
        EXPECT_EQ(blob.data, nullptr) << id;
        EXPECT_EQ(blob.size, 0u) << id;
    }
}
} // namespace
