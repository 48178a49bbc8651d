#pragma once

#include "CColor.h"
#include "CPoint.h"
#include "CRect.h"

#include <cstdint>
#include <memory>

class PixelImage;

struct FontMetrics
{
    double ascent = 0;
    double descent = 0;
    double lineHeight = 0; // ascent + descent + line gap
};

// The drawing back end under CDrawContext: the few primitives the toolkit needs, painted into
// a PixelImage. One implementation per back end (drawing/cairo for Linux).
class Canvas
{
  public:
    virtual ~Canvas() = default;

    // Later drawing stays inside clip; pixels outside stay untouched.
    virtual void setClip(const CRect& clip) = 0;
    // Blends color over [left, right) x [top, bottom).
    virtual void fillRect(const CRect& rect, CColor color) = 0;
    // A line of `width` pixels; for odd widths an axis-aligned line covers whole pixel
    // rows or columns, both end pixels included.
    virtual void drawLine(const CPoint& from, const CPoint& to, CColor color, int32_t width) = 0;

    // Text in UTF-8 with a family name (substituted when missing), em size and CTxtFace bits.
    virtual void selectFont(const char* family, double size, int32_t style) = 0;
    virtual FontMetrics fontMetrics() = 0;
    virtual double textWidth(const char* utf8) = 0;
    // Draws text with its baseline starting at (x, baseline).
    virtual void drawText(const char* utf8, double x, double baseline, CColor color,
                          bool antialias) = 0;

    // Blends image over dest; image pixel srcOrigin lands on dest's top left corner.
    virtual void drawImage(const PixelImage& image, const CRect& dest, const CPoint& srcOrigin,
                           uint8_t alpha) = 0;
    // Replaces dest's pixels with the image's, image pixel srcOrigin at dest's top left;
    // the part of dest beyond the image is left alone.
    virtual void copyImage(const PixelImage& image, const CRect& dest, const CPoint& srcOrigin) = 0;
};

std::unique_ptr<Canvas> createCanvas(PixelImage& target);

// Keeps the drawing back end running while held. Back ends that need starting (GDI+) start on
// the first lease and stop when the last one ends; a frame holds one for its whole life, so the
// canvases it makes per draw do not start and stop the back end each time. Every canvas holds
// one as well. If the back end cannot start, isReady() is false and canvases draw nothing.
class DrawingBackendLease
{
  public:
    DrawingBackendLease();
    ~DrawingBackendLease();
    DrawingBackendLease(const DrawingBackendLease&) = delete;
    DrawingBackendLease& operator=(const DrawingBackendLease&) = delete;
    bool isReady() const { return ready; }

  private:
    bool ready;
};
