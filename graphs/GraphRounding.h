// Rounding of the graph arithmetic: to the nearest integer, halves to the even neighbour
// (0.5 -> 0, 1.5 -> 2, 2.5 -> 2), whatever the processor's rounding mode.
#pragma once

namespace halosoil {

// Values beyond +-1e9 (and infinities) give +-1e9, not a number gives 0, so that pixel and
// axis arithmetic on absurd data stays defined.
int RoundHalfEven(double value);

}  // namespace halosoil
