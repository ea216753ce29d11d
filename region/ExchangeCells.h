// What a field's columns say of its groundwater exchange: the elevation of its ground surface,
// the transmissivity of its aquifer and a fixed head beyond its outer edge.
#pragma once

#include <string>
#include <vector>

#include "FieldLayer.h"

namespace halosoil::region {

inline constexpr const char* kTransmissivityColumn = "transmissivity";
inline constexpr const char* kBoundaryHeadColumn = "boundary_head";

struct ExchangeCells {
    double elevation = 0;       // m; 0 where the cell is NULL or the column missing
    double transmissivity = 0;  // m2/day; 0: the field exchanges nothing
    bool hasBoundaryHead = false;
    double boundaryHead = 0;  // m, beyond the field's outer edge
    // Why a cell cannot serve ("Field X: column C holds V: why"); empty otherwise.
    std::string refusal;
};

// Each field's cells, in the order of the layer. Numbers may come from numeric or text columns;
// a text that is no number, a value that is not finite or a negative transmissivity refuses
// the field.
std::vector<ExchangeCells> ExchangeCellsOf(const FieldLayer& layer);

}  // namespace halosoil::region
