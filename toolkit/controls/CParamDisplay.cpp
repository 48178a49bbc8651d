#include "CParamDisplay.h"

#include <cstring>

CParamDisplay::CParamDisplay(const CRect& size, CBitmap* background, const int32_t style)
    : CControl(size, nullptr, 0, background), look(*this, style)
{
    if (style & kNoDrawStyle) setDirty(false);
}

CParamDisplay::CParamDisplay(const CParamDisplay& other) : CControl(other), look(*this, other.look)
{
}

void CParamDisplay::draw(CDrawContext* context)
{
    char string[kTextBufferSize];
    formatValue(string);
    drawText(context, string);
}

void CParamDisplay::drawText(CDrawContext* context, const char* string, CBitmap* newBack)
{
    setDirty(false);
    // With either kind of transparency on the panel shows through: the editor's displays all
    // have text transparency on and expect no fill behind their text.
    const bool textTransparent = look.getTextTransparency();
    const ValueTextLook::Backdrop backdrop{
        newBack ? newBack : pBackground, backOffset, bTransparencyEnabled,
        !bTransparencyEnabled && !textTransparent, !textTransparent};
    look.drawText(context, size, backdrop, string);
}

bool CParamDisplay::isTypeOf(const char* name) const
{
    return (name && std::strcmp(name, "CParamDisplay") == 0) || CControl::isTypeOf(name);
}
