#include "Quantities.h"

namespace halosoil::study {

const std::array<QuantityInfo, kQuantityCount>& Quantities() {
    static const std::array<QuantityInfo, kQuantityCount> table = {{
        {Quantity::DepthWaterTable, "depth_water_table", "m", 0},
        {Quantity::Drainage, "drainage", "mm", 0},
        {Quantity::Percolation, "percolation", "mm", 0},
        {Quantity::CapillaryRise, "capillary_rise", "mm", 0},
        {Quantity::ActualEvaporation, "actual_evaporation", "mm", 0},
        {Quantity::SalinityLayer1, "salinity_layer1", "dS/m", Layer1},
        {Quantity::SalinityLayer2, "salinity_layer2", "dS/m", Layer2},
        {Quantity::SalinityLayer3, "salinity_layer3", "dS/m", Layer3},
        {Quantity::SalinityTransition, "salinity_transition", "dS/m", Trans},
        {Quantity::SalinityAquifer, "salinity_aquifer", "dS/m", Aquif},
    }};
    return table;
}

const QuantityInfo& InfoOf(Quantity quantity) {
    return Quantities()[static_cast<std::size_t>(quantity)];
}

std::optional<Quantity> QuantityNamed(std::string_view name) {
    for (const QuantityInfo& info : Quantities())
        if (name == info.name) return info.quantity;
    return std::nullopt;
}

std::string QuantityNames() {
    std::string names;
    for (const QuantityInfo& info : Quantities()) {
        if (!names.empty()) names += ", ";
        names += info.name;
    }
    return names;
}

bool ProjectHas(const InputData& data, Quantity quantity) {
    const int zone = InfoOf(quantity).zone;
    return zone == 0 || data.ZoneExists(zone);
}

std::vector<Quantity> QuantitiesOf(const InputData& data) {
    std::vector<Quantity> quantities;
    for (const QuantityInfo& info : Quantities())
        if (ProjectHas(data, info.quantity)) quantities.push_back(info.quantity);
    return quantities;
}

const Series& SeriesOf(const RunState& state, Quantity quantity) {
    switch (quantity) {
        case Quantity::DepthWaterTable:
            return state.DepthWT;
        case Quantity::Drainage:
            return state.Drain;
        case Quantity::Percolation:
            return state.Percol;
        case Quantity::CapillaryRise:
            return state.CapRise;
        case Quantity::ActualEvaporation:
            return state.ActEvap;
        case Quantity::SalinityLayer1:
            return state.SalRoot1;
        case Quantity::SalinityLayer2:
            return state.SalRoot2;
        case Quantity::SalinityLayer3:
            return state.SalRoot3;
        case Quantity::SalinityTransition:
            return state.SalTrans;
        case Quantity::SalinityAquifer:
            return state.SalAquif;
    }
    return state.DepthWT;
}

}  // namespace halosoil::study
