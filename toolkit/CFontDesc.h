#pragma once

#include "CBaseObject.h"

#include <cstdint>
#include <string>

enum CTxtFace : int32_t
{
    kNormalFace = 0,
    kBoldFace = 1,
    kItalicFace = 2,
    kUnderlineFace = 4,
};

// A font by family name, em size in pixels and style bits (CTxtFace). When the family is not
// installed the text renderer substitutes a metric-compatible or the generic sans-serif face.
class CFontDesc : public CBaseObject
{
  public:
    CFontDesc(const char* name = "Arial", int32_t size = 12, int32_t style = kNormalFace);

    const char* getName() const { return name.c_str(); }
    void setName(const char* newName) { name = newName ? newName : ""; }
    int32_t getSize() const { return size; }
    void setSize(int32_t newSize) { size = newSize; }
    int32_t getStyle() const { return style; }
    void setStyle(int32_t newStyle) { style = newStyle; }

  private:
    std::string name;
    int32_t size;
    int32_t style;
};

typedef CFontDesc* CFontRef;

// The standard descriptions; they live for the whole process (callers may remember and
// forget them like any font, but never hold the last reference).
extern const CFontRef kNormalFontVeryBig;   // "Arial" 18
extern const CFontRef kNormalFontBig;       // "Arial" 14
extern const CFontRef kNormalFont;          // "Arial" 12
extern const CFontRef kNormalFontSmall;     // "Arial" 11
extern const CFontRef kNormalFontSmaller;   // "Arial" 10
extern const CFontRef kNormalFontVerySmall; // "Arial" 9
extern const CFontRef kSymbolFont;          // "Symbol" 13
