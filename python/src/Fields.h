// The fields a script sees: for a project the record's fields under the names of the record's
// catalogue (FieldCatalogue.h), and for a result the per-step series of the catalogue of
// results (QuantityCatalogue.h) under the package's names; with their units and meanings. The
// conversions of RecordDict.cpp and ResultDict.cpp and the Python classes (through
// _core.project_fields and _core.result_fields) all follow them.
#pragma once

#include <span>
#include <vector>

#include "FieldCatalogue.h"
#include "QuantityCatalogue.h"
#include "Zones.h"

namespace halosoil::python {

using ProjectField = RecordField;

// The kinds in the order of RecordMember's alternatives, as Python names them.
inline constexpr const char* kFieldKinds[] = {"text", "whole", "flag", "number", "zones", "series"};

struct ResultField {
    const char* name;  // the Result attribute; the salinities are one dict keyed by zone
    Series RunState::*member;
    int zone;  // the zone of a salinity, 0 for the water balance's series
    const char* unit;
    const char* meaning;
};

inline std::span<const ProjectField> ProjectFields() {
    return RecordFields();
}
std::span<const ResultField> ResultFields();

}  // namespace halosoil::python
