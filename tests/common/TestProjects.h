// Small complete projects for the file and engine tests.
#pragma once

#include <string>

#include "InputData.h"
#include "ProjectBuilder.h"

namespace halosoil::test {

// The conditions all three share, and the drains of the two drained ones.
inline constexpr Conditions kTestConditions{.SaltIrrig = 1.2,
                                            .WTdepth = 1.75,
                                            .CritDepth = 1.2,
                                            .Moist = 45,
                                            .IrrEff = 70,
                                            .GrwtInf = 0.5,
                                            .GrwtOut = 0.2,
                                            .SalInf = 1.5};
inline constexpr Drains kTestDrains{.DrainDepth = 1.8, .QH1 = 0.015, .QH2 = 0.0025};

// Two monthly steps, one root-zone layer, no drainage system.
inline InputData OneLayerProject() {
    InputData d = NewProject("Test area", "One layer", 2, 30, 1);
    SetConditions(d, kTestConditions);
    SetSoil(d, {.Thick = {0, 0.6, 0, 0, 1.4, 10.55},
                .TotPor = {0, 42.6, 0, 0, 40, 35},
                .EffPor = {0, 8, 0, 0, 10, 12},
                .LeachEff = {0, 80, 0, 0, 70, 100},
                .InitSalt = {0, 4.5, 0, 0, 3.2, 2.1}});
    d.Rain = {0, 12.5, 0};
    d.Irrig = {0, 150, 90.25};
    d.Evap = {0, 180, 160.4};
    d.IrrSal = {0, 1.2, 1.3};
    d.MeasSalt[Layer1] = {0, 5.2, -1};
    d.MeasSalt[Trans] = {0, -1, 3.35};
    d.MeasSalt[Aquif] = {0, 0, 2.05};
    return d;
}

// Three steps, two root-zone layers, with drains.
inline InputData TwoLayerProject() {
    InputData d = NewProject("Test area", "Two layers", 3, 30, 2);
    SetDrains(d, kTestDrains);
    SetConditions(d, kTestConditions);
    SetSoil(d, {.Thick = {0, 0.3, 0.4, 0, 1.4, 10.55},
                .TotPor = {0, 45, 42, 0, 40, 35},
                .EffPor = {0, 8, 9, 0, 10, 12},
                .LeachEff = {0, 80, 75, 0, 70, 100},
                .InitSalt = {0, 4.5, 5.5, 0, 3.2, 2.1}});
    d.Rain = {0, 12.5, 0, 30};
    d.Irrig = {0, 150, 90.25, 0};
    d.Evap = {0, 180, 160.4, 100};
    d.IrrSal = {0, 1.2, 1.3, 1.2};
    d.MeasSalt[Layer1] = {0, 5.2, -1, 6};
    d.MeasSalt[Layer2] = {0, -1, 4.75, 0};
    d.MeasSalt[Trans] = {0, 3.1, -1, 3.35};
    d.MeasSalt[Aquif] = {0, -1, 2.0, 2.05};
    return d;
}

// Four weekly steps, three root-zone layers, with drains.
inline InputData ThreeLayerProject() {
    InputData d = NewProject("Test area", "Three layers", 4, 7, 3);
    SetDrains(d, kTestDrains);
    SetConditions(d, kTestConditions);
    SetSoil(d, {.Thick = {0, 0.2, 0.3, 0.4, 1.2, 10.55},
                .TotPor = {0, 45, 42, 40, 40, 35},
                .EffPor = {0, 8, 9, 10, 10, 12},
                .LeachEff = {0, 80, 75, 70, 70, 100},
                .InitSalt = {0, 4.5, 5.5, 6.5, 3.2, 2.1}});
    d.Rain = {0, 2.5, 0, 30, 0};
    d.Irrig = {0, 35, 20.25, 0, 40};
    d.Evap = {0, 42, 38.4, 25, 45};
    d.IrrSal = {0, 1.2, 1.3, 1.2, 1.1};
    d.MeasSalt[Layer1] = {0, 5.2, -1, 6, 6.5};
    d.MeasSalt[Layer2] = {0, -1, 4.75, 0, -1};
    d.MeasSalt[Layer3] = {0, 7.1, 7.2, 7.3, -1};
    d.MeasSalt[Trans] = {0, 3.1, -1, 3.35, 3.4};
    d.MeasSalt[Aquif] = {0, -1, 2.0, 2.05, 2.1};
    return d;
}

}  // namespace halosoil::test
