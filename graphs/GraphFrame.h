// What every graph has in common: the frame drawn first (background, plot panel, titles) and
// the axes drawn last, over the data, with their ticks and labels.
#pragma once

#include <string>

#include "AxisState.h"
#include "Canvas.h"
#include "ProjectInfo.h"

namespace halosoil {

// The caption names the maker's web address, as the intro and the closing window do.
inline constexpr const char* kWebAddress = kMakerWeb;
inline constexpr const char* kFontFace = "Arial";

// The bitmap every graph is drawn on.
inline constexpr int kGraphWidth = 617;
inline constexpr int kGraphHeight = 441;

Font GraphFont(int size, Color color);

// Background, plot panel, the first title, the caption with the web address and the "Time
// step" label.
void DrawGraphFrame(Canvas& canvas, const std::string& title1);

// Axis lines, ticks and labels from the axis state, in white.
void DrawAxes(Canvas& canvas, const AxisState& axis);

// A tick label: fixed notation with the given decimals, right-aligned in at least
// decimals + 2 characters.
std::string AxisLabel(double value, int decimals);

}  // namespace halosoil
