// The kernels for any x86-64 processor (SSE2) and for other processors: two doubles a vector.
#include "KernelClones.h"

HALOSOIL_KERNEL_CLONES(Baseline, , lanes::V2, lanes::V2)
