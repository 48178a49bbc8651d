#pragma once

#include "CRect.h"

// The editor's fields whose pixels depend on the text renderer and the fonts installed: the
// version line, the twelve value texts, the meter scale labels and the wet/dry labels.
inline constexpr CRect kEditorTextFields[] = {
    {574, 3, 690, 18},    {20, 45, 71, 71},     {118, 118, 169, 136}, {271, 118, 322, 136},
    {194, 118, 245, 136}, {617, 118, 668, 136}, {617, 241, 668, 259}, {118, 241, 169, 259},
    {194, 241, 245, 259}, {21, 241, 72, 259},   {271, 241, 322, 259}, {358, 235, 409, 261},
    {410, 235, 461, 261}, {522, 52, 538, 187},  {401, 172, 504, 186},
};

inline bool inEditorTextField(int x, int y)
{
    for (const CRect& r : kEditorTextFields)
        if (r.pointInside(CPoint(x, y))) return true;
    return false;
}
