#include "SeriesCheck.h"

#include <string>

#include "Errors.h"

namespace halosoil {

namespace {

void CheckLength(const Series& series, int nrTst, const std::string& what,
                 const std::string& group) {
    const int held = series.empty() ? 0 : static_cast<int>(series.size()) - 1;
    if (held >= nrTst) return;
    throw HalosoilError("The " + what + " holds " + std::to_string(held) +
                        " time steps, but the number of time steps is " + std::to_string(nrTst) +
                        ". Please save the " + group + " again.");
}

}  // namespace

void CheckSeriesLengths(const InputData& data) {
    const int n = data.NrTst;
    CheckLength(data.Rain, n, "rainfall", "hydrological data");
    CheckLength(data.Irrig, n, "irrigation", "hydrological data");
    CheckLength(data.Evap, n, "evaporation", "hydrological data");
    CheckLength(data.IrrSal, n, "irrigation salinity", "irrigation salinity");
    static const char* zoneNames[] = {"",
                                      "measured salinity of the first layer",
                                      "measured salinity of the second layer",
                                      "measured salinity of the third layer",
                                      "measured salinity of the transition zone",
                                      "measured salinity of the aquifer"};
    for (int z = Layer1; z <= Aquif; ++z)
        if (data.ZoneExists(z)) CheckLength(data.MeasSalt[z], n, zoneNames[z], "salinity data");
}

}  // namespace halosoil
