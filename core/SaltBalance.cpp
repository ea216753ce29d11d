#include "SaltBalance.h"

#include <cmath>

#include "ZoneUpdate.h"

namespace halosoil {

void RunSaltBalance(const RunInputs& d, RunState& st) {
    const ZoneValues& le = st.LeachEff;
    ZoneSalinities z;
    for (int zone = Layer1; zone <= Aquif; ++zone) z.s[zone] = d.InitSalt[zone];
    ZoneValues sse{};
    const int layers = d.OneLayer ? 1 : d.TwoLayers ? 2 : 3;
    const int deepestLayer = layers;

    for (int i = 1; i <= d.NrTst; ++i) {
        const double irrigSalt = d.IrrigSpread[i] * d.IrrSal[i];
        const double transOut = le[Trans] * (st.Drain[i] + st.Down);
        for (int j = 1; j <= d.TstLength; ++j) {
            const bool lastDay = j == d.TstLength;
            const auto measure = [&](int zone) {
                if (lastDay && d.MeasSalt[zone][i] > 0) {
                    const double difference = z.s[zone] - d.MeasSalt[zone][i];
                    sse[zone] = sse[zone] + difference * difference;
                }
            };
            // Root-zone layers, top down: each passes its leachate to the one below and takes
            // the capillary rise of the one below at that zone's start salinity.
            const int below1 = layers == 1 ? Trans : Layer2;
            z.Update(Layer1, irrigSalt + st.DayCap1(i, j) * z.s[below1],
                     le[Layer1] * st.DayPerc1(i, j), st.W1, SaltFloor::AtZero);
            measure(Layer1);
            if (layers >= 2) {
                const int below2 = layers == 2 ? Trans : Layer3;
                z.Update(
                    Layer2,
                    le[Layer1] * st.DayPerc1(i, j) * z.avg[Layer1] + st.DayCap2(i, j) * z.s[below2],
                    le[Layer2] * (st.DayPerc2(i, j) + st.DayCap1(i, j)), st.W2, SaltFloor::AtZero);
                measure(Layer2);
            }
            if (layers == 3) {
                z.Update(
                    Layer3,
                    le[Layer2] * st.DayPerc2(i, j) * z.avg[Layer2] + st.DayCap3(i, j) * z.s[Trans],
                    le[Layer3] * (st.DayPerc3(i, j) + st.DayCap2(i, j)), st.W3,
                    SaltFloor::BelowZero);
                measure(Layer3);
            }
            const double leachate =
                deepestLayer == 1   ? le[Layer1] * st.DayPerc1(i, j) * z.avg[Layer1]
                : deepestLayer == 2 ? le[Layer2] * st.DayPerc2(i, j) * z.avg[Layer2]
                                    : le[Layer3] * st.DayPerc3(i, j) * z.avg[Layer3];
            z.Update(Trans, leachate + st.Up * z.s[Aquif], transOut, st.Wt, SaltFloor::BelowZero);
            measure(Trans);
            z.Update(Aquif, le[Trans] * st.Down * z.avg[Trans] + d.GrwtInf * d.SalInf,
                     le[Aquif] * (d.GrwtOut + st.Up), st.Wa, SaltFloor::BelowZero);
            measure(Aquif);
        }
        st.SalRoot1[i] = z.s[Layer1];
        st.SalRoot2[i] = z.s[Layer2];
        st.SalRoot3[i] = z.s[Layer3];
        st.SalTrans[i] = z.s[Trans];
        st.SalAquif[i] = z.s[Aquif];
    }

    for (int zone = Layer1; zone <= Aquif; ++zone) {
        if (d.ZoneExists(zone) && st.NrMeas[zone] > 3) {
            double sumSq = 0;
            for (int i = 1; i <= d.NrTst; ++i) {
                const double measured = d.MeasSalt[zone][i];
                if (measured > 0) sumSq = sumSq + measured * measured;
            }
            st.CoefDet[zone] = 1 - std::sqrt(sse[zone] / sumSq);
            // Layers 1 and 2 may show a negative coefficient; the deeper zones do not.
            if (zone >= Layer3 && st.CoefDet[zone] < 0) st.CoefDet[zone] = 0;
        }
        if (st.NrMeas[zone] < 4) {
            st.FitNA[zone] = true;
            st.CoefDet[zone] = 0;
            st.LeachEffOptimized[zone] = false;
        } else {
            st.FitNA[zone] = false;
        }
    }
}

}  // namespace halosoil
