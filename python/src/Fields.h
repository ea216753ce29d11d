// The one table of the fields a script sees: for a project every field of the record under
// the name a Project attribute carries, and for a result every per-step series of the run
// state; with its unit and meaning. The conversions of RecordDict.cpp and ResultDict.cpp and
// the Python classes (through _core.project_fields and _core.result_fields) all follow it.
#pragma once

#include <span>
#include <variant>

#include "InputData.h"
#include "RunState.h"

namespace halosoil::python {

using RecordMember =
    std::variant<std::string InputData::*, int InputData::*, bool InputData::*, double InputData::*,
                 ZoneValues InputData::*, Series InputData::*>;

// The kinds in the order of RecordMember's alternatives, as Python names them.
inline constexpr const char* kFieldKinds[] = {"text", "whole", "flag", "number", "zones", "series"};

struct ProjectField {
    const char* name;  // the Project attribute
    RecordMember member;
    const char* unit;  // empty for texts, numbers of things and flags
    const char* meaning;
};

struct ResultField {
    const char* name;  // the Result attribute; the salinities are one dict keyed by zone
    Series RunState::*member;
    int zone;  // the zone of a salinity, 0 for the water balance's series
    const char* unit;
    const char* meaning;
};

std::span<const ProjectField> ProjectFields();
std::span<const ResultField> ResultFields();

// The Python key of each zone 1..5 (index 0 empty).
inline constexpr const char* kZoneKeys[] = {"",       "layer1",     "layer2",
                                            "layer3", "transition", "aquifer"};

}  // namespace halosoil::python
