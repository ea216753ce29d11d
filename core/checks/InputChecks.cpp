#include "InputChecks.h"

#include <cmath>

#include "Errors.h"
#include "InputFile.h"
#include "NumberFormat.h"
#include "Plausibility.h"
#include "RunCheck.h"
#include "SeriesCheck.h"
#include "TimeStepLimit.h"

namespace halosoil {

namespace {

const char* kInvalidValues = "There are invalid values. Please adjust.";

bool Missing(double value) {
    return value == kMissing || std::isnan(value);
}

// The steps 1..NrTst the series holds; a short series is reported later, by name.
bool AnyEmptyStep(const Series& series, int nrTst) {
    const int held = std::min(nrTst, static_cast<int>(series.size()) - 1);
    for (int i = 1; i <= held; ++i)
        if (std::isnan(series[i])) return true;
    return false;
}

void CheckGeneralData(const InputData& d) {
    if (d.NrLayers < 1 || d.NrLayers > 3)
        throw HalosoilError("The number of root zone layers is " + std::to_string(d.NrLayers) +
                            ". It must be 1, 2 or 3.");
    CheckTimeStepLimit(d.NrTst);
}

void CheckHydrologicalData(const InputData& d) {
    for (const Series* series : {&d.Rain, &d.Irrig, &d.Evap})
        if (AnyEmptyStep(*series, d.NrTst))
            throw HalosoilError("There are empty cells, please correct.");
}

// One and two layers: every cell must be filled, except the leaching efficiency of the second
// layer. Three layers: cells may stay empty, but no zone without thickness or porosities.
void CheckSoilData(const InputData& d) {
    const int layers = LayerCount(d);
    if (layers == 3) {
        if (const char* message = IncompleteSoilZoneMessage(d)) throw HalosoilError(message);
        return;
    }
    for (int zone : ZonesOf(layers)) {
        for (const ZoneValues* field : {&d.Thick, &d.TotPor, &d.EffPor, &d.LeachEff, &d.InitSalt}) {
            const bool mayStayEmpty = layers == 2 && zone == Layer2 && field == &d.LeachEff;
            if (std::isnan((*field)[zone]) && !mayStayEmpty) throw HalosoilError(kInvalidValues);
        }
    }
}

// The window converts every cell of the irrigation salinity; an empty one is not a number.
void CheckIrrigationSalinity(const InputData& d) {
    if (AnyEmptyStep(d.IrrSal, d.NrTst)) throw ConversionError("");
}

void CheckDrainageData(const InputData& d) {
    if (!d.DrainPresent) return;
    double rootThickness = 0;
    for (int layer = Layer1; layer <= LayerCount(d); ++layer) rootThickness += d.Thick[layer];
    const DrainageFault fault = CheckDrainage(d, rootThickness);
    if (fault != DrainageFault::None) throw HalosoilError(DrainageFaultText(fault));
}

// The conditions panel keeps the moisture and the irrigation efficiency within their limits
// as it stores them; a script that sets them outside is told so instead.
void CheckConditions(const InputData& d) {
    for (double value :
         {d.SaltIrrig, d.WTdepth, d.CritDepth, d.Moist, d.IrrEff, d.GrwtInf, d.GrwtOut, d.SalInf})
        if (std::isnan(value)) throw HalosoilError(kInvalidValues);
    if (d.Moist < 20 || d.Moist > 100)
        throw HalosoilError("The initial soil moisture content is " + GeneralText(d.Moist) +
                            " %. It must lie between 20 and 100 %.");
    if (d.IrrEff < 30 || d.IrrEff > 100)
        throw HalosoilError("The irrigation efficiency is " + GeneralText(d.IrrEff) +
                            " %. It must lie between 30 and 100 %.");
}

}  // namespace

const char* IncompleteSoilZoneMessage(const InputData& data) {
    static const struct {
        int zone;
        const char* message;
    } kChecks[] = {
        {Layer1, "The soil data for the 1st layer are not complete. Calculations cannot be done"},
        {Layer2, "The soil data for the 2nd layer are not complete. Calculations cannot be done"},
        {Layer3, "The soil data for the 3rd layer are not complete. Calculations cannot be done"},
        {Trans,
         "The soil data for the transition zone are not complete. Calculations cannot be done"},
        {Aquif, "The soil data for the aquifer are not complete. Calculations cannot be done"},
    };
    for (const auto& check : kChecks) {
        if (Missing(data.Thick[check.zone]) || Missing(data.TotPor[check.zone]) ||
            Missing(data.EffPor[check.zone]))
            return check.message;
    }
    return nullptr;
}

DrainageFault CheckDrainage(const InputData& data, double rootThickness) {
    const double depth = std::isnan(data.DrainDepth) ? -1 : data.DrainDepth;
    const double qh1 = std::isnan(data.QH1) ? 0 : data.QH1;
    const double qh2 = std::isnan(data.QH2) ? 0 : data.QH2;
    if (depth < 0) return DrainageFault::DepthInvalid;
    if (depth < rootThickness) return DrainageFault::DepthWithinRootZone;
    if (depth > rootThickness + data.Thick[Trans]) return DrainageFault::DepthBelowTransitionZone;
    if (qh1 == 0 && qh2 == 0) return DrainageFault::NoReactionFactor;
    return DrainageFault::None;
}

const char* DrainageFaultText(DrainageFault fault) {
    switch (fault) {
        case DrainageFault::DepthInvalid:
            return "Then depth value is invalid. Please adjust.";
        case DrainageFault::DepthWithinRootZone:
            return "The drain depth must be greater than the total thickness of the root zone. "
                   "Enlarge the drain depth or reduce the rootzone thickness.";
        case DrainageFault::DepthBelowTransitionZone:
            return "The drain depth must be less than the total thickness of the root zone plus "
                   "transition zone. Reduce the drain depth or enlarge the transition zone "
                   "thickness.";
        case DrainageFault::NoReactionFactor:
            return "The drainage recation factors QH1 and QH2 need to be given a value.";
        case DrainageFault::None:
            break;
    }
    return "";
}

void CheckProject(const InputData& data) {
    CheckGeneralData(data);
    CheckHydrologicalData(data);
    CheckSoilData(data);
    CheckIrrigationSalinity(data);
    CheckDrainageData(data);
    CheckConditions(data);
    CheckSeriesLengths(data);
    CheckPlausible(data);
    InputData prepared = data;
    PrepareIrrigSpread(prepared);
    CheckRunnable(prepared);
}

}  // namespace halosoil
