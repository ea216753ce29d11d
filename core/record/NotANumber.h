// The value of a result that has none: a quantity a study could not work out, a zone a
// project lacks. Written as NaN so that it travels through the arrays and tables as empty.
#pragma once

#include <limits>

namespace halosoil {

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace halosoil
