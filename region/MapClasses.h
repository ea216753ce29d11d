// The classes of a map: where one class ends and the next begins, and the colours of a
// sequential ramp that stays apart for readers with any common colour blindness.
#pragma once

#include <string>
#include <vector>

#include "Canvas.h"

namespace halosoil::region {

inline constexpr int kDefaultClasses = 5;
inline constexpr int kMinClasses = 2;
inline constexpr int kMaxClasses = 9;

// Fields without a value (refused, or lacking the zone) are drawn in this grey, which no class
// of the ramp comes near.
inline constexpr Color kNoDataColor{204, 204, 204};

// The breaks between n classes: class 1 holds the values below breaks[0], class k (2..n-1)
// those from breaks[k-2] up to below breaks[k-1], class n those from breaks[n-2] up.
struct MapClasses {
    std::vector<double> breaks;
    std::vector<Color> colors;  // one per class, light to dark

    int Count() const { return static_cast<int>(colors.size()); }
    // The class (0-based) of a value.
    int ClassOf(double value) const;
    Color ColorOf(double value) const { return colors[ClassOf(value)]; }
};

// The breaks that put an equal share of the values into each of classes classes: the
// quantiles k / classes (k = 1..classes-1), interpolated linearly between the sorted values
// (value at rank (n - 1) p, counted from 0). Equal quantiles (many equal values) make one
// break, so fewer classes. Where there are no more distinct values than classes, each value
// has a class of its own, the breaks halfway between them. values must not be empty.
std::vector<double> QuantileBreaks(std::vector<double> values, int classes);

// The breaks of --breaks "a,b,c": numbers, strictly increasing, at most kMaxClasses - 1 of
// them. Throws HalosoilError naming the value at fault.
std::vector<double> ParseBreaks(const std::string& text);

// The ramp's colour of each of count classes, light (low values) to dark (high values).
std::vector<Color> SequentialRamp(int count);

// The classes of the breaks, coloured by the ramp.
MapClasses ClassesOf(std::vector<double> breaks);

// A break as the legend writes it: up to four significant digits ("0.25", "1250", "1.5e+04").
std::string BreakText(double value);

// "#rrggbb".
std::string HexColor(Color color);

}  // namespace halosoil::region
