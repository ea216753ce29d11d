#include "StudyArguments.h"

#include "Errors.h"
#include "InputFile.h"
#include "ProjectChecks.h"
#include "RecordDict.h"
#include "StudyArrays.h"
#include "TimeStepLimit.h"

namespace halosoil::python {

namespace py = pybind11;
using namespace halosoil::study;

InputData StudyProject(const py::dict& record) {
    InputData data = RecordFromDict(record);
    CheckAsBatchRunner(data);
    PrepareIrrigSpread(data);
    return data;
}

InputData LargestProject() {
    InputData data;
    data.NrTst = kMaxTimeSteps;
    data.HydrRows = kMaxTimeSteps;
    data.NrLayers = 3;
    data.SetLayerFlags(3);
    return data;
}

Quantity QuantityOf(const std::string& name) {
    const auto quantity = QuantityNamed(name);
    if (!quantity) throw HalosoilError("'" + name + "' is not a quantity");
    return *quantity;
}

namespace {

Observations ObservationsOf(const ObservedColumns& columns) {
    Observations observations;
    for (const auto& [name, steps, values] : columns) {
        const Quantity quantity = QuantityOf(name);
        if (steps.size() != values.size())
            throw HalosoilError("The observations of " + name + " have " +
                                std::to_string(steps.size()) + " steps for " +
                                std::to_string(values.size()) + " values.");
        observations.columns[static_cast<std::size_t>(quantity)] = true;
        for (std::size_t k = 0; k < steps.size(); ++k)
            observations.Of(quantity).push_back({steps[k], values[k]});
    }
    return observations;
}

}  // namespace

Observations StudyObservations(const InputData& data,
                               const std::optional<ObservedColumns>& columns) {
    const Observations measured = MeasuredSalinities(data);
    if (!columns) return measured;
    return Combined(measured, ObservationsOf(*columns));
}

Weights WeightsOf(const std::map<std::string, double>& given, const InputData& data) {
    Weights weights;
    for (const auto& [name, weight] : given) weights.Set(name, weight, data);
    return weights;
}

std::vector<Parameter> ParametersOf(const std::vector<ParameterBounds>& given,
                                    const InputData& data) {
    std::vector<Parameter> parameters;
    for (const auto& [name, low, high] : given)
        parameters.push_back(MakeParameter(name, low, high, data));
    return parameters;
}

std::vector<Parameter> ParametersOf(const std::vector<std::string>& names,
                                    const std::vector<double>& lows,
                                    const std::vector<double>& highs, const InputData& data) {
    if (lows.size() != names.size() || highs.size() != names.size())
        throw HalosoilError("Every parameter needs a low and a high bound.");
    std::vector<Parameter> parameters;
    for (std::size_t j = 0; j < names.size(); ++j)
        parameters.push_back(MakeParameter(names[j], lows[j], highs[j], data));
    return parameters;
}

MemberChunk::MemberChunk(const py::dict& record, const std::vector<std::string>& names,
                         const std::vector<double>& lows, const std::vector<double>& highs)
    : data(StudyProject(record)), parameters(ParametersOf(names, lows, highs, data)) {}

void MemberChunk::ReadMembers(const py::handle& values) {
    members = RowsOf(values, parameters.size(), "values");
    count = parameters.empty() ? 0 : members.size() / parameters.size();
}

void MemberChunk::Run(int threads, const std::function<void(const MemberRun&)>& visit) const {
    StudyOptions options;
    options.threads = threads;
    RunMembers(data, parameters, members, options, visit);
}

}  // namespace halosoil::python
