// The salt balance's reads of several runs side by side: lane k reads run k through the
// one-run reads (RunSaltInputs, or a stepped run's StepSaltInputs) and its salinities go where
// that run's own would, so a run reads and writes the same alone and in a lane. Lanes beyond
// the group's runs repeat its first run and are never stored.
#pragma once

#include "TrialLanes.h"

namespace halosoil::saltlanes {

using lanes::kWidth;

template <class V, class One>
struct LaneSaltInputs {
    const One* one[kWidth<V>];

    // Lane k of each value read from run k.
    template <class Of>
    HALOSOIL_LANES_INLINE V Gathered(const Of& of) const {
        V v{};  // every lane is set below; the braces spare -O1 a false warning
        for (int k = 0; k < kWidth<V>; ++k) v[k] = of(*one[k]);
        return v;
    }

    HALOSOIL_LANES_INLINE int NrTst() const { return one[0]->NrTst(); }
    HALOSOIL_LANES_INLINE int TstLength() const { return one[0]->TstLength(); }
    HALOSOIL_LANES_INLINE int Layers() const { return one[0]->Layers(); }
    HALOSOIL_LANES_INLINE V InitSalt(int zone) const {
        return Gathered([&](const One& r) HALOSOIL_LANE_LAMBDA { return r.InitSalt(zone); });
    }
    HALOSOIL_LANES_INLINE V LeachEff(int zone) const {
        return Gathered([&](const One& r) HALOSOIL_LANE_LAMBDA { return r.LeachEff(zone); });
    }
    HALOSOIL_LANES_INLINE V W(int zone) const {
        return Gathered([&](const One& r) HALOSOIL_LANE_LAMBDA { return r.W(zone); });
    }
    HALOSOIL_LANES_INLINE V IrrigSalt(int i) const {
        return Gathered([&](const One& r) HALOSOIL_LANE_LAMBDA { return r.IrrigSalt(i); });
    }
    HALOSOIL_LANES_INLINE V Drain(int i) const {
        return Gathered([&](const One& r) HALOSOIL_LANE_LAMBDA { return r.Drain(i); });
    }
    HALOSOIL_LANES_INLINE V Up() const {
        return Gathered([&](const One& r) HALOSOIL_LANE_LAMBDA { return r.Up(); });
    }
    HALOSOIL_LANES_INLINE V Down() const {
        return Gathered([&](const One& r) HALOSOIL_LANE_LAMBDA { return r.Down(); });
    }
    HALOSOIL_LANES_INLINE V GrwtOut() const {
        return Gathered([&](const One& r) HALOSOIL_LANE_LAMBDA { return r.GrwtOut(); });
    }
    HALOSOIL_LANES_INLINE V LateralSalt() const {
        return Gathered([&](const One& r) HALOSOIL_LANE_LAMBDA { return r.LateralSalt(); });
    }
    HALOSOIL_LANES_INLINE V Perc(int layer, int i, int j) const {
        return Gathered([&](const One& r) HALOSOIL_LANE_LAMBDA { return r.Perc(layer, i, j); });
    }
    HALOSOIL_LANES_INLINE V Cap(int layer, int i, int j) const {
        return Gathered([&](const One& r) HALOSOIL_LANE_LAMBDA { return r.Cap(layer, i, j); });
    }
    HALOSOIL_LANES_INLINE V Measured(int zone, int i) const {
        return Gathered([&](const One& r) HALOSOIL_LANE_LAMBDA { return r.Measured(zone, i); });
    }
};

// Each step's salinities of lane k go to run k's results.
template <class V, class One>
struct LaneSaltResults {
    One* one[kWidth<V>];
    int runs;

    HALOSOIL_LANES_INLINE void Salinities(int i, const V (&s)[kZoneCount + 1]) {
        for (int k = 0; k < runs; ++k) {
            double run[kZoneCount + 1];
            for (int zone = 0; zone <= kZoneCount; ++zone) run[zone] = s[zone][k];
            one[k]->Salinities(i, run);
        }
    }
};

}  // namespace halosoil::saltlanes
