#pragma once

// Glyphs drawn with FreeType from a monospaced font, each scaled so that its advance is the cell the
// text measure gives it (platform::MeasureText): what a layout measured, cut or wrapped is what is
// drawn. Wide characters the font lacks, and every character when the font file is missing, are
// drawn as a box of their cell.

#include <cstdint>

#include "platform/gdi/GdiObjects.h"

namespace platform::gdi {

// Draws character `c` into the cell (x, y, width x height in the canvas's DC coordinates) in
// `colour`, blending the glyph's coverage over what is there; nothing outside the cell (or the
// `clip`, DC coordinates) is touched.
void DrawGlyph(const Canvas& canvas, const RECT& clip, char32_t c, int x, int y, int width, int height,
               bool bold, uint32_t colour);

}  // namespace platform::gdi
