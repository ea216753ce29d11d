// A project of 3650 daily time steps with three root-zone layers, results and measurements,
// for timing the drawings.
#pragma once

#include <cmath>

#include "InputData.h"
#include "OutputFile.h"
#include "QuantityCatalogue.h"
#include "RunState.h"

namespace halosoil::bench {

struct LongRun {
    InputData data;
    RunState state;
    OutputReadBack readBack;

    explicit LongRun(int nrTst = 3650) {
        data.Title1 = "Ten years of daily steps";
        data.Title2 = "Three root-zone layers, measured every month";
        data.NrTst = nrTst;
        data.NrLayers = 3;
        data.SetLayerFlags(3);
        for (Series* s : {&data.Rain, &data.Irrig, &data.Evap}) SizeSeries(*s, nrTst);
        SizeResultSeries(state, nrTst);
        for (int z = 1; z <= kZoneCount; ++z) data.MeasSalt[z].assign(nrTst + 1, kMissing);
        for (int i = 1; i <= nrTst; ++i) {
            const double season = std::sin(i * 2 * 3.14159265358979 / 365);
            data.Rain[i] = i % 7 == 0 ? 12 + 8 * season : 0;
            data.Irrig[i] = i % 10 == 0 ? 60 : 0;
            data.Evap[i] = 5 + 2 * season;
            state.ActEvap[i] = 4 + 2 * season;
            state.Percol[i] = i % 10 == 0 ? 30 : 1;
            state.CapRise[i] = 0.5 + 0.5 * season;
            state.Drain[i] = 2 + season;
            state.DepthWT[i] = 1.5 + 0.4 * season;
            state.SalRoot1[i] = 4 + 2 * season;
            state.SalRoot2[i] = 5 + 1.5 * season;
            state.SalRoot3[i] = 6 + season;
            state.SalTrans[i] = 3 + 0.5 * season;
            state.SalAquif[i] = 2.5;
            if (i % 30 == 0)
                for (int z = 1; z <= kZoneCount; ++z)
                    data.MeasSalt[z][i] = state.SalRoot1[i] + z * 0.3;
        }
        for (int z = 1; z <= kZoneCount; ++z) {
            readBack.LeachEff[z] = 0.8;
            readBack.Optimized[z] = z != 2;
            readBack.CoefDet[z] = 75;
        }
    }
};

}  // namespace halosoil::bench
