// The projects the engine benchmarks run.
//   century: three root-zone layers, 100 yearly steps, drains, measured salinities in every
//            zone.
//   daily:   two root-zone layers, 3650 daily steps, drains, measurements.
#pragma once

#include <cmath>
#include <string>

#include "InputData.h"
#include "InputFile.h"
#include "ProjectBuilder.h"

namespace halosoil::bench {

inline InputData Project(int layers, int steps, int tstLength) {
    InputData d = test::NewProject(
        "Benchmark", std::to_string(steps) + " steps of " + std::to_string(tstLength) + " days",
        steps, tstLength, layers);
    test::SetDrains(d, {.DrainDepth = 1.8, .QH1 = 0.012, .QH2 = 0.002});
    test::SetConditions(d, {.SaltIrrig = 1.2,
                            .WTdepth = 1.4,
                            .CritDepth = 1.6,
                            .Moist = 50,
                            .IrrEff = 70,
                            .GrwtInf = 0.6,
                            .GrwtOut = 0.5,
                            .SalInf = 2});
    test::SetSoil(d, {.Thick = {0, 0.2, 0.3, 0.4, 1.5, 10},
                      .TotPor = {0, 46, 44, 42, 40, 36},
                      .EffPor = {0, 8, 8, 9, 10, 14},
                      .LeachEff = {0, 80, 80, 85, 90, 100},
                      .InitSalt = {0, 6, 6.5, 7, 5, 3}});
    const double scale = tstLength / 30.0;
    test::SetWater(d, [&](int i) {
        const double season = std::sin(6.283 * i * tstLength / 360.0);
        return test::StepWater{
            (25 - 20 * season) * scale,
            tstLength == 1 ? (i % 10 == 1 ? 70 : 0) : (120 + 60 * season) * scale,
            (150 + 90 * season) * scale, 1.2};
    });
    for (int z = Layer1; z <= Aquif; ++z) {
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
