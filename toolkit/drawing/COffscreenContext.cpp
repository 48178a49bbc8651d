#include "COffscreenContext.h"

#include "Canvas.h"
#include "PixelImage.h"
#include "PngCodec.h"

COffscreenContext::COffscreenContext(CFrame* frame, int32_t width, int32_t height,
                                     const CColor background)
    : COffscreenContext(frame, std::make_unique<PixelImage>(width, height, background))
{
}

COffscreenContext::COffscreenContext(CFrame* frame, std::unique_ptr<PixelImage> pixels)
    : CDrawContext(frame, *pixels), image(std::move(pixels))
{
}

// The canvas refers to the image, so it goes first.
COffscreenContext::~COffscreenContext()
{
    canvas.reset();
}

void COffscreenContext::copyFrom(CDrawContext* dest, CRect destRect, CPoint srcOffset)
{
    if (!dest || dest == this) return;
    dest->getCanvas().copyImage(*image, destRect, srcOffset);
}

int32_t COffscreenContext::getWidth() const
{
    return image->getWidth();
}

int32_t COffscreenContext::getHeight() const
{
    return image->getHeight();
}

CColor COffscreenContext::getPixel(int32_t x, int32_t y) const
{
    return image->colorAt(x, y);
}

bool COffscreenContext::writePng(const char* path) const
{
    return encodePng(*image, path);
}
