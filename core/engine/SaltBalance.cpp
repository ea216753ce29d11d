#include "SaltBalance.h"

#include <cmath>

#include "KernelTable.h"
#include "RunSaltInputs.h"
#include "SaltBalanceDays.h"

namespace halosoil {

namespace {

struct RunSaltResults {
    RunState& st;

    // The five stores of a step named one by one rather than through the catalogue of
    // results (QuantityCatalogue.h): this runs at every step of every run.
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
    if (d.SaltBalance == SaltBalanceKind::Conserving)
        SaltBalanceDays<double, SaltBalanceKind::Conserving>(inputs, results, sse);
    else
        SaltBalanceDays<double, SaltBalanceKind::Specified>(inputs, results, sse);
    FinishSaltFit(d, st, sse);
}

// Many runs side by side, in the kernels of the run's vector unit.
void RunSaltBalances(const RunInputs* const* data, RunState* const* states, int count,
                     VectorUnit unit) {
    KernelsFor(unit).saltBalances(data, states, count);
}

}  // namespace halosoil
