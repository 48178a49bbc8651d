#include "CBitmap.h"

#include "CDrawContext.h"
#include "Canvas.h"
#include "ImageIds.h"
#include "PixelImage.h"
#include "PlatformImageDecoder.h"
#include "PngCodec.h"
#include "Resources.h"

#include <map>
#include <mutex>

namespace
{
// Null for data that neither libpng nor the platform's decoder can read.
std::shared_ptr<const PixelImage> decode(const unsigned char* data, std::size_t size)
{
    auto decoded = std::make_shared<PixelImage>();
    if (decodePng(data, size, *decoded) || decodeWithPlatform(data, size, *decoded)) return decoded;
    return nullptr;
}

// The plug-in's images are the same for every editor of the process and never change, so
// while any bitmap holds one, every other bitmap of that resource shares its pixels: a session
// with many instances keeps one decoded copy of each image, not one per instance.
struct SharedImages
{
    std::mutex mutex;
    std::map<int32_t, std::weak_ptr<const PixelImage>> decoded;
};

SharedImages& sharedImages()
{
    static SharedImages images;
    return images;
}

std::shared_ptr<const PixelImage> sharedResourceImage(int32_t id)
{
    SharedImages& shared = sharedImages();
    std::lock_guard<std::mutex> lock(shared.mutex);
    std::weak_ptr<const PixelImage>& entry = shared.decoded[id];
    if (auto alive = entry.lock()) return alive;
    const ResourceBlob blob = findResource(id);
    auto image = decode(blob.data, blob.size);
    entry = image;
    return image;
}
} // namespace

CBitmap::CBitmap(int32_t resourceId)
    : resourceID(resourceId), image(sharedResourceImage(resourceId))
{
}

CBitmap::CBitmap(const unsigned char* pngData, std::size_t size) : image(decode(pngData, size)) {}

CBitmap::~CBitmap() = default;

CPoint CBitmap::resourceSize(int32_t resourceId)
{
    const ResourceBlob blob = findResource(resourceId);
    int32_t width = 0;
    int32_t height = 0;
    if (!readPngSize(blob.data, blob.size, width, height)) return CPoint(0, 0);
    return CPoint(width, height);
}

void CBitmap::draw(CDrawContext* context, CRect& rect, const CPoint& offset)
{
    drawAlphaBlend(context, rect, offset, 255);
}

void CBitmap::drawTransparent(CDrawContext* context, CRect& rect, const CPoint& offset)
{
    drawAlphaBlend(context, rect, offset, 255);
}

void CBitmap::drawAlphaBlend(CDrawContext* context, CRect& rect, const CPoint& offset,
                             unsigned char alpha)
{
    if (!context || !isLoaded()) return;
    const PixelImage* large = context->getScale() > 1.0 ? getDoubledImage() : nullptr;
    context->drawImage(*image, large, rect, offset, alpha);
}

// Only editors drawn above scale 1 pay for the larger pictures.
const PixelImage* CBitmap::getDoubledImage()
{
    if (!doubledLooked && resourceID > 0)
        doubled = sharedResourceImage(resourceID + image::kDoubleSize);
    doubledLooked = true;
    return doubled.get();
}

int CBitmap::decodedResourceImages()
{
    SharedImages& shared = sharedImages();
    std::lock_guard<std::mutex> lock(shared.mutex);
    int alive = 0;
    for (const auto& entry : shared.decoded)
        alive += entry.second.expired() ? 0 : 1;
    return alive;
}

int32_t CBitmap::getWidth() const
{
    return image ? image->getWidth() : 0;
}

int32_t CBitmap::getHeight() const
{
    return image ? image->getHeight() : 0;
}

bool CBitmap::isLoaded() const
{
    return image && !image->isEmpty();
}
