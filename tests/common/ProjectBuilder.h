// The one way tests, benchmarks and the examples' writer make a project in code: a frame
// (titles, steps, layers, every series sized, nothing measured), then the conditions, the
// drains, the soil and the steps' water as named groups, as the input panels group them.
#pragma once

#include <string>
#include <utility>

#include "InputData.h"

namespace halosoil::test {

// Initial and boundary conditions.
struct Conditions {
    double SaltIrrig = 0;
    double WTdepth = 0;
    double CritDepth = 0;
    double Moist = 0;
    double IrrEff = 0;
    double GrwtInf = 0;
    double GrwtOut = 0;
    double SalInf = 0;
};

// A subsurface drainage system.
struct Drains {
    double DrainDepth = 0;
    double QH1 = 0;
    double QH2 = 0;
};

// Soil properties per zone, indexed as in the record (1 to 5).
struct Soil {
    ZoneValues Thick{};
    ZoneValues TotPor{};
    ZoneValues EffPor{};
    ZoneValues LeachEff{};
    ZoneValues InitSalt{};
};

// The water of one time step: rainfall, irrigation, evaporation, irrigation salinity.
struct StepWater {
    double Rain = 0;
    double Irrig = 0;
    double Evap = 0;
    double IrrSal = 0;
};

// A project of `steps` time steps of `tstLength` days and `layers` root-zone layers, without
// drains: every series sized with 0 in each step, and no measured salinity anywhere.
inline InputData NewProject(std::string title1, std::string title2, int steps, int tstLength,
                            int layers) {
    InputData d;
    d.Title1 = std::move(title1);
    d.Title2 = std::move(title2);
    d.NrTst = steps;
    d.HydrRows = steps;
    d.TstLength = tstLength;
    d.NrLayers = layers;
    d.SetLayerFlags(layers);
    d.DrainPresent = false;
    for (Series* series : {&d.Rain, &d.Irrig, &d.Evap, &d.IrrSal}) SizeSeries(*series, steps);
    for (Series& measured : d.MeasSalt) {
        SizeSeries(measured, steps);
        for (int i = 1; i <= steps; ++i) measured[i] = kMissing;
    }
    return d;
}

inline void SetConditions(InputData& d, const Conditions& c) {
    d.SaltIrrig = c.SaltIrrig;
    d.WTdepth = c.WTdepth;
    d.CritDepth = c.CritDepth;
    d.Moist = c.Moist;
    d.IrrEff = c.IrrEff;
    d.GrwtInf = c.GrwtInf;
    d.GrwtOut = c.GrwtOut;
    d.SalInf = c.SalInf;
}

inline void SetDrains(InputData& d, const Drains& drains) {
    d.DrainPresent = true;
    d.DrainDepth = drains.DrainDepth;
    d.QH1 = drains.QH1;
    d.QH2 = drains.QH2;
}

inline void SetSoil(InputData& d, const Soil& soil) {
    d.Thick = soil.Thick;
    d.TotPor = soil.TotPor;
    d.EffPor = soil.EffPor;
    d.LeachEff = soil.LeachEff;
    d.InitSalt = soil.InitSalt;
}

// Sets the water of every step i (1 to NrTst) to water(i); the steps are asked in order.
template <class WaterOfStep>
void SetWater(InputData& d, WaterOfStep water) {
    for (int i = 1; i <= d.NrTst; ++i) {
        const StepWater w = water(i);
        d.Rain[i] = w.Rain;
        d.Irrig[i] = w.Irrig;
        d.Evap[i] = w.Evap;
        d.IrrSal[i] = w.IrrSal;
    }
}

}  // namespace halosoil::test
