#include "SaltBalance.h"

#include <cmath>

#include "SaltBalanceDays.h"

namespace halosoil {

namespace {

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

struct RunSaltResults {
    RunState& st;

    void Salinities(int i, const double (&s)[kZoneCount + 1]) {
        st.SalRoot1[i] = s[Layer1];
        st.SalRoot2[i] = s[Layer2];
        st.SalRoot3[i] = s[Layer3];
        st.SalTrans[i] = s[Trans];
        st.SalAquif[i] = s[Aquif];
    }
};

}  // namespace

void FinishSaltFit(const RunInputs& d, RunState& st, const double (&sse)[kZoneCount + 1]) {
    for (int zone = Layer1; zone <= Aquif; ++zone) {
        if (d.ZoneExists(zone) && st.NrMeas[zone] >= kLeastMeasurements) {
            double sumSq = 0;
            for (int i = 1; i <= d.NrTst; ++i) {
                const double measured = d.MeasSalt[zone][i];
                if (measured > 0) sumSq = sumSq + measured * measured;
            }
            st.CoefDet[zone] = 1 - std::sqrt(sse[zone] / sumSq);
            // Layers 1 and 2 may show a negative coefficient; the deeper zones do not.
            if (zone >= Layer3 && st.CoefDet[zone] < 0) st.CoefDet[zone] = 0;
        }
        if (st.NrMeas[zone] < kLeastMeasurements) {
            st.FitNA[zone] = true;
            st.CoefDet[zone] = 0;
            st.LeachEffOptimized[zone] = false;
        } else {
            st.FitNA[zone] = false;
        }
    }
}

void RunSaltBalance(const RunInputs& d, RunState& st) {
    const RunSaltInputs inputs{d, st};
    RunSaltResults results{st};
    double sse[kZoneCount + 1];
    SaltBalanceDays<double>(inputs, results, sse);
    FinishSaltFit(d, st, sse);
}

}  // namespace halosoil
