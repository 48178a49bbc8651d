#pragma once

#include "CBaseObject.h"
#include "CColor.h"
#include "CPoint.h"
#include "CRect.h"
#include "ToolkitTypes.h"

#include <cstdint>
#include <memory>

class CFontDesc;
class CFrame;
class Canvas;
class PixelImage;

// Draws into a 32-bit image in the context's own coordinates. Rectangles cover
// [left, right) x [top, bottom); colours blend by their alpha.
// A context may draw at a device scale: its coordinates stay logical pixels, and the target
// holds `scale` device pixels per logical pixel (edges rounded as in DeviceScale.h, from the
// context's device origin). At scale 1 logical and device pixels are the same.
class CDrawContext : public CBaseObject
{
  public:
    // Draws into `target`, which must outlive the context, at scale 1.
    CDrawContext(CFrame* frame, PixelImage& target);
    ~CDrawContext() override;

    // All later drawing stays inside rect (and inside the limit the frame may have set).
    void setClipRect(const CRect& clip);
    CRect& getClipRect(CRect& clip) const;
    CRect getClipRect() const { return clipRect; }
    void resetClipRect();

    void setFillColor(const CColor color) { fillColor = color; }
    CColor getFillColor() const { return fillColor; }
    void setFrameColor(const CColor color) { frameColor = color; }
    CColor getFrameColor() const { return frameColor; }
    void setFontColor(const CColor color) { fontColor = color; }
    CColor getFontColor() const { return fontColor; }
    void setLineWidth(int32_t width) { lineWidth = width; }
    int32_t getLineWidth() const { return lineWidth; }

    // Selects a font; a size below 1 or a style of -1 keeps the font's own.
    void setFont(const CFontDesc* font, const int32_t& size = 0, const int32_t& style = -1);
    const CFontDesc* getFont() const;
    int32_t getFontSize() const { return fontSize; }

    // kDrawFilled paints [left, right) x [top, bottom) in the fill colour; kDrawStroked draws a
    // border of the line width along the inside of the rectangle in the frame colour, from
    // (left, top) to (right - 1, bottom - 1); kDrawFilledAndStroked does both.
    void drawRect(const CRect& rect, const CDrawStyle drawStyle = kDrawStroked);
    void fillRect(const CRect& rect) { drawRect(rect, kDrawFilled); }

    // A line in the frame colour and line width from the pen position to `point`, both end
    // pixels included; the pen then rests at `point`.
    void moveTo(const CPoint& point) { penPos = point; }
    void lineTo(const CPoint& point);
    CPoint getPenPos() const { return penPos; }

    // One line of anti-aliased text in the font colour, clipped to rect. Placement: with h the
    // rectangle's height and s the font size, the text's reference line is at
    // bottom - (h / 2 - s / 2 + 1) and its top one pixel below that minus the line height;
    // left text starts at left, right text ends at right, centred text starts at
    // left + width / 2 - text width / 2 (truncated). `opaque` fills rect with the fill colour
    // first.
    void drawString(const char* string, const CRect& rect, const short opaque = 0,
                    const CHoriTxtAlign hAlign = kCenterText);
    // The same; with `antialias` false the renderer's default text rendering is used.
    void drawString(const char* string, const CRect& rect, const short opaque,
                    const CHoriTxtAlign hAlign, const bool antialias);
    // Advance width of the text in the current font, rounded to whole pixels.
    int32_t getStringWidth(const char* string);

    // Paints the part of `image` that starts at `offset` into rect, as CBitmap::draw does.
    // Above scale 1 it paints `doubled` (the same picture at twice the size) where given:
    // pixel for pixel at scale 2, area-averaged at other factors.
    void drawImage(const PixelImage& image, const PixelImage* doubled, const CRect& rect,
                   const CPoint& offset, uint8_t alpha);

    double getScale() const { return scale; }
    // Logical coordinates of this context to device pixels of its target.
    int32_t toDeviceX(int32_t x) const;
    int32_t toDeviceY(int32_t y) const;
    CRect toDevice(const CRect& rect) const;
    // Fills device pixels of the target directly in the fill colour, within the clip: for
    // drawings that use the device's finer grid (meters, curves).
    void fillDeviceRect(const CRect& deviceRect);

    CFrame* getFrame() const { return frame; }
    PixelImage& getTarget() const { return target; }
    Canvas& getCanvas() const { return *canvas; }

    // Drawing never leaves `limit`, whatever clip the views set (used by the frame while it
    // repaints a region); an empty rectangle removes the limit.
    void setClipLimit(const CRect& limit);

  protected:
    // Makes the context draw at `deviceScale` over the logical rectangle `place`: its logical
    // (0, 0) lies at place's top left on the grid the scale rounds on, so a frame's offscreen
    // pieces line up with the frame.
    void setDeviceScale(double deviceScale, const CRect& place);
    void applyClip();
    double stringWidth(const char* string, double size);
    void drawLineAtScale(const CPoint& from, const CPoint& to);

    CFrame* frame;
    PixelImage& target;
    std::unique_ptr<Canvas> canvas;
    CRect clipRect;
    CRect clipLimit;
    CColor fillColor = kWhiteCColor;
    CColor frameColor = kBlackCColor;
    CColor fontColor = kWhiteCColor;
    int32_t lineWidth = 1;
    CFontDesc* font = nullptr;
    int32_t fontSize = 12;
    int32_t fontStyle = 0;
    CPoint penPos;
    double scale = 1.0;
    CPoint deviceOrigin;
    CPoint logicalSize;
    CRect deviceClip;
};
