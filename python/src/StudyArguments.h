// What the study functions of halosoil._core take from Python, in the study library's terms:
// the project a study starts from, its observations, weights and parameters, and the members
// a Dask worker runs in one chunk.
#pragma once

#include <pybind11/pybind11.h>

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "InputData.h"
#include "MemberRuns.h"
#include "NotANumber.h"
#include "Objective.h"
#include "Observations.h"
#include "Parameters.h"
#include "Quantities.h"

namespace halosoil::python {

// What a member that did not run through gives in place of its numbers.
// The columns of an observations file as they cross to Python: per quantity with a column,
// its name, observed steps and values.
using ObservedColumn = std::tuple<std::string, std::vector<int>, std::vector<double>>;
using ObservedColumns = std::vector<ObservedColumn>;
using ParameterBounds = std::tuple<std::string, double, double>;

// The project a study starts from, as halosoil-batch reads it from a file: checked as the
// batch runner checks it, the spread irrigation prepared.
InputData StudyProject(const pybind11::dict& record);

// Observations read without a project are checked against the largest project: three layers
// and as many steps as a file may have.
InputData LargestProject();

// The quantity of that name; refuses a name that is none.
study::Quantity QuantityOf(const std::string& name);

// The project's measured salinities with the columns of an observations file laid over them,
// as the study commands combine them.
study::Observations StudyObservations(const InputData& data,
                                      const std::optional<ObservedColumns>& columns);

study::Weights WeightsOf(const std::map<std::string, double>& given, const InputData& data);

std::vector<study::Parameter> ParametersOf(const std::vector<ParameterBounds>& given,
                                           const InputData& data);
std::vector<study::Parameter> ParametersOf(const std::vector<std::string>& names,
                                           const std::vector<double>& lows,
                                           const std::vector<double>& highs, const InputData& data);

// A chunk of members as a Dask worker gets it: the project, the parameters by name and bounds,
// then their values (members x parameters), read last as the functions have always read them.
struct MemberChunk {
    MemberChunk(const pybind11::dict& record, const std::vector<std::string>& names,
                const std::vector<double>& lows, const std::vector<double>& highs);
    void ReadMembers(const pybind11::handle& values);
    // Runs the members on `threads` threads (0: one per core), as the study library runs a
    // study's members, handing each run to `visit`; the caller releases the lock.
    void Run(int threads, const std::function<void(const study::MemberRun&)>& visit) const;

    InputData data;
    std::vector<study::Parameter> parameters;
    std::vector<double> members;
    std::size_t count = 0;  // members
};

}  // namespace halosoil::python
