// The project as a run computes with it: porosities and efficiencies as fractions, rain,
// irrigation and evaporation per day. A run builds its own copy from the record at its start,
// so the record keeps the units and values the user entered, and two runs on two records can
// go on at once.
#pragma once

#include <array>

#include "InputData.h"

namespace halosoil {

struct RunInputs {
    int NrTst = 0;
    int TstLength = 0;
    int Layers = 0;  // 1, 2 or 3, as the layer flags select
    bool OneLayer = false;
    bool TwoLayers = false;
    bool ThreeLayers = false;

    bool DrainPresent = false;
    double DrainDepth = 0;
    double QH1 = 0;
    double QH2 = 0;

    double SaltIrrig = 0;
    double WTdepth = 0;
    double CritDepth = 0;
    double Moist = 0;    // percent, as entered
    double IrrEff = 0;   // fraction
    double GrwtInf = 0;  // mm/day
    double GrwtOut = 0;  // mm/day
    double SalInf = 0;

    // Fractions, except the thicknesses (m) and the initial salinities (dS/m).
    ZoneValues Thick{};
    ZoneValues TotPor{};
    ZoneValues EffPor{};
    ZoneValues LeachEff{};  // as entered, the starting point of the working efficiencies
    ZoneValues InitSalt{};

    // Amounts per day, index 1..NrTst.
    Series Rain;
    Series Irrig;
    Series IrrigSpread;
    Series Evap;
    // As entered.
    Series IrrSal;
    std::array<Series, kZoneCount + 1> MeasSalt;

    SaltBalanceKind SaltBalance = SaltBalanceKind::Specified;

    bool ZoneExists(int z) const {
        if (z == Layer2) return Layers >= 2;
        if (z == Layer3) return Layers == 3;
        return z >= Layer1 && z <= Aquif;
    }
};

// The record's percentages divided by 100 and its amounts per time step divided by the step
// length, each by one division as the run has always done it.
RunInputs MakeRunInputs(const InputData& data);

}  // namespace halosoil
