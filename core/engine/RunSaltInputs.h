// What the final salt balance reads of one run: the run's inputs and the flows and working
// efficiencies its state holds, in the form SaltBalanceDays asks for.
#pragma once

#include "RunInputs.h"
#include "RunState.h"

namespace halosoil {

// What the balance reads of one run.
struct RunSaltInputs {
    const RunInputs& d;
    const RunState& st;

    int NrTst() const { return d.NrTst; }
    int TstLength() const { return d.TstLength; }
    int Layers() const { return d.OneLayer ? 1 : d.TwoLayers ? 2 : 3; }
    double InitSalt(int zone) const { return d.InitSalt[zone]; }
    double LeachEff(int zone) const { return st.LeachEff[zone]; }
    double W(int zone) const {
        return zone == Layer1   ? st.W1
               : zone == Layer2 ? st.W2
               : zone == Layer3 ? st.W3
               : zone == Trans  ? st.Wt
                                : st.Wa;
    }
    double IrrigSalt(int i) const { return d.IrrigSpread[i] * d.IrrSal[i]; }
    double Drain(int i) const { return st.Drain[i]; }
    double Up() const { return st.Up; }
    double Down() const { return st.Down; }
    double GrwtOut() const { return d.GrwtOut; }
    double LateralSalt() const { return d.GrwtInf * d.SalInf; }
    double Perc(int layer, int i, int j) const {
        return layer == 1 ? st.DayPerc1(i, j) : layer == 2 ? st.DayPerc2(i, j) : st.DayPerc3(i, j);
    }
    double Cap(int layer, int i, int j) const {
        return layer == 1 ? st.DayCap1(i, j) : layer == 2 ? st.DayCap2(i, j) : st.DayCap3(i, j);
    }
    double Measured(int zone, int i) const { return d.MeasSalt[zone][i]; }
};

}  // namespace halosoil
