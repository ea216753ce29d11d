// The colours of the graphs, as red, green and blue.
#pragma once

#include "Canvas.h"

namespace halosoil::colors {

inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kSilver{192, 192, 192};
inline constexpr Color kDarkBlue{0, 0, 139};
inline constexpr Color kYellow{255, 255, 0};
inline constexpr Color kLime{0, 255, 0};
inline constexpr Color kAqua{0, 255, 255};
inline constexpr Color kRed{255, 0, 0};
inline constexpr Color kSand{215, 167, 91};
inline constexpr Color kSkyBlue{166, 202, 240};
inline constexpr Color kPink{249, 210, 204};
inline constexpr Color kLemon{247, 240, 4};
inline constexpr Color kPaleGreen{183, 242, 186};
// The colour of inactive window captions in the default scheme of the desktop the program
// was first written for; the bars of the water-table graph alternate it with sky blue. The
// graphs know no window system, so the colour is fixed here.
inline constexpr Color kInactiveCaption{191, 205, 219};

}  // namespace halosoil::colors
