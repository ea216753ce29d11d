// The one conversion from text to number, used by the panels and both file readers, and the
// program-wide decimal separator it works with.
#pragma once

#include <string_view>

namespace halosoil {

char DecimalSeparator();
void SetDecimalSeparator(char separator);

// Converts text with the program-wide decimal separator, ignoring spaces around the number.
// When that fails while the separator is the comma, the separator becomes the point for good
// and the text is tried once more. Throws ConversionError when no conversion succeeds.
double StringToFloat(std::string_view text);

// Converts a number of a fixed-width file field, which always has the point as separator,
// without touching the program-wide separator. Throws ConversionError as StringToFloat does.
double PointStringToFloat(std::string_view text);

// Whether text is a whole number (optional sign and digits, spaces around it allowed).
bool TryStringToInt(std::string_view text, int& value);

}  // namespace halosoil
