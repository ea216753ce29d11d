// The kernels for AVX-512: eight doubles a vector, but for the members.
#include "KernelClones.h"

#if defined(__x86_64__)
// The members keep 256-bit lanes on AVX-512. Their time goes into divisions, and a 512-bit
// division costs what two 256-bit ones cost (the processors split it in halves), so wider
// lanes win nothing there; what they would cost is real: a member's 180 trials fill groups of
// four with less waste in a share's last group, a group stops as soon as all its trials are
// past the bound (four lanes reach that sooner than eight), and some processors lower their
// clock for 512-bit work. The clone still gains AVX-512's masks for the comparisons.
HALOSOIL_KERNEL_CLONES(Avx512, [[gnu::target("avx512f,avx512dq,avx512vl")]], lanes::V8, lanes::V4)
#endif
