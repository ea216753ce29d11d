#include "FieldCatalogue.h"

#include <limits>

#include "Errors.h"

namespace halosoil {

namespace {

constexpr double kNoEnd = std::numeric_limits<double>::infinity();

// Texts, flags and a depth that may lie above the surface take anything.
constexpr FieldRange kAnything{-kNoEnd, false, kNoEnd, true};
constexpr FieldRange kNotNegative{0, false, kNoEnd, true};
constexpr FieldRange kPercentage{0, false, 100, true};
// Positive by nature, which no check before a run has ever asked of them.
constexpr FieldRange kPositiveUnchecked{0, true, kNoEnd, false};
constexpr FieldRange kNotNegativeUnchecked{0, false, kNoEnd, false};
// A run needs drainable pores in every zone (RunCheck), and the plausibility check keeps them
// within the total pores, which therefore cannot be 0 either.
constexpr FieldRange kPorosity{0, true, 100, true};

// The ranges say what a run accepts. A thickness of 0 runs (projects hold zones of no
// thickness), as does an irrigation efficiency of 0 with one layer; with more layers the run
// check refuses that efficiency and a root zone of no thickness in words of their own. QH1
// and QH2 are checked in a project with drains, the only one that uses them; the soil panels'
// -1 of an empty leaching efficiency or initial salinity is let through where they store it.
const RecordField kFields[] = {
    {"title1", &InputData::Title1, "", false, kAnything,
     "the first title, shown in the output and the graphs"},
    {"title2", &InputData::Title2, "", false, kAnything, "the second title"},
    {"steps", &InputData::NrTst, "", false, {1, false, kNoEnd, true}, "the number of time steps"},
    {"step_length",
     &InputData::TstLength,
     "days",
     false,
     {1, false, kNoEnd, true},
     "the length of a time step: 360 (year), 30 (month), 7 (week) or 1 (day)"},
    {"layers",
     &InputData::NrLayers,
     "",
     false,
     {1, false, 3, true},
     "the number of root-zone layers, 1, 2 or 3"},
    {"drains", &InputData::DrainPresent, "", false, kAnything,
     "whether a subsurface drainage system is present"},
    {"drain_depth", &InputData::DrainDepth, "m", false, kPositiveUnchecked,
     "depth of the drains below the surface"},
    {"qh1", &InputData::QH1, "m/day per m", false, kNotNegative, "drainage reaction factor QH1"},
    {"qh2", &InputData::QH2, "m/day per m squared", false, kNotNegative,
     "drainage reaction factor QH2"},
    {"irrigation_water_salinity", &InputData::SaltIrrig, "dS/m", false, kNotNegative,
     "salt concentration of the irrigation water"},
    {"water_table_depth", &InputData::WTdepth, "m", false, kAnything,
     "initial depth of the water table below the surface (negative above it)"},
    {"critical_depth", &InputData::CritDepth, "m", false, kPositiveUnchecked,
     "critical depth of the water table for capillary rise"},
    {"soil_moisture", &InputData::Moist, "%", true, kPercentage, "initial soil moisture content"},
    {"irrigation_efficiency", &InputData::IrrEff, "%", true, kPercentage, "irrigation efficiency"},
    {"groundwater_inflow", &InputData::GrwtInf, "mm/day", false, kNotNegativeUnchecked,
     "inflow of groundwater"},
    {"groundwater_outflow", &InputData::GrwtOut, "mm/day", false, kNotNegativeUnchecked,
     "outflow of groundwater"},
    {"inflow_salinity", &InputData::SalInf, "dS/m", false, kNotNegative,
     "salinity of the groundwater inflow"},
    {"thickness", &InputData::Thick, "m", false, kNotNegative, "thickness of the zone"},
    {"total_porosity", &InputData::TotPor, "%", true, kPorosity, "total porosity"},
    {"effective_porosity", &InputData::EffPor, "%", true, kPorosity,
     "effective (drainable) porosity"},
    {"leaching_efficiency", &InputData::LeachEff, "%", true, kPercentage, "leaching efficiency"},
    {"initial_salinity", &InputData::InitSalt, "dS/m", false, kNotNegative,
     "initial salinity (electrical conductivity of the soil moisture)"},
    {"rain", &InputData::Rain, "mm per time step", false, kNotNegative, "rainfall"},
    {"irrigation", &InputData::Irrig, "mm per time step", false, kNotNegative,
     "irrigation as entered"},
    {"evaporation", &InputData::Evap, "mm per time step", false, kNotNegative,
     "potential evaporation"},
    {"irrigation_salinity", &InputData::IrrSal, "dS/m", false, kNotNegative,
     "salinity of the irrigation water"},
};

}  // namespace

std::span<const RecordField> RecordFields() {
    return kFields;
}

const RecordField* FieldNamed(std::string_view name) {
    for (const RecordField& field : kFields)
        if (name == field.name) return &field;
    return nullptr;
}

const RecordField& FieldOf(RecordMember member) {
    for (const RecordField& field : kFields)
        if (field.member == member) return field;
    throw HalosoilError("The project record has no field of that member in its catalogue.");
}

bool WithinRange(const FieldRange& range, double value) {
    const bool belowLowest = range.lowestExcluded ? value <= range.lowest : value < range.lowest;
    return !belowLowest && value <= range.highest;
}

}  // namespace halosoil
