// The salt steps of several stepped runs side by side: run k in lane k, each lane doing the
// one-run step's operations in its order (SaltBalanceDays.h), so that each run ends the step
// as its own SaltStep leaves it, to the bit. The runs' divisions overlap instead of each
// waiting on the one before, which is what bounds a single step.
#include "SaltBalanceDays.h"
#include "SteppedSalt.h"

namespace halosoil {

namespace {

using lanes::kWidth;

// Lane k reads run k; lanes beyond the group's runs repeat its first run and are never stored.
template <class V>
struct LaneStepInputs {
    const StepSaltInputs* one[kWidth<V>];

    template <class Of>
    HALOSOIL_LANES_INLINE V Gathered(const Of& of) const {
        V v{};  // every lane is set below; the braces spare -O1 a false warning
        for (int k = 0; k < kWidth<V>; ++k) v[k] = of(*one[k]);
        return v;
    }

    HALOSOIL_LANES_INLINE int NrTst() const { return 1; }
    HALOSOIL_LANES_INLINE int TstLength() const { return one[0]->TstLength(); }
    HALOSOIL_LANES_INLINE int Layers() const { return one[0]->Layers(); }
    HALOSOIL_LANES_INLINE V InitSalt(int zone) const {
        return Gathered([&](const StepSaltInputs& r)
                            HALOSOIL_LANE_LAMBDA { return r.InitSalt(zone); });
    }
    HALOSOIL_LANES_INLINE V LeachEff(int zone) const {
        return Gathered([&](const StepSaltInputs& r)
                            HALOSOIL_LANE_LAMBDA { return r.LeachEff(zone); });
    }
    HALOSOIL_LANES_INLINE V W(int zone) const {
        return Gathered([&](const StepSaltInputs& r) HALOSOIL_LANE_LAMBDA { return r.W(zone); });
    }
    HALOSOIL_LANES_INLINE V IrrigSalt(int i) const {
        return Gathered([&](const StepSaltInputs& r)
                            HALOSOIL_LANE_LAMBDA { return r.IrrigSalt(i); });
    }
    HALOSOIL_LANES_INLINE V Drain(int i) const {
        return Gathered([&](const StepSaltInputs& r) HALOSOIL_LANE_LAMBDA { return r.Drain(i); });
    }
    HALOSOIL_LANES_INLINE V Up() const {
        return Gathered([&](const StepSaltInputs& r) HALOSOIL_LANE_LAMBDA { return r.Up(); });
    }
    HALOSOIL_LANES_INLINE V Down() const {
        return Gathered([&](const StepSaltInputs& r) HALOSOIL_LANE_LAMBDA { return r.Down(); });
    }
    HALOSOIL_LANES_INLINE V GrwtOut() const {
        return Gathered([&](const StepSaltInputs& r) HALOSOIL_LANE_LAMBDA { return r.GrwtOut(); });
    }
    HALOSOIL_LANES_INLINE V LateralSalt() const {
        return Gathered([&](const StepSaltInputs& r)
                            HALOSOIL_LANE_LAMBDA { return r.LateralSalt(); });
    }
    HALOSOIL_LANES_INLINE V Perc(int layer, int i, int j) const {
        return Gathered([&](const StepSaltInputs& r)
                            HALOSOIL_LANE_LAMBDA { return r.Perc(layer, i, j); });
    }
    HALOSOIL_LANES_INLINE V Cap(int layer, int i, int j) const {
        return Gathered([&](const StepSaltInputs& r)
                            HALOSOIL_LANE_LAMBDA { return r.Cap(layer, i, j); });
    }
    HALOSOIL_LANES_INLINE V Measured(int zone, int i) const {
        return Gathered([&](const StepSaltInputs& r)
                            HALOSOIL_LANE_LAMBDA { return r.Measured(zone, i); });
    }
};

template <class V>
struct LaneStepResults {
    StepSaltResults* one[kWidth<V>];
    int runs;

    HALOSOIL_LANES_INLINE void Salinities(int i, const V (&s)[kZoneCount + 1]) {
        for (int k = 0; k < runs; ++k) {
            double run[kZoneCount + 1];
            for (int zone = 0; zone <= kZoneCount; ++zone) run[zone] = s[zone][k];
            one[k]->Salinities(i, run);
        }
    }
};

template <class V>
HALOSOIL_LANES_INLINE void StepGroups(const StepSaltInputs* inputs, StepSaltResults* results,
                                      int count) {
    for (int first = 0; first < count; first += kWidth<V>) {
        const int runs = count - first < kWidth<V> ? count - first : kWidth<V>;
        LaneStepInputs<V> in;
        LaneStepResults<V> out;
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
