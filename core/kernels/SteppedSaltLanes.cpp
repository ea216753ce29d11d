// The salt steps of several stepped runs side by side: run k in lane k, each lane doing the
// one-run step's operations in its order (SaltBalanceDays.h), so that each run ends the step
// as its own SaltStep leaves it, to the bit. The runs' divisions overlap instead of each
// waiting on the one before, which is what bounds a single step.
#include "SaltBalanceDays.h"
#include "SaltLanes.h"
#include "SteppedSalt.h"

namespace halosoil {

namespace {

using lanes::kWidth;

template <class V>
HALOSOIL_LANES_INLINE void StepGroups(const StepSaltInputs* inputs, StepSaltResults* results,
                                      int count) {
    for (int first = 0; first < count; first += kWidth<V>) {
        const int runs = count - first < kWidth<V> ? count - first : kWidth<V>;
        saltlanes::LaneSaltInputs<V, StepSaltInputs> in;
        saltlanes::LaneSaltResults<V, StepSaltResults> out;
        out.runs = runs;
        for (int k = 0; k < kWidth<V>; ++k) {
            const int run = first + (k < runs ? k : 0);
            in.one[k] = &inputs[run];
            out.one[k] = &results[run];
        }
        V sse[kZoneCount + 1] = {};
        SaltBalanceDays<V, SaltBalanceKind::Specified>(in, out, sse);
        for (int k = 0; k < runs; ++k)
            for (int zone = 0; zone <= kZoneCount; ++zone)
                results[first + k].AddSquares(zone, sse[zone][k]);
    }
}

}  // namespace

void SteppedSaltBaseline(const StepSaltInputs* inputs, StepSaltResults* results, int count) {
    StepGroups<lanes::V2>(inputs, results, count);
}

#if defined(__x86_64__)
[[gnu::target("avx2")]] void SteppedSaltAvx2(const StepSaltInputs* inputs, StepSaltResults* results,
                                             int count) {
    StepGroups<lanes::V4>(inputs, results, count);
}
#else
void SteppedSaltAvx2(const StepSaltInputs* inputs, StepSaltResults* results, int count) {
    SteppedSaltBaseline(inputs, results, count);
}
#endif

}  // namespace halosoil
