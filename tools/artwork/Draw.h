#pragma once

#include <cairo.h>

#include <cstdint>

constexpr double kPi = 3.14159265358979323846;

// Small drawing vocabulary shared by the painters.
struct Rgb
{
    double r, g, b; // 0 to 255

    Rgb mix(const Rgb& other, double t) const
    {
        return {r + (other.r - r) * t, g + (other.g - g) * t, b + (other.b - b) * t};
    }
    Rgb scaled(double f) const { return {r * f, g * f, b * f}; }
    Rgb plus(double d) const { return {r + d, g + d, b + d}; }
};

struct TextStyle
{
    double size;
    bool bold;
    double tracking; // extra pixels after every character; whole pixels keep spacing even
};

namespace draw
{
void setColour(cairo_t* cr, const Rgb& c, double alpha = 1.0);
void addStop(cairo_pattern_t* p, double offset, const Rgb& c, double alpha = 1.0);
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
// A vertical linear gradient from `top` at y0 to `bottom` at y1, set as the source.
void setVerticalGradient(cairo_t* cr, double y0, double y1, const Rgb& top, const Rgb& bottom,
                         double alpha = 1.0);

// Light hinting and whole-pixel advances keep small captions crisp and evenly spaced.
void setFontOptions(cairo_t* cr);
// A context at the images' own pixel size, on which all text is measured: a caption's place
// and size then come out the same whatever scale it is painted at.
cairo_t* layoutContext();
void releaseLayoutContext();

// The face every text is set in, and whether fontconfig has it. Where it lacks it, fontconfig
// would quietly give another face, with other widths: images that differ from the committed ones.
extern const char* const kFamily;
bool familyInstalled();

void selectFont(cairo_t* cr, const TextStyle& style);
double textWidth(cairo_t* cr, const TextStyle& style, const char* text);
// Largest size not above style.size at which `text` fits into maxWidth.
TextStyle fitted(cairo_t* cr, TextStyle style, const char* text, double maxWidth);
// Draws from the left edge x at the given baseline; returns the drawn width.
double text(cairo_t* cr, const TextStyle& style, const char* text, double x, double baseline);
void textCentred(cairo_t* cr, const TextStyle& style, const char* text, double centreX,
                 double baseline);
void textRight(cairo_t* cr, const TextStyle& style, const char* text, double rightX,
               double baseline);

// Deterministic noise in [-1, 1] from integer coordinates and a seed.
double noise(std::uint32_t x, std::uint32_t y, std::uint32_t seed);
} // namespace draw
