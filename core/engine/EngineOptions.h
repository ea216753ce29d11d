// How a run computes its two calibrations. Every choice gives the same numbers to the last
// bit; they differ only in speed. The reference is the plain trial-by-trial loop; the fast
// path computes many trials side by side in vector registers and across the cores.
#pragma once

namespace halosoil {

// The vector units the fast path can use, narrowest first. Baseline is what every processor
// of the architecture has (SSE2 on x86-64).
enum class VectorUnit { Baseline, AVX2, AVX512 };

struct EngineOptions {
    bool reference = false;
    // Threads for the trials; 0 means one per core. A caller that runs many projects at once
    // gives 1.
    int threads = 0;
    // The widest vector unit the fast path may use; it never uses one the processor lacks.
    VectorUnit widestVectorUnit = VectorUnit::AVX512;
};

}  // namespace halosoil
