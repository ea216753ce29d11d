#include "Fields.h"

#include <string_view>

namespace halosoil::python {

namespace {

// The package's name of a result: the depth of the water table takes the project's name for
// it (the core's, after the output table's column, is translated by _names.py), and the
// salinities are one attribute keyed by zone.
const char* PackageName(const ResultQuantity& quantity) {
    if (quantity.zone != 0) return "salinity";
    if (std::string_view(quantity.name) == "depth_water_table") return "water_table_depth";
    return quantity.name;
}

std::vector<ResultField> PackageFields() {
    std::vector<ResultField> fields;
    for (const ResultQuantity& quantity : ResultQuantities())
        fields.push_back({PackageName(quantity), quantity.member, quantity.zone, quantity.unit,
                          quantity.meaning});
    return fields;
}

}  // namespace

std::span<const ResultField> ResultFields() {
    static const std::vector<ResultField> fields = PackageFields();
    return fields;
}

}  // namespace halosoil::python
