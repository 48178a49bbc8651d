#include "CFontDesc.h"

CFontDesc::CFontDesc(const char* name, int32_t size, int32_t style)
    : name(name ? name : ""), size(size), style(style)
{
}

namespace
{
// Allocated once and kept reachable for the process's lifetime.
CFontRef makeStandardFont(const char* name, int32_t size)
{
    return new CFontDesc(name, size, kNormalFace);
}
} // namespace

const CFontRef kNormalFontVeryBig = makeStandardFont("Arial", 18);
const CFontRef kNormalFontBig = makeStandardFont("Arial", 14);
const CFontRef kNormalFont = makeStandardFont("Arial", 12);
const CFontRef kNormalFontSmall = makeStandardFont("Arial", 11);
const CFontRef kNormalFontSmaller = makeStandardFont("Arial", 10);
const CFontRef kNormalFontVerySmall = makeStandardFont("Arial", 9);
const CFontRef kSymbolFont = makeStandardFont("Symbol", 13);
