// One day of the water balance, written once over a lane type: V is double for one run, or a
// vector of doubles whose every lane does the one-run day's operations in its order (the
// refinement's trials, the members of an ensemble). The run's branches become selects between
// the values of both sides, which leaves each lane with the bits the branch gives.
//
// Every day of a step starts from the depth at the end of the step before and reads the same
// rain, irrigation and evaporation, and what a day carries to the next (the actual
// evapotranspiration and capillary rise kept when the irrigation efficiency is 0) comes back
// unchanged: all days of a step give the same flows. A step computes its day once; its sums
// still add the day's flows once per day, as the run has always summed them.
#pragma once

#include "RunInputs.h"
#include "TrialLanes.h"

namespace halosoil {

// From this drainage capacity on, a day moves the water table in ten sub-steps instead of one.
inline constexpr double kSubStepCapacity = 0.02;
// The sub-steps of a day from kSubStepCapacity on.
inline constexpr int kSubSteps = 10;

// Where the zones end and what they drain, per lane.
template <class V>
struct SoilProfile {
    V t1, t12, root, rootTrans;  // depths of the bottoms of layers 1, 2, the root zone and the
                                 // transition zone
    V eff1, eff2, eff3, effT, effA;
    bool oneLayer, threeLayers;
};

// The effective porosity of the zone holding a water table at depth d; 1 at or above the
// surface.
template <class V>
HALOSOIL_LANES_INLINE V PorosityAt(const SoilProfile<V>& p, V depth) {
    using lanes::Select;
    V por = p.effA;
    por = Select<V>(depth <= p.rootTrans, p.effT, por);
    if (p.oneLayer) {
        por = Select<V>(depth <= p.root, p.eff1, por);
    } else {
        if (p.threeLayers) por = Select<V>(depth <= p.root, p.eff3, por);
        por = Select<V>(depth <= p.t12, p.eff2, por);
        por = Select<V>(depth <= p.t1, p.eff1, por);
    }
    return Select<V>(depth <= 0, lanes::Splat<V>(1.0), por);
}

// What a day reads of the project besides the step's amounts, per lane.
template <class V>
struct DayConstants {
    SoilProfile<V> profile;
    V critDepth;
    V reach;  // the critical depth less half the root zone: where capillary rise fades
    V irrEff;
    V r1, r2, r3;  // the layers' shares of evapotranspiration beyond an even split
    V moistCap;
    V drainDepth;
    V qh2k, qh1k;  // 1000 x the drainage capacities
    V grwtInf, grwtOut;
    V inflowTenth, outflowTenth;  // per sub-step
    int layers;
    bool daily;  // one-day steps pass the surplus through the moisture store
    bool drainPresent;
};

// The start-of-step values of one run's (or lane's) profile, as the run computes them.
template <class V>
HALOSOIL_LANES_INLINE SoilProfile<V> ProfileOf(const RunInputs& d, double rootThick) {
    using lanes::Splat;
    return {Splat<V>(d.Thick[Layer1]),
            Splat<V>(d.Thick[Layer1] + d.Thick[Layer2]),
            Splat<V>(rootThick),
            Splat<V>(rootThick + d.Thick[Trans]),
            Splat<V>(d.EffPor[Layer1]),
            Splat<V>(d.EffPor[Layer2]),
            Splat<V>(d.EffPor[Layer3]),
            Splat<V>(d.EffPor[Trans]),
            Splat<V>(d.EffPor[Aquif]),
            d.OneLayer,
            d.ThreeLayers};
}

// The water the root-zone layers hold against drainage, mm.
inline double MoistureCapacity(const RunInputs& d) {
    double held = 0;
    for (int z = Layer1; z <= Layer3; ++z)
        if (d.ZoneExists(z)) held = held + (d.TotPor[z] - d.EffPor[z]) * d.Thick[z];
    return 1000 * held;
}

// The constants of one run with drainage capacity qh1, in every lane.
template <class V>
HALOSOIL_LANES_INLINE DayConstants<V> DayConstantsOf(const RunInputs& d, double rootThick,
                                                     double r1, double r2, double r3, V qh1) {
    using lanes::Splat;
    return {ProfileOf<V>(d, rootThick),
            Splat<V>(d.CritDepth),
            Splat<V>(d.CritDepth - 0.5 * rootThick),
            Splat<V>(d.IrrEff),
            Splat<V>(r1),
            Splat<V>(r2),
            Splat<V>(r3),
            Splat<V>(MoistureCapacity(d)),
            Splat<V>(d.DrainDepth),
            Splat<V>(1000 * d.QH2),
            1000 * qh1,
            Splat<V>(d.GrwtInf),
            Splat<V>(d.GrwtOut),
            Splat<V>(d.GrwtInf / kSubSteps),
            Splat<V>(d.GrwtOut / kSubSteps),
            d.Layers,
            d.TstLength == 1,
            d.DrainPresent};
}

// What one day carries to the next.
template <class V>
struct DayCarry {
    V evapA{}, capT{};    // kept from day to day when the irrigation efficiency is 0
    V moist{}, change{};  // the moisture store of one-day steps
};

// One day's flows: the net percolation out of the root zone and capillary rise from the water
// table, the actual evapotranspiration, and the per-layer flows out of (perc) and into (cap)
// layers 1 to 3 (those of missing layers are not set).
template <class V>
struct DayFlows {
    V perc, capT, evapA;
    V perc1{}, perc2{}, perc3{}, cap1{}, cap2{}, cap3{};
};

// Evapotranspiration, capillary rise and percolation of a day that starts with the water
// table at depth, with evap and wr (rain plus spread irrigation) per day.
template <class V>
HALOSOIL_LANES_INLINE DayFlows<V> RootZoneDay(const DayConstants<V>& c, DayCarry<V>& carry, V depth,
                                              V evap, V wr) {
    using lanes::Select;
    using lanes::Splat;
    const V zero = Splat<V>(0);
    const auto raised = [zero](V value)
                            HALOSOIL_LANE_LAMBDA { return Select<V>(value < 0, zero, value); };

    // 1. Capillary rise factor.
    V cf = (c.critDepth - depth) / c.reach;
    cf = Select<V>(cf < 0, zero, cf);
    cf = Select<V>(cf > 1, Splat<V>(1), cf);
    cf = Select<V>(c.reach > 0, cf, Splat<V>(1));

    // 2. Evapotranspiration and capillary rise; without irrigation efficiency the day keeps
    // the values of the day before.
    const V evapDry = c.irrEff * wr + cf * (evap - c.irrEff * wr);
    const auto wet = evap / c.irrEff <= wr;
    const auto efficient = c.irrEff > 0;
    V evapA = Select<V>(efficient, Select<V>(wet, evap, evapDry), carry.evapA);
    V capT = Select<V>(efficient, Select<V>(wet, zero, raised(evapDry - wr)), carry.capT);
    evapA = Select<V>(evapA > evap, evap, evapA);
    carry.evapA = evapA;

    // 3. Root-zone percolation; one-day steps pass the surplus through the moisture store and
    // net it against the capillary rise.
    V perc;
    if (c.daily) {
        V change = wr - evapA;
        change = Select<V>(change + carry.change > c.moistCap, c.moistCap - carry.change, change);
        V moist = carry.moist + change;
        moist = raised(moist);
        change = raised(change);
        const auto full = moist > c.moistCap;
        moist = Select<V>(full, c.moistCap, moist);
        change = Select<V>(full, zero, change);
        perc = raised(wr - evapA - change);
        const auto surplus = perc > capT;
        const V netPerc = Select<V>(surplus, perc - capT, zero);
        capT = Select<V>(surplus, zero, capT - perc);
        perc = netPerc;
        carry.moist = moist;
        carry.change = change;
    } else {
        perc = wr - evapA;
    }
    carry.capT = capT;

    // 4. Flows per layer.
    DayFlows<V> f{perc, capT, evapA};
    if (c.layers == 1) {
        f.perc1 = perc;
        f.cap1 = capT;
    } else if (c.layers == 2) {
        const V evap1 = (2.0 / 3.0 + c.r1) * evapA;
        const V evap2 = (1.0 / 3.0 + c.r2) * evapA;
        f.perc1 = wr / c.irrEff - evap1;
        f.perc2 = raised(f.perc1 - evap2);
        f.cap2 = capT;
        f.cap1 = raised(f.cap2 - evap2);
    } else {
        const V evap1 = (1.0 / 2.0 + c.r1) * evapA;
        const V evap2 = (1.0 / 3.0 + c.r2) * evapA;
        const V evap3 = (1.0 / 6.0 + c.r3) * evapA;
        f.perc1 = raised(wr / c.irrEff - evap1);
        f.perc2 = raised(f.perc1 - evap2);
        f.perc3 = raised(f.perc2 - evap3);
        f.cap3 = raised(capT);
        f.cap2 = raised(f.cap3 - evap3);
        f.cap1 = raised(f.cap2 - evap2);
    }
    return f;
}

// The drain discharge for a water table at depth, of a whole day or (tenth) of one of its
// sub-steps. Water standing 0.1 m or more above the surface doubles the flow above drain
// level.
template <class V>
HALOSOIL_LANES_INLINE V Discharge(const DayConstants<V>& c, V depth, bool tenth) {
    using lanes::Select;
    using lanes::Splat;
    if (!c.drainPresent) return Splat<V>(0);
    const V head = c.drainDepth - depth;
    V above = c.qh2k * (head * head);
    if (tenth) above = above / kSubSteps;
    above = Select<V>(depth <= -0.1, above * 2, above);
    V below = c.qh1k * head;
    if (tenth) below = below / kSubSteps;
    V discharge = above + below;
    discharge = Select<V>(discharge < 0, Splat<V>(0), discharge);
    return Select<V>(head <= 0, Splat<V>(0), discharge);
}

// The water table's move over a day.
template <class V>
struct TableMove {
    V discharge;  // the day's drain discharge
    V porosity;   // the porosity of the day's last evaluation
    V depth;      // the depth at the day's end
};

// A day's move in sub-steps, part way: what the sub-steps so far drained, the porosity of the
// last, the depth reached, and the day's flows per sub-step.
template <class V>
struct SubStepMove {
    V percTenth, capTenth;
    V discharge, porosity, depth;
};

template <class V>
HALOSOIL_LANES_INLINE SubStepMove<V> SubStepsStart(const DayFlows<V>& f, V depth) {
    return {f.perc / kSubSteps, f.capT / kSubSteps, lanes::Splat<V>(0), lanes::Splat<V>(0), depth};
}

// One of the ten sub-steps of a day.
template <class V>
HALOSOIL_LANES_INLINE void SubStep(const DayConstants<V>& c, SubStepMove<V>& m) {
    const V sub = Discharge<V>(c, m.depth, true);
    m.discharge = m.discharge + sub;
    m.porosity = PorosityAt<V>(c.profile, m.depth);
    m.depth = m.depth - (m.percTenth - m.capTenth - sub + c.inflowTenth - c.outflowTenth) /
                            (1000 * m.porosity);
}

// One move a day (subSteps false, capacities below kSubStepCapacity) or ten sub-steps.
template <class V>
HALOSOIL_LANES_INLINE TableMove<V> MoveWaterTable(const DayConstants<V>& c, const DayFlows<V>& f,
                                                  V depth, bool subSteps) {
    TableMove<V> m;
    if (!subSteps) {
        m.discharge = Discharge<V>(c, depth, false);
        m.porosity = PorosityAt<V>(c.profile, depth);
        m.depth =
            depth - (f.perc - f.capT - m.discharge + c.grwtInf - c.grwtOut) / (1000 * m.porosity);
        return m;
    }
    SubStepMove<V> move = SubStepsStart<V>(f, depth);
    for (int k = 0; k < kSubSteps; ++k) SubStep<V>(c, move);
    return {move.discharge, move.porosity, move.depth};
}

// The move with each lane's own way: lanes below kSubStepCapacity move once, the others in
// sub-steps; both are computed only when the lanes differ.
template <class V>
HALOSOIL_LANES_INLINE TableMove<V> MoveEachWaterTable(const DayConstants<V>& c,
                                                      const DayFlows<V>& f, V depth,
                                                      lanes::MaskOf<V> subSteps) {
    if (lanes::All<V>(subSteps)) return MoveWaterTable<V>(c, f, depth, true);
    if (!lanes::Any<V>(subSteps)) return MoveWaterTable<V>(c, f, depth, false);
    const TableMove<V> once = MoveWaterTable<V>(c, f, depth, false);
    const TableMove<V> ten = MoveWaterTable<V>(c, f, depth, true);
    using lanes::Select;
    return {Select<V>(subSteps, ten.discharge, once.discharge),
            Select<V>(subSteps, ten.porosity, once.porosity),
            Select<V>(subSteps, ten.depth, once.depth)};
}

}  // namespace halosoil
