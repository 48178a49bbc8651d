#pragma once

namespace Gdiplus
{
class FontFamily;
}

// Font families for the names the toolkit asks for. A name the system lacks ("Arial" in a wine
// prefix, for one) falls back to Liberation Sans (the same metrics), then to the system's
// generic sans-serif family. Families are cached while GDI+ runs.
namespace gdiplusfonts
{
// Null only if not even the generic family exists. The family stays valid until releaseAll.
const Gdiplus::FontFamily* find(const char* name);
// Called by the runtime just before GDI+ shuts down.
void releaseAll();
} // namespace gdiplusfonts
