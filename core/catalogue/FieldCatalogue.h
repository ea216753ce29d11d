// The fields of the project record that a user, a script or a study sets, each once: its
// name in scripts (the Python attribute and the stem of a study's parameter: `qh1`,
// `thickness`, `water_table_depth`), the member of InputData that holds it, the unit the
// program gives it, whether it is a percentage or one value per zone, the values a run
// accepts and what it means. Study's parameters, the Python package, the batch runner's help
// and the checks before a run take these facts from here.
//
// Left out are what the record derives or keeps beside its fields: the layer flags (set from
// the layer count), HydrRows, the file's name, the spread irrigation, the salt balance's kind,
// and the measured salinities, a series per zone whose -1 marks a step without a measurement
// and which scripts hand in as observations of their own.
#pragma once

#include <span>
#include <string_view>
#include <variant>

#include "InputData.h"

namespace halosoil {

using RecordMember =
    std::variant<std::string InputData::*, int InputData::*, bool InputData::*, double InputData::*,
                 ZoneValues InputData::*, Series InputData::*>;

// The values a field can take: lowest (itself allowed unless lowestExcluded) to highest.
struct FieldRange {
    double lowest;
    bool lowestExcluded;
    double highest;
    // Whether the checks before a run (Plausibility, RunCheck) refuse a value outside the
    // range. Where they do not, the range is what the quantity can physically be, which a
    // study keeps its bounds within; the checks were never given it, and projects already
    // stored with such values must keep opening and running.
    bool enforced;
};

struct RecordField {
    const char* name;
    RecordMember member;
    const char* unit;  // empty for texts, counts and flags
    bool percent;      // held in percent (0..100) outside a run, as fractions within it
    FieldRange range;
    const char* meaning;
};

// Every field, in the order of the record's groups: general data, drainage, initial and
// boundary conditions, soil per zone, series per step.
std::span<const RecordField> RecordFields();

// The field of a name, nullptr for a name that is none.
const RecordField* FieldNamed(std::string_view name);
// The field held by a member of the record; the member must be one of the catalogue's.
const RecordField& FieldOf(RecordMember member);

// Whether the field holds one value per zone.
inline bool PerZone(const RecordField& field) {
    return std::holds_alternative<ZoneValues InputData::*>(field.member);
}

// Whether value lies within the range.
bool WithinRange(const FieldRange& range, double value);

}  // namespace halosoil
