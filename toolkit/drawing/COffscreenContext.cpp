#include "COffscreenContext.h"

#include "CFrame.h"
#include "Canvas.h"
#include "DeviceScale.h"
#include "ImageResample.h"
#include "PixelImage.h"
#include "PngCodec.h"

namespace
{
double frameScale(CFrame* frame)
{
    return frame ? frame->getScale() : 1.0;
}
} // namespace

COffscreenContext::COffscreenContext(CFrame* frame, int32_t width, int32_t height,
                                     const CColor background)
    : COffscreenContext(frame, std::make_unique<PixelImage>(width, height, background))
{
}

std::unique_ptr<PixelImage> COffscreenContext::deviceImage(CFrame* frame, const CRect& place,
                                                           CColor background)
{
    const CRect device = toDeviceRect(place, frameScale(frame));
    return std::make_unique<PixelImage>(device.width(), device.height(), background);
}

COffscreenContext::COffscreenContext(CFrame* frame, const CRect& place, const CColor background)
    : COffscreenContext(frame, deviceImage(frame, place, background))
{
    setDeviceScale(frameScale(frame), place);
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
    const CRect device = dest->toDevice(destRect);
    const CPoint from(toDeviceX(srcOffset.h), toDeviceY(srcOffset.v));
    if (dest->getScale() == scale)
    {
        dest->getCanvas().copyImage(*image, device, from);
        return;
    }
    // A bitmap drawn at another scale is stretched over the destination.
    const CRect source(from, CPoint(toDeviceX(srcOffset.h + destRect.width()) - from.h,
                                    toDeviceY(srcOffset.v + destRect.height()) - from.v));
    const PixelImage piece = resampleArea(*image, source, device.width(), device.height(),
                                          CRect(0, 0, device.width(), device.height()));
    dest->getCanvas().copyImage(piece, device, CPoint(0, 0));
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
