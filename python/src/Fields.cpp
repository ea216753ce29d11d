#include "Fields.h"

namespace halosoil::python {

namespace {

const ProjectField kProjectFields[] = {
    {"title1", &InputData::Title1, "", "the first title, shown in the output and the graphs"},
    {"title2", &InputData::Title2, "", "the second title"},
    {"steps", &InputData::NrTst, "", "the number of time steps"},
    {"step_length", &InputData::TstLength, "days",
     "the length of a time step: 360 (year), 30 (month), 7 (week) or 1 (day)"},
    {"layers", &InputData::NrLayers, "", "the number of root-zone layers, 1, 2 or 3"},
    {"drains", &InputData::DrainPresent, "", "whether a subsurface drainage system is present"},
    {"drain_depth", &InputData::DrainDepth, "m", "depth of the drains below the surface"},
    {"qh1", &InputData::QH1, "m/day per m", "drainage reaction factor QH1"},
    {"qh2", &InputData::QH2, "m/day per m squared", "drainage reaction factor QH2"},
    {"irrigation_water_salinity", &InputData::SaltIrrig, "dS/m",
     "salt concentration of the irrigation water"},
    {"water_table_depth", &InputData::WTdepth, "m",
     "initial depth of the water table below the surface (negative above it)"},
    {"critical_depth", &InputData::CritDepth, "m",
     "critical depth of the water table for capillary rise"},
    {"soil_moisture", &InputData::Moist, "%", "initial soil moisture content"},
    {"irrigation_efficiency", &InputData::IrrEff, "%", "irrigation efficiency"},
    {"groundwater_inflow", &InputData::GrwtInf, "mm/day", "inflow of groundwater"},
    {"groundwater_outflow", &InputData::GrwtOut, "mm/day", "outflow of groundwater"},
    {"inflow_salinity", &InputData::SalInf, "dS/m", "salinity of the groundwater inflow"},
    {"thickness", &InputData::Thick, "m", "thickness of the zone"},
    {"total_porosity", &InputData::TotPor, "%", "total porosity"},
    {"effective_porosity", &InputData::EffPor, "%", "effective (drainable) porosity"},
    {"leaching_efficiency", &InputData::LeachEff, "%", "leaching efficiency"},
    {"initial_salinity", &InputData::InitSalt, "dS/m",
     "initial salinity (electrical conductivity of the soil moisture)"},
    {"rain", &InputData::Rain, "mm per time step", "rainfall"},
    {"irrigation", &InputData::Irrig, "mm per time step", "irrigation as entered"},
    {"evaporation", &InputData::Evap, "mm per time step", "potential evaporation"},
    {"irrigation_salinity", &InputData::IrrSal, "dS/m", "salinity of the irrigation water"},
};

const ResultField kResultFields[] = {
    {"percolation", &RunState::Percol, 0, "mm per time step", "percolation"},
    {"capillary_rise", &RunState::CapRise, 0, "mm per time step", "capillary rise"},
    {"actual_evaporation", &RunState::ActEvap, 0, "mm per time step", "actual evapotranspiration"},
    {"drainage", &RunState::Drain, 0, "mm per time step", "drain discharge"},
    {"water_table_depth", &RunState::DepthWT, 0, "m",
     "depth of the water table below the surface at the end of the step"},
    {"salinity", &RunState::SalRoot1, Layer1, "dS/m", "salinity at the end of the step"},
    {"salinity", &RunState::SalRoot2, Layer2, "dS/m", "salinity at the end of the step"},
    {"salinity", &RunState::SalRoot3, Layer3, "dS/m", "salinity at the end of the step"},
    {"salinity", &RunState::SalTrans, Trans, "dS/m", "salinity at the end of the step"},
    {"salinity", &RunState::SalAquif, Aquif, "dS/m", "salinity at the end of the step"},
};

}  // namespace

std::span<const ProjectField> ProjectFields() {
    return kProjectFields;
}

std::span<const ResultField> ResultFields() {
    return kResultFields;
}

}  // namespace halosoil::python
