// The projects the engine benchmarks run.
//   century: three root-zone layers, 100 yearly steps, drains, measured salinities in every
//            zone.
//   daily:   two root-zone layers, 3650 daily steps, drains, measurements.
#pragma once

#include <cmath>
#include <string>

#include "InputData.h"
#include "InputFile.h"

namespace halosoil::bench {

inline InputData Project(int layers, int steps, int tstLength) {
    InputData d;
    d.Title1 = "Benchmark";
    d.Title2 = std::to_string(steps) + " steps of " + std::to_string(tstLength) + " days";
    d.NrTst = steps;
    d.HydrRows = steps;
    d.TstLength = tstLength;
    d.NrLayers = layers;
    d.SetLayerFlags(layers);
    d.DrainPresent = true;
    d.DrainDepth = 1.8;
    d.QH1 = 0.012;
    d.QH2 = 0.002;
    d.SaltIrrig = 1.2;
    d.WTdepth = 1.4;
    d.CritDepth = 1.6;
    d.Moist = 50;
    d.IrrEff = 70;
    d.GrwtInf = 0.6;
    d.GrwtOut = 0.5;
    d.SalInf = 2;
    d.Thick = {0, 0.2, 0.3, 0.4, 1.5, 10};
    d.TotPor = {0, 46, 44, 42, 40, 36};
    d.EffPor = {0, 8, 8, 9, 10, 14};
    d.LeachEff = {0, 80, 80, 85, 90, 100};
    d.InitSalt = {0, 6, 6.5, 7, 5, 3};
    for (Series* series : {&d.Rain, &d.Irrig, &d.Evap, &d.IrrSal}) SizeSeries(*series, steps);
    const double scale = tstLength / 30.0;
    for (int i = 1; i <= steps; ++i) {
        const double season = std::sin(6.283 * i * tstLength / 360.0);
        d.Rain[i] = (25 - 20 * season) * scale;
        d.Irrig[i] = tstLength == 1 ? (i % 10 == 1 ? 70 : 0) : (120 + 60 * season) * scale;
        d.Evap[i] = (150 + 90 * season) * scale;
        d.IrrSal[i] = 1.2;
    }
    for (int z = Layer1; z <= Aquif; ++z) {
        SizeSeries(d.MeasSalt[z], steps);
        for (int i = 1; i <= steps; ++i) d.MeasSalt[z][i] = (i % 7 == 0) ? 4 + z * 0.5 : -1;
    }
    PrepareIrrigSpread(d);
    return d;
}

inline InputData CenturyProject() {
    return Project(3, 100, 360);
}

inline InputData DailyProject() {
    return Project(2, 3650, 1);
}

}  // namespace halosoil::bench
