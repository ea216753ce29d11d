// Refuses, before a run starts, a project the engine could only answer with a crash or a
// silent wrong result: no time steps, steps shorter than a day, short series, values that are
// not numbers, and divisions by zero.

#include <cmath>
#include <string>

#include "Errors.h"
#include "NumberFormat.h"
#include "RunCheck.h"
#include "SeriesCheck.h"
#include "Zones.h"

namespace halosoil {

namespace {

void CheckFinite(double value, const std::string& what) {
    if (!std::isfinite(value))
        throw HalosoilError("The " + what +
                            " is not a finite number. The calculations cannot be made.");
}

// The message names the step, and is put together only for a step that fails: a run checks
// every value of every step.
void CheckSeriesFinite(const Series& series, int nrTst, const std::string& what) {
    for (int i = 1; i <= nrTst; ++i)
        if (!std::isfinite(series[i]))
            CheckFinite(series[i], what + " of time step " + std::to_string(i));
}

}  // namespace

void CheckRunnable(const InputData& d) {
    if (d.NrTst < 1)
        throw HalosoilError("The number of time steps is " + std::to_string(d.NrTst) +
                            ". At least one time step is needed for the calculations.");
    if (d.TstLength < 1)
        throw HalosoilError("The step length is " + std::to_string(d.TstLength) +
                            " days. A time step must last at least one day.");
    // The run keeps six flows of every day in memory: 50000 yearly steps is as far as the
    // window goes, and as far as the memory of an ordinary computer allows.
    const long long days = static_cast<long long>(d.NrTst) * d.TstLength;
    if (days > kMostRunDays)
        throw HalosoilError("The run covers " + std::to_string(days) + " days (" +
                            std::to_string(d.NrTst) + " time steps of " +
                            std::to_string(d.TstLength) + " days). It can cover at most " +
                            std::to_string(kMostRunDays) + " days.");
    const int layers = d.FlaggedLayers();
    if (layers == 0)
        throw HalosoilError(
            "The number of root zone layers is not set. Please save the general "
            "data first.");
    // The engine follows the layer flags, the output file's header the number; a file with
    // an impossible number leaves the flags of an earlier project.
    if (d.NrLayers < 1 || d.NrLayers > 3)
        throw HalosoilError("The number of root zone layers is " + std::to_string(d.NrLayers) +
                            ". It must be 1, 2 or 3.");
    if (d.NrLayers != layers)
        throw HalosoilError("The number of root zone layers is " + std::to_string(d.NrLayers) +
                            ", but the soil data are given for " + std::to_string(layers) +
                            (layers == 1 ? " layer" : " layers") +
                            ". Please save the general data again.");
    CheckSeriesLengths(d);
    if (static_cast<int>(d.IrrigSpread.size()) < d.NrTst + 1)
        throw HalosoilError(
            "The irrigation has not been prepared for the run. Please save the "
            "input file first.");

    const std::vector<int> zones = ZonesOf(layers);
    for (int z : zones) {
        const std::string zone = ZoneName(z, layers);
        CheckFinite(d.Thick[z], "thickness of " + zone);
        CheckFinite(d.TotPor[z], "total porosity of " + zone);
        CheckFinite(d.EffPor[z], "effective porosity of " + zone);
        CheckFinite(d.LeachEff[z], "leaching efficiency of " + zone);
        CheckFinite(d.InitSalt[z], "initial salinity of " + zone);
        CheckSeriesFinite(d.MeasSalt[z], d.NrTst, "measured salinity of " + zone);
        // The water table can rise to the surface and sink to the aquifer's bottom, so every
        // zone may hold it; with no drainable pores its depth would be divided by zero.
        if (d.EffPor[z] <= 0)
            throw HalosoilError("The effective porosity of " + zone + " is " +
                                GeneralText(d.EffPor[z]) +
                                " %. It must be greater than 0 for the water table to move "
                                "through the zone.");
    }
    const std::pair<double, const char*> scalars[] = {
        {d.DrainDepth, "drain depth"},
        {d.QH1, "drainage reaction factor QH1"},
        {d.QH2, "drainage reaction factor QH2"},
        {d.SaltIrrig, "salinity of the irrigation water"},
        {d.WTdepth, "initial depth of the water table"},
        {d.CritDepth, "critical depth of the water table"},
        {d.Moist, "initial soil moisture content"},
        {d.IrrEff, "irrigation efficiency"},
        {d.GrwtInf, "inflow of groundwater"},
        {d.GrwtOut, "outflow of groundwater"},
        {d.SalInf, "salinity of the groundwater inflow"}};
    for (const auto& [value, what] : scalars) CheckFinite(value, what);
    CheckSeriesFinite(d.Rain, d.NrTst, "rainfall");
    CheckSeriesFinite(d.Irrig, d.NrTst, "irrigation");
    CheckSeriesFinite(d.Evap, d.NrTst, "evaporation");
    CheckSeriesFinite(d.IrrSal, d.NrTst, "irrigation salinity");

    // With two or three layers the percolation out of layer 1 is the surface water divided by
    // the irrigation efficiency, and the evaporation is split by the layers' thicknesses.
    if (layers > 1 && d.IrrEff <= 0)
        throw HalosoilError("The irrigation efficiency is " + GeneralText(d.IrrEff) +
                            " %. With more than one root zone layer it must be greater than 0.");
    if (layers > 1) {
        double rootThick = 0;
        for (int z = Layer1; z <= layers; ++z) rootThick += d.Thick[z];
        if (rootThick == 0)
            throw HalosoilError(
                "The root zone layers have a total thickness of 0 m. The "
                "evaporation cannot be divided over them.");
    }
}

}  // namespace halosoil
