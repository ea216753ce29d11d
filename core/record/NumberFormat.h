// The fixed-width number texts of the program's files and tables.
#pragma once

#include <string>

namespace halosoil {

// A whole number right-aligned in width columns (width 0: the digits alone).
std::string Whole(long long value, int width = 0);
// Whole(value, width) added to the end of out, without a text of its own.
void AppendWhole(std::string& out, long long value, int width);

// A real rounded to decimals places, point as separator, right-aligned in width columns;
// a longer text widens the field.
// Fixed(value, width, decimals) added to the end of out, without a text of its own.
void AppendFixed(std::string& out, double value, int width, int decimals);

std::string Fixed(double value, int width, int decimals);

// A real with 2 decimals and the program-wide decimal separator, right-aligned in width.
std::string Format2(double value, int width);

// The general text of a number: up to 15 significant digits, no trailing zeros, the
// program-wide separator; scientific notation for very small or very large magnitudes.
std::string GeneralText(double value);

// Right-aligns text in width columns.
std::string PadLeft(const std::string& text, int width);

}  // namespace halosoil
