#pragma once

#include <cairo.h>

#include <cstdint>

// The cairo face for a family name and CTxtFace style bits, found through fontconfig:
// the family itself, else Liberation Sans (metric-compatible with Arial), else the generic
// sans-serif face. Faces are cached for the process; the caller does not release them.
cairo_font_face_t* findFontFace(const char* family, int32_t style);
