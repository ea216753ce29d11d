#include "QuantityCatalogue.h"

namespace halosoil {

const std::array<ResultQuantity, kResultCount>& ResultQuantities() {
    static const std::array<ResultQuantity, kResultCount> quantities = {{
        {"percolation", &RunState::Percol, 0, "mm per time step", "percolation"},
        {"capillary_rise", &RunState::CapRise, 0, "mm per time step", "capillary rise"},
        {"actual_evaporation", &RunState::ActEvap, 0, "mm per time step",
         "actual evapotranspiration"},
        {"drainage", &RunState::Drain, 0, "mm per time step", "drain discharge"},
        {"depth_water_table", &RunState::DepthWT, 0, "m",
         "depth of the water table below the surface at the end of the step"},
        {"salinity_layer1", &RunState::SalRoot1, Layer1, "dS/m", "salinity at the end of the step"},
        {"salinity_layer2", &RunState::SalRoot2, Layer2, "dS/m", "salinity at the end of the step"},
        {"salinity_layer3", &RunState::SalRoot3, Layer3, "dS/m", "salinity at the end of the step"},
        {"salinity_transition", &RunState::SalTrans, Trans, "dS/m",
         "salinity at the end of the step"},
        {"salinity_aquifer", &RunState::SalAquif, Aquif, "dS/m", "salinity at the end of the step"},
    }};
    return quantities;
}

std::array<Series*, kResultCount> ResultSeries(RunState& state) {
    std::array<Series*, kResultCount> series{};
    for (std::size_t k = 0; k < series.size(); ++k)
        series[k] = &(state.*ResultQuantities()[k].member);
    return series;
}

std::array<const Series*, kResultCount> ResultSeries(const RunState& state) {
    std::array<const Series*, kResultCount> series{};
    for (std::size_t k = 0; k < series.size(); ++k)
        series[k] = &(state.*ResultQuantities()[k].member);
    return series;
}

void SizeResultSeries(RunState& state, int nrTst) {
    for (Series* series : ResultSeries(state)) SizeSeries(*series, nrTst);
}

}  // namespace halosoil
