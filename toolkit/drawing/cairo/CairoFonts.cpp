#include "CairoFonts.h"

#include "CFontDesc.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <map>
#include <mutex>
#include <string>
#include <utility>

namespace
{
cairo_font_face_t* matchFace(const char* family, int32_t style)
{
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return nullptr;
    // Preference order: the family asked for, then a metric-compatible face, then any sans.
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("Liberation Sans"));
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddInteger(pattern, FC_WEIGHT,
                        (style & kBoldFace) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT,
                        (style & kItalicFace) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return nullptr;
    cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(match);
    FcPatternDestroy(match);
    if (cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS)
    {
        cairo_font_face_destroy(face);
        return nullptr;
    }
    return face;
}
} // namespace

cairo_font_face_t* findFontFace(const char* family, int32_t style)
{
    static std::mutex mutex;
    static std::map<std::pair<std::string, int32_t>, cairo_font_face_t*> cache;

    const int32_t faceBits = style & (kBoldFace | kItalicFace);
    const std::pair<std::string, int32_t> key(family ? family : "", faceBits);
    std::lock_guard<std::mutex> lock(mutex);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    cairo_font_face_t* face = matchFace(key.first.c_str(), faceBits);
    if (!face)
        face = cairo_toy_font_face_create(
            "sans-serif",
            (faceBits & kItalicFace) ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
            (faceBits & kBoldFace) ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cache.emplace(key, face);
    return face;
}
