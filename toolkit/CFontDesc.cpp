#include "CFontDesc.h"

CFontDesc::CFontDesc(const char* name, int32_t size, int32_t style)
    : name(name ? name : ""), size(size), style(style)
{
}

namespace
{
// The standard descriptions live in static storage: the library can be unloaded and loaded
// again by a host, so nothing here may be left on the heap. Their own reference keeps users'
// remember/forget pairs from ever reaching zero.
CFontDesc veryBig("Arial", 18, kNormalFace);
CFontDesc big("Arial", 14, kNormalFace);
CFontDesc normal("Arial", 12, kNormalFace);
CFontDesc small("Arial", 11, kNormalFace);
CFontDesc smaller("Arial", 10, kNormalFace);
CFontDesc verySmall("Arial", 9, kNormalFace);
CFontDesc symbol("Symbol", 13, kNormalFace);
} // namespace

const CFontRef kNormalFontVeryBig = &veryBig;
const CFontRef kNormalFontBig = &big;
const CFontRef kNormalFont = &normal;
const CFontRef kNormalFontSmall = &small;
const CFontRef kNormalFontSmaller = &smaller;
const CFontRef kNormalFontVerySmall = &verySmall;
const CFontRef kSymbolFont = &symbol;
