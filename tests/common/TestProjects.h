// Small complete projects for the file and engine tests.
#pragma once

#include <string>

#include "InputData.h"

namespace halosoil::test {

// Two monthly steps, one root-zone layer, no drainage system.
inline InputData OneLayerProject() {
    InputData d;
    d.Title1 = "Test area";
    d.Title2 = "One layer";
    d.NrTst = 2;
    d.HydrRows = 2;
    d.TstLength = 30;
    d.NrLayers = 1;
    d.SetLayerFlags(1);
    d.DrainPresent = false;
    d.SaltIrrig = 1.2;
    d.InitSalt = {0, 4.5, 0, 0, 3.2, 2.1};
    d.WTdepth = 1.75;
    d.CritDepth = 1.2;
    d.Moist = 45;
    d.IrrEff = 70;
    d.GrwtInf = 0.5;
    d.GrwtOut = 0.2;
    d.SalInf = 1.5;
    d.Rain = {0, 12.5, 0};
    d.Irrig = {0, 150, 90.25};
    d.Evap = {0, 180, 160.4};
    d.IrrSal = {0, 1.2, 1.3};
    d.Thick = {0, 0.6, 0, 0, 1.4, 10.55};
    d.TotPor = {0, 42.6, 0, 0, 40, 35};
    d.EffPor = {0, 8, 0, 0, 10, 12};
    d.LeachEff = {0, 80, 0, 0, 70, 100};
    for (auto& series : d.MeasSalt) series = {0, -1, -1};
    d.MeasSalt[Layer1] = {0, 5.2, -1};
    d.MeasSalt[Trans] = {0, -1, 3.35};
    d.MeasSalt[Aquif] = {0, 0, 2.05};
    return d;
}

// Three steps, two root-zone layers, with drains.
inline InputData TwoLayerProject() {
    InputData d = OneLayerProject();
    d.Title2 = "Two layers";
    d.NrTst = 3;
    d.HydrRows = 3;
    d.NrLayers = 2;
    d.SetLayerFlags(2);
    d.DrainPresent = true;
    d.DrainDepth = 1.8;
    d.QH1 = 0.015;
    d.QH2 = 0.0025;
    d.InitSalt = {0, 4.5, 5.5, 0, 3.2, 2.1};
    d.Rain = {0, 12.5, 0, 30};
    d.Irrig = {0, 150, 90.25, 0};
    d.Evap = {0, 180, 160.4, 100};
    d.IrrSal = {0, 1.2, 1.3, 1.2};
    d.Thick = {0, 0.3, 0.4, 0, 1.4, 10.55};
    d.TotPor = {0, 45, 42, 0, 40, 35};
    d.EffPor = {0, 8, 9, 0, 10, 12};
    d.LeachEff = {0, 80, 75, 0, 70, 100};
    for (auto& series : d.MeasSalt) series = {0, -1, -1, -1};
    d.MeasSalt[Layer1] = {0, 5.2, -1, 6};
    d.MeasSalt[Layer2] = {0, -1, 4.75, 0};
    d.MeasSalt[Trans] = {0, 3.1, -1, 3.35};
    d.MeasSalt[Aquif] = {0, -1, 2.0, 2.05};
    return d;
}

// Four weekly steps, three root-zone layers, with drains.
inline InputData ThreeLayerProject() {
    InputData d = TwoLayerProject();
    d.Title2 = "Three layers";
    d.NrTst = 4;
    d.HydrRows = 4;
    d.TstLength = 7;
    d.NrLayers = 3;
    d.SetLayerFlags(3);
    d.InitSalt = {0, 4.5, 5.5, 6.5, 3.2, 2.1};
    d.Rain = {0, 2.5, 0, 30, 0};
    d.Irrig = {0, 35, 20.25, 0, 40};
    d.Evap = {0, 42, 38.4, 25, 45};
    d.IrrSal = {0, 1.2, 1.3, 1.2, 1.1};
    d.Thick = {0, 0.2, 0.3, 0.4, 1.2, 10.55};
    d.TotPor = {0, 45, 42, 40, 40, 35};
    d.EffPor = {0, 8, 9, 10, 10, 12};
    d.LeachEff = {0, 80, 75, 70, 70, 100};
    for (auto& series : d.MeasSalt) series = {0, -1, -1, -1, -1};
    d.MeasSalt[Layer1] = {0, 5.2, -1, 6, 6.5};
    d.MeasSalt[Layer2] = {0, -1, 4.75, 0, -1};
    d.MeasSalt[Layer3] = {0, 7.1, 7.2, 7.3, -1};
    d.MeasSalt[Trans] = {0, 3.1, -1, 3.35, 3.4};
    d.MeasSalt[Aquif] = {0, -1, 2.0, 2.05, 2.1};
    return d;
}

}  // namespace halosoil::test
