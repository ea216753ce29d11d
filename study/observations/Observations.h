// What was measured in the field, per time step and result quantity: the input file's
// measured salinities and an optional CSV file in the wide layout of `halosoil-batch table`
// (a header `step,<quantity>,...`, one row per observed step, an empty cell where nothing was
// observed). A salinity column of the CSV replaces the input file's measurements of that zone.
#pragma once

#include <array>
#include <iosfwd>
#include <string>
#include <vector>

#include "InputData.h"
#include "Quantities.h"

namespace halosoil::study {

struct Observed {
    int step = 0;
    double value = 0;
};

struct Observations {
    // Per quantity (in the order of Quantities()), its observed steps in ascending order.
    std::array<std::vector<Observed>, kQuantityCount> byQuantity;
    // Whether the source had a column for the quantity, observed or not.
    std::array<bool, kQuantityCount> columns{};

    const std::vector<Observed>& Of(Quantity quantity) const {
        return byQuantity[static_cast<std::size_t>(quantity)];
    }
    std::vector<Observed>& Of(Quantity quantity) {
        return byQuantity[static_cast<std::size_t>(quantity)];
    }
    int Count(Quantity quantity) const { return static_cast<int>(Of(quantity).size()); }
    int Total() const;
    // The quantities with at least one observation, in order.
    std::vector<Quantity> ObservedQuantities() const;
};

// The measured salinities of the project's zones, as the engine counts them (values above 0).
Observations MeasuredSalinities(const InputData& data);

// Reads observations in the CSV layout for the project; throws HalosoilError naming the file,
// the line and the column of a damage ("obs.csv, line 4, column 2: ...").
Observations ReadObservationsCsv(std::istream& in, const InputData& data,
                                 const std::string& fileName);
Observations ReadObservationsFile(const std::string& path, const InputData& data);

// The input file's measurements with the CSV's columns laid over them: a quantity the CSV
// has a column for takes the CSV's observations only.
Observations Combined(const Observations& measured, const Observations& csv);

// Reads the CSV at path (when not empty) and combines it with the project's measured
// salinities.
Observations ObservationsFor(const InputData& data, const std::string& csvPath);

// The observations as CSV text in the same layout, steps with no observation left out.
std::string ObservationsCsvText(const Observations& observations);

}  // namespace halosoil::study
