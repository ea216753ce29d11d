// Projects made up from a seed: one to three layers, steps of 360, 30, 7 or 1 days, with and
// without drains, measurements in every zone, in a few, or far from anything the model can
// reach (so that every trial hits the cap and ties). Small enough for the plain loops of the
// calibrations to run in a sanitizer build.
#pragma once

#include <random>

#include "InputData.h"
#include "InputFile.h"
#include "ProjectBuilder.h"

namespace halosoil::test {

inline InputData GeneratedProject(unsigned seed) {
    std::mt19937 random(seed);
    const auto uniform = [&random](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    const int layers = 1 + static_cast<int>(seed % 3);
    const int lengths[] = {360, 30, 7, 1};
    const int steps[] = {4, 8, 14, 45};
    const int pick = static_cast<int>((seed / 3) % 4);
    const int tstLength = lengths[pick];

    InputData d = NewProject("Generated project " + std::to_string(seed),
                             std::to_string(layers) + " layers", steps[pick], tstLength, layers);
    d.DrainPresent = seed % 5 != 0;
    d.DrainDepth = uniform(1.0, 2.5);
    // Capacities on both sides of 0.02, where a day changes from one step to ten sub-steps.
    d.QH1 = seed % 2 == 0 ? uniform(0.001, 0.019) : uniform(0.02, 0.15);
    d.QH2 = uniform(0, 0.01);
    d.SaltIrrig = uniform(0.5, 3);
    d.WTdepth = uniform(-0.2, 2.5);
    d.CritDepth = uniform(0.3, 3);
    d.Moist = uniform(20, 100);
    d.IrrEff = uniform(30, 100);
    d.GrwtInf = uniform(0, 1.5);
    d.GrwtOut = uniform(0, 1.5);
    d.SalInf = uniform(0.5, 5);
    for (int z = Layer1; z <= Aquif; ++z) {
        const bool layer = z <= Layer3;
        d.Thick[z] = z > layers && layer ? 0
                     : layer             ? uniform(0.1, 0.6)
                     : z == Trans        ? uniform(0.5, 3)
                                         : uniform(5, 20);
        d.TotPor[z] = uniform(35, 55);
        d.EffPor[z] = uniform(3, 15);
        d.LeachEff[z] = uniform(40, 100);
        d.InitSalt[z] = uniform(1, 10);
    }
    if (seed % 11 == 0) {
        // A thin profile that the groundwater drains: the water table falls below the aquifer.
        d.GrwtOut = 40;
        d.Thick[Trans] = 0.3;
        d.Thick[Aquif] = 0.5;
    }
    for (int i = 1; i <= d.NrTst; ++i) {
        d.Rain[i] = uniform(0, 3) * tstLength;
        // Daily runs irrigate now and then, so that gifts are spread over dry days.
        d.Irrig[i] =
            tstLength == 1 ? (random() % 4 == 0 ? uniform(20, 80) : 0) : uniform(0, 8) * tstLength;
        d.Evap[i] = uniform(1, 8) * tstLength;
        d.IrrSal[i] = uniform(0.5, 3);
    }
    const int measurements = static_cast<int>(seed % 4);  // 0: none, 1: one zone, 2: all, 3: far
    const int measuredZone = ZonesOf(layers)[seed % ZonesOf(layers).size()];
    for (int z = Layer1; z <= Aquif; ++z) {
        for (int i = 1; i <= d.NrTst; ++i) {
            const bool measured = measurements == 2 || (measurements >= 1 && z == measuredZone);
            d.MeasSalt[z][i] = !measured           ? kMissing
                               : measurements == 3 ? uniform(200, 900)
                               : random() % 5 == 0 ? kMissing
                                                   : d.InitSalt[z] * uniform(0.5, 1.5);
        }
    }
    PrepareIrrigSpread(d);
    return d;
}

}  // namespace halosoil::test
