#pragma once

#include "ArtworkSet.h"

#include <string>

// A mock-up of the open editor: the images pasted at the views' rectangles the way the editor
// draws them, with stand-ins for the texts and displays that code draws. For judging the artwork
// only; the editor itself is the reference.
namespace preview
{
bool write(const ArtworkSet& art, const std::string& path, bool aboutOpen);
} // namespace preview
