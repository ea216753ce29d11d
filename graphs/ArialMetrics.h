// The measure of text in the Arial face (and the faces of the same metrics, such as
// Liberation Sans), without a font file: advance widths of the printable ASCII characters in
// thousandths of the font size, and the face's ascent and descent.
#pragma once

#include <string>

namespace halosoil {

// Font sizes are points on a screen of 96 dots per inch, rounded to whole pixels
// (8 points: 11 pixels, 10 points: 13).
int PixelSizeOf(int points);

// The advance of text at a size in pixels, rounded to whole pixels. A character outside
// printable ASCII counts as wide as a digit.
int ArialTextWidth(const std::string& text, int pixelSize);
// Ascent plus descent, each rounded up to whole pixels.
int ArialTextHeight(int pixelSize);
int ArialAscent(int pixelSize);

}  // namespace halosoil
