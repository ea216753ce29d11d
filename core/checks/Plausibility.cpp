#include "Plausibility.h"

#include <algorithm>
#include <string>

#include "Errors.h"
#include "FieldCatalogue.h"
#include "NumberFormat.h"
#include "Zones.h"

namespace halosoil {

namespace {

// The unit of a field as a refusal writes it after the value: " m", " %", " dS/m".
std::string UnitOf(RecordMember member) {
    return std::string(" ") + FieldOf(member).unit;
}

[[noreturn]] void Refuse(const std::string& what, double value, const std::string& unit,
                         const std::string& rule) {
    throw HalosoilError("The " + what + " is " + GeneralText(value) + unit + ". " + rule);
}

// what and where ("total porosity", " of the aquifer") are joined only for a value refused.
void NotNegative(double value, const char* what, const std::string& where, RecordMember field) {
    if (value < 0) Refuse(what + where, value, UnitOf(field), "It cannot be negative.");
}

void Percentage(double value, const char* what, const std::string& where = {}) {
    if (value < 0 || value > 100)
        Refuse(what + where, value, " %", "It must lie between 0 and 100 %.");
}

// The soil panels store -1 for a leaching efficiency left empty in the second of two layers
// and for a leaching efficiency or initial salinity left empty with three layers; the program
// runs such projects, and files written by it hold them.
bool MayStayEmpty(int zone, int layers, bool leachingEfficiency) {
    if (layers == 3) return true;
    return layers == 2 && zone == Layer2 && leachingEfficiency;
}

void CheckZone(const InputData& d, int z, int layers) {
    const std::string of = " of " + ZoneName(z, layers);
    NotNegative(d.Thick[z], "thickness", of, &InputData::Thick);
    Percentage(d.TotPor[z], "total porosity", of);
    Percentage(d.EffPor[z], "effective porosity", of);
    if (d.EffPor[z] > d.TotPor[z])
        Refuse(
            "effective porosity" + of, d.EffPor[z], " %",
            "It cannot be greater than the total porosity of " + GeneralText(d.TotPor[z]) + " %.");
    if (!(d.LeachEff[z] == kMissing && MayStayEmpty(z, layers, true)))
        Percentage(d.LeachEff[z], "leaching efficiency", of);
    if (!(d.InitSalt[z] == kMissing && MayStayEmpty(z, layers, false)))
        NotNegative(d.InitSalt[z], "initial salinity", of, &InputData::InitSalt);
}

void CheckPlausibleConditions(const InputData& d) {
    NotNegative(d.SaltIrrig, "salinity of the irrigation water", {}, &InputData::SaltIrrig);
    NotNegative(d.SalInf, "salinity of the groundwater inflow", {}, &InputData::SalInf);
    Percentage(d.Moist, "initial soil moisture content");
    Percentage(d.IrrEff, "irrigation efficiency");
    // Without drains the factors are neither used nor shown.
    if (!d.DrainPresent) return;
    NotNegative(d.QH1, "drainage reaction factor QH1", {}, &InputData::QH1);
    NotNegative(d.QH2, "drainage reaction factor QH2", {}, &InputData::QH2);
}

// The steps the series holds of 1..NrTst; a shorter series is refused later, by name.
int HeldSteps(const Series& series, int nrTst) {
    return std::min(nrTst, static_cast<int>(series.size()) - 1);
}

// The message is put together only for the value refused: this runs before every run of a
// study, over every step.
void CheckSeries(const Series& series, int nrTst, const char* what, Series InputData::*member) {
    for (int i = 1; i <= HeldSteps(series, nrTst); ++i)
        if (series[i] < 0)
            NotNegative(series[i], what, " of time step " + std::to_string(i), member);
}

// -1 marks a step without a measurement; any other negative value is a slip.
void CheckMeasured(const Series& series, int nrTst, int zone, int layers) {
    for (int i = 1; i <= HeldSteps(series, nrTst); ++i)
        if (series[i] < 0 && series[i] != kMissing)
            Refuse("measured salinity of " + ZoneName(zone, layers) + " in time step " +
                       std::to_string(i),
                   series[i], " dS/m", "It cannot be negative.");
}

}  // namespace

void CheckPlausible(const InputData& d) {
    const int layers = LayerCount(d);
    const std::vector<int> zones = ZonesOf(layers);
    for (int z : zones) CheckZone(d, z, layers);
    CheckPlausibleConditions(d);
    CheckSeries(d.Rain, d.NrTst, "rainfall", &InputData::Rain);
    CheckSeries(d.Irrig, d.NrTst, "irrigation", &InputData::Irrig);
    CheckSeries(d.Evap, d.NrTst, "evaporation", &InputData::Evap);
    CheckSeries(d.IrrSal, d.NrTst, "irrigation salinity", &InputData::IrrSal);
    for (int z : zones) CheckMeasured(d.MeasSalt[z], d.NrTst, z, layers);
}

}  // namespace halosoil
