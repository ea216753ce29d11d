#include "ResultDict.h"

#include <pybind11/stl.h>

#include <sstream>

#include "OutputFileLayout.h"

#include "RecordDict.h"

namespace halosoil::python {

namespace py = pybind11;

namespace {

struct StepSeries {
    const char* name;
    Series RunState::*field;
};
const StepSeries kStepSeries[] = {
    {"Percol", &RunState::Percol},     {"CapRise", &RunState::CapRise},
    {"ActEvap", &RunState::ActEvap},   {"Drain", &RunState::Drain},
    {"DepthWT", &RunState::DepthWT},   {"SalRoot1", &RunState::SalRoot1},
    {"SalRoot2", &RunState::SalRoot2}, {"SalRoot3", &RunState::SalRoot3},
    {"SalTrans", &RunState::SalTrans}, {"SalAquif", &RunState::SalAquif}};

template <typename Values>
py::list ListOf(const Values& values) {
    py::list list;
    for (auto value : values) list.append(value);
    return list;
}

py::dict HeaderAndSeries(const InputData& data, const RunState& state) {
    py::dict result;
    result["Title1"] = py::bytes(data.Title1);
    result["Title2"] = py::bytes(data.Title2);
    result["NrTst"] = data.NrTst;
    result["TstLength"] = data.TstLength;
    result["NrLayers"] = data.NrLayers;
    for (const auto& [name, field] : kStepSeries)
        result[name] = ArrayOfSteps(state.*field, data.NrTst);
    return result;
}

}  // namespace

py::dict DictFromRun(const InputData& data, const RunState& state) {
    py::dict result = HeaderAndSeries(data, state);
    result["RefineChosen"] = state.RefineChosen;
    result["QH1Used"] = state.QH1Used;
    result["QH1Refined"] = state.QH1Refined;
    result["LeachEff"] = ListOf(state.LeachEff);
    result["LeachEffOptimized"] = ListOf(state.LeachEffOptimized);
    result["CoefDet"] = ListOf(state.CoefDet);
    result["FitNA"] = ListOf(state.FitNA);
    return result;
}

py::dict DictFromOutputFile(const InputData& data, const RunState& state,
                            const OutputReadBack& readBack) {
    py::dict result = HeaderAndSeries(data, state);
    result["Title1"] = py::bytes(readBack.Title1);
    result["Title2"] = py::bytes(readBack.Title2);
    result["TstLength"] = readBack.StepLength;
    result["RefineChosen"] = readBack.QH1LinePresent;
    result["QH1Used"] = readBack.QH1LinePresent ? py::cast(data.QH1) : py::none();
    result["QH1Refined"] = readBack.QH1Refined;
    py::list leachEff, optimized, coefDet, fitNA;
    for (int z = 0; z <= kZoneCount; ++z) {
        const bool present = z > 0 && readBack.LinePresent[z];
        leachEff.append(present ? py::cast(readBack.LeachEff[z]) : py::none());
        optimized.append(readBack.Optimized[z]);
        const bool available = present && !state.FitNA[z];
        coefDet.append(available ? py::cast(readBack.CoefDet[z] / 100) : py::none());
        fitNA.append(present && !available);
    }
    result["LeachEff"] = leachEff;
    result["LeachEffOptimized"] = optimized;
    result["CoefDet"] = coefDet;
    result["FitNA"] = fitNA;
    return result;
}

void RunFromDict(const py::dict& result, InputData& data, RunState& state) {
    data.Title1 = result["Title1"].cast<std::string>();
    data.Title2 = result["Title2"].cast<std::string>();
    data.NrTst = result["NrTst"].cast<int>();
    data.TstLength = result["TstLength"].cast<int>();
    data.NrLayers = result["NrLayers"].cast<int>();
    data.SetLayerFlags(data.NrLayers);
    for (const auto& [name, field] : kStepSeries) {
        state.*field = SeriesOfSteps(result[name]);
        SizeSeries(state.*field, data.NrTst);
    }
    state.RefineChosen = result["RefineChosen"].cast<bool>();
    state.QH1Used = result["QH1Used"].is_none() ? 0.0 : result["QH1Used"].cast<double>();
    state.QH1Refined = result["QH1Refined"].cast<bool>();
    const py::list leachEff = result["LeachEff"], optimized = result["LeachEffOptimized"],
                   coefDet = result["CoefDet"], fitNA = result["FitNA"];
    for (int z = 1; z <= kZoneCount; ++z) {
        state.LeachEff[z] = leachEff[z].is_none() ? 0.0 : leachEff[z].cast<double>();
        state.LeachEffOptimized[z] = optimized[z].cast<bool>();
        state.CoefDet[z] = coefDet[z].is_none() ? 0.0 : coefDet[z].cast<double>();
        state.FitNA[z] = fitNA[z].cast<bool>();
    }
}

}  // namespace halosoil::python
