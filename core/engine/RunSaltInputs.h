// What the final salt balance reads of one run, in the form SaltBalanceDays asks for (the
// run's inputs and the flows and working efficiencies its state holds), and where the
// salinities it finds go. The balances of several runs side by side read each lane through
// these (SaltLanes.h), so that a run reads the same alone and in a lane.
#pragma once

#include "RunInputs.h"
#include "RunState.h"

namespace halosoil {

// The water zone (1..5) of a run stores, mm: W1..W3, Wt or Wa.
inline double StoredWaterOf(const RunState& st, int zone) {
    return zone == Layer1   ? st.W1
           : zone == Layer2 ? st.W2
           : zone == Layer3 ? st.W3
           : zone == Trans  ? st.Wt
                            : st.Wa;
}

// The flows out of (DayPercOf) and into (DayCapOf) a run's root-zone layer 1, 2 or 3.
inline const DayTable& DayPercOf(const RunState& st, int layer) {
    return layer == 1 ? st.DayPerc1 : layer == 2 ? st.DayPerc2 : st.DayPerc3;
}
inline const DayTable& DayCapOf(const RunState& st, int layer) {
    return layer == 1 ? st.DayCap1 : layer == 2 ? st.DayCap2 : st.DayCap3;
}

// What the balance reads of one run.
struct RunSaltInputs {
    const RunInputs& d;
    const RunState& st;

    int NrTst() const { return d.NrTst; }
    int TstLength() const { return d.TstLength; }
    int Layers() const { return d.OneLayer ? 1 : d.TwoLayers ? 2 : 3; }
    double InitSalt(int zone) const { return d.InitSalt[zone]; }
    double LeachEff(int zone) const { return st.LeachEff[zone]; }
    double W(int zone) const { return StoredWaterOf(st, zone); }
    double IrrigSalt(int i) const { return d.IrrigSpread[i] * d.IrrSal[i]; }
    double Drain(int i) const { return st.Drain[i]; }
    double Up() const { return st.Up; }
    double Down() const { return st.Down; }
    double GrwtOut() const { return d.GrwtOut; }
    double LateralSalt() const { return d.GrwtInf * d.SalInf; }
    double Perc(int layer, int i, int j) const { return DayPercOf(st, layer)(i, j); }
    double Cap(int layer, int i, int j) const { return DayCapOf(st, layer)(i, j); }
    double Measured(int zone, int i) const { return d.MeasSalt[zone][i]; }
};

// Where the balance puts a run's salinities of each step.
struct RunSaltResults {
    RunState& st;

    // The five stores of a step named one by one rather than through the catalogue of
    // results (QuantityCatalogue.h): this runs at every step of every run, alone or in a lane.
    void Salinities(int i, const double (&s)[kZoneCount + 1]) {
        st.SalRoot1[i] = s[Layer1];
        st.SalRoot2[i] = s[Layer2];
        st.SalRoot3[i] = s[Layer3];
        st.SalTrans[i] = s[Trans];
        st.SalAquif[i] = s[Aquif];
    }
};

}  // namespace halosoil
