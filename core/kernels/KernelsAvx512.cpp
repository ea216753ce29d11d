// The kernels for AVX-512: eight doubles a vector for the balances, four for the refinement
// and the members.
#include "KernelClones.h"

#if defined(__x86_64__)
// The refinement and the members keep 256-bit lanes on AVX-512. Their time goes into
// divisions, and a 512-bit division costs what two 256-bit ones cost (the processors split it
// in halves), so wider lanes win nothing there; what they would cost is real: the daily
// project with both calibrations takes 23 ms on eight lanes and 16 ms on four (AMD EPYC, both
// cores),
// a member's 180 trials fill groups of four with less waste in a share's last group, a group
// stops as soon as all its trials are past the bound (four lanes reach that sooner than eight),
// and some processors lower their clock for 512-bit work. The clone still gains AVX-512's
// masks for the comparisons. The balances of an ensemble, with few divisions, gain from eight
// lanes (140 against 158 ms for a thousand century members).
HALOSOIL_KERNEL_CLONES(Avx512, [[gnu::target("avx512f,avx512dq,avx512vl")]], lanes::V8, lanes::V4)
#endif
