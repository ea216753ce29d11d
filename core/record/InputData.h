// The one in-memory record of the current project: titles, sizes, layer flags, the scalar
// inputs, the soil properties of the five zones and the per-time-step series. Values are held
// in the units the user enters (m, mm per time step, dS/m, percent); a run converts them to
// fractions and per-day amounts and back.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "SaltBalanceKind.h"

namespace halosoil {

// Zones are numbered as the user sees them: root-zone layers 1 to 3, the transition zone 4
// and the aquifer 5. Index 0 of every per-zone array is unused.
enum Zone : int { Layer1 = 1, Layer2 = 2, Layer3 = 3, Trans = 4, Aquif = 5 };
constexpr int kZoneCount = 5;

using ZoneValues = std::array<double, kZoneCount + 1>;

// A per-time-step series holds NrTst + 1 values; element 0 carries no input. Resizing keeps
// the values that remain and sets new elements to 0, which std::vector::resize does.
using Series = std::vector<double>;

inline void SizeSeries(Series& series, int nrTst) {
    series.resize(static_cast<std::size_t>(nrTst < 0 ? 0 : nrTst) + 1, 0.0);
}

// A measured salinity of -1 (or 0) means the step has no measurement for the zone.
constexpr double kMissing = -1.0;

struct InputData {
    // General data.
    std::string Title1;
    std::string Title2;
    std::string InputFileName;
    int NrTst = 11;
    int HydrRows = 11;
    int TstLength = 0;
    // The layer count is held twice, as the number and as the three flags, because the two
    // can differ in a record that is still being filled: both start unset (0, no flag);
    // editing a salinity grid sets the flags of its own layer count and leaves the number;
    // an input file's impossible count leaves the flags of the project before it. Every block
    // of the files and panels that depends on the layer count follows the flags, the output
    // file's header the number, and a run refuses a record in which they disagree (RunCheck).
    int NrLayers = 0;
    bool OneLayer = false;
    bool TwoLayers = false;
    bool ThreeLayers = false;
    bool DrainPresent = false;

    // Drainage data.
    double DrainDepth = 0;
    double QH1 = 0;
    double QH2 = 0;

    // Initial and boundary conditions.
    double SaltIrrig = 0;
    double WTdepth = 0;
    double CritDepth = 0;
    double Moist = 0;
    double IrrEff = 0;
    double GrwtInf = 0;
    double GrwtOut = 0;
    double SalInf = 0;

    // Soil properties per zone.
    ZoneValues Thick{};
    ZoneValues TotPor{};
    ZoneValues EffPor{};
    ZoneValues LeachEff{};
    ZoneValues InitSalt{};

    // Per-time-step series.
    Series Rain;
    Series Irrig;
    Series Evap;
    Series IrrSal;
    std::array<Series, kZoneCount + 1> MeasSalt;  // index 1..5
    Series IrrigSpread;

    // How a run balances salt. Not part of the input file, whose layout is fixed: each front
    // end sets it from its own option, and every run of a study or a region made from this
    // record inherits it.
    SaltBalanceKind SaltBalance = SaltBalanceKind::Specified;

    // Makes the flag of layer count n (1, 2 or 3) the only one set; any other n leaves the
    // flags as they are.
    void SetLayerFlags(int n) {
        if (n < 1 || n > 3) return;
        OneLayer = n == 1;
        TwoLayers = n == 2;
        ThreeLayers = n == 3;
    }

    // The layer count the flags select, 0 when none is set.
    int FlaggedLayers() const { return OneLayer ? 1 : TwoLayers ? 2 : ThreeLayers ? 3 : 0; }

    // Whether zone z exists with the layer count the flags select.
    bool ZoneExists(int z) const {
        if (z == Layer2) return TwoLayers || ThreeLayers;
        if (z == Layer3) return ThreeLayers;
        return z >= Layer1 && z <= Aquif;
    }
};

// The root zone's layer count: the layer flags when one is set, else NrLayers when it is 1, 2
// or 3, else 1. Where "no flag set" must be told apart, FlaggedLayers says so.
inline int LayerCount(const InputData& data) {
    if (const int flagged = data.FlaggedLayers(); flagged != 0) return flagged;
    return data.NrLayers >= 1 && data.NrLayers <= 3 ? data.NrLayers : 1;
}

// The zones that exist for a layer count, top down: 1, (2), (3), 4, 5.
std::vector<int> ZonesOf(int nrLayers);

}  // namespace halosoil
