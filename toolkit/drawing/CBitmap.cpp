#include "CBitmap.h"

#include "CDrawContext.h"
#include "Canvas.h"
#include "PixelImage.h"
#include "PlatformImageDecoder.h"
#include "PngCodec.h"
#include "Resources.h"

CBitmap::CBitmap(int32_t resourceId) : resourceID(resourceId)
{
    const ResourceBlob blob = findResource(resourceId);
    load(blob.data, blob.size);
}

CBitmap::CBitmap(const unsigned char* pngData, std::size_t size)
{
    load(pngData, size);
}

CBitmap::~CBitmap() = default;

void CBitmap::load(const unsigned char* data, std::size_t size)
{
    auto decoded = std::make_unique<PixelImage>();
    if (decodePng(data, size, *decoded) || decodeWithPlatform(data, size, *decoded))
        image = std::move(decoded);
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
    context->getCanvas().drawImage(*image, rect, offset, alpha);
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
