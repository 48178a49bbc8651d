#pragma once

#include "CBaseObject.h"
#include "CPoint.h"
#include "CRect.h"

#include <cstddef>
#include <cstdint>
#include <memory>

class CDrawContext;
class PixelImage;

// An image with per-pixel alpha, decoded from a PNG compiled into the plug-in. An image that
// is missing or cannot be decoded leaves the bitmap empty: not loaded, 0 x 0, draws nothing.
class CBitmap : public CBaseObject
{
  public:
    // Loads the PNG resource `resourceId` (201 to 216), sharing the decoded pixels with the
    // other bitmaps of that resource.
    explicit CBitmap(int32_t resourceId);
    // Decodes PNG data held by the caller (copied).
    CBitmap(const unsigned char* pngData, std::size_t size);
    ~CBitmap() override;
    CBitmap(const CBitmap&) = delete;

    // Paints the part of the image that starts at `offset` into rect, blended by the image's
    // alpha. Parts of rect beyond the image stay untouched.
    void draw(CDrawContext* context, CRect& rect, const CPoint& offset = CPoint(0, 0));
    // The same as draw(): the image's alpha is always honoured.
    void drawTransparent(CDrawContext* context, CRect& rect, const CPoint& offset = CPoint(0, 0));
    // draw() with a further overall opacity (255 = as draw()).
    void drawAlphaBlend(CDrawContext* context, CRect& rect, const CPoint& offset = CPoint(0, 0),
                        unsigned char alpha = 255);

    // The size of the PNG resource `resourceId`, read from its header: nothing is decoded.
    // 0 x 0 for a missing resource or an unreadable header.
    static CPoint resourceSize(int32_t resourceId);
    // How many resource images the process holds decoded now: each counts once, however many
    // bitmaps share it.
    static int decodedResourceImages();

    int32_t getWidth() const;
    int32_t getHeight() const;
    bool isLoaded() const;
    int32_t getResourceID() const { return resourceID; }
    const PixelImage* getImage() const { return image.get(); }
    // The same picture at twice the size (resource id + image::kDoubleSize), decoded on first
    // use; null where the plug-in carries none.
    const PixelImage* getDoubledImage();

  private:
    int32_t resourceID = 0;
    // Shared with every other bitmap of the same resource (see CBitmap.cpp); never changed.
    std::shared_ptr<const PixelImage> image;
    std::shared_ptr<const PixelImage> doubled;
    bool doubledLooked = false;
};
