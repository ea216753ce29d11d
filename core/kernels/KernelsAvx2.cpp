// The kernels for AVX2: four doubles a vector.
#include "KernelClones.h"

#if defined(__x86_64__)
HALOSOIL_KERNEL_CLONES(Avx2, [[gnu::target("avx2")]], lanes::V4, lanes::V4)
#endif
