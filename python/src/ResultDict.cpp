#include "ResultDict.h"

#include <cmath>

#include "Fields.h"
#include "OutputFileLayout.h"
#include "RecordDict.h"

namespace halosoil::python {

namespace py = pybind11;

namespace {

template <typename Values>
py::list ListOf(const Values& values) {
    py::list list;
    for (auto value : values) list.append(value);
    return list;
}

py::dict HeaderAndSeries(const InputData& data, const RunState& state, const std::string& title1,
                         const std::string& title2, int stepLength) {
    py::dict result;
    result[Key("title1")] = TextOfEightBit(title1);
    result[Key("title2")] = TextOfEightBit(title2);
    result[Key("steps")] = data.NrTst;
    result[Key("step_length")] = stepLength;
    result[Key("layers")] = data.NrLayers;
    py::dict salinity;
    for (const ResultField& field : ResultFields()) {
        if (field.zone == 0)
            result[Key(field.name)] = ArrayOfSteps(state.*field.member, data.NrTst);
        else if (data.ZoneExists(field.zone))
            salinity[Key(ZoneKey(field.zone))] = ArrayOfSteps(state.*field.member, data.NrTst);
    }
    result[Key("salinity")] = salinity;
    return result;
}

// Per zone that exists: the efficiency in percent (None where unknown), whether it was
// optimised, and the coefficient of determination in percent (None where not available).
void ZoneResults(py::dict& result, const InputData& data, const double* efficiency,
                 const bool* present, const bool* optimised, const double* coefficient,
                 const bool* fitNA) {
    py::dict efficiencies, optimisedZones, coefficients;
    for (int z : ZonesOf(LayerCount(data))) {
        const py::handle key = Key(ZoneKey(z));
        efficiencies[key] = present[z] ? py::cast(efficiency[z]) : py::none();
        optimisedZones[key] = present[z] ? py::cast(optimised[z]) : py::none();
        coefficients[key] = present[z] && !fitNA[z] ? py::cast(coefficient[z]) : py::none();
    }
    result[Key("leaching_efficiency")] = efficiencies;
    result[Key("optimised")] = optimisedZones;
    result[Key("coefficient_of_determination")] = coefficients;
}

}  // namespace

py::dict DictFromRun(const InputData& data, const RunState& state) {
    py::dict result = HeaderAndSeries(data, state, data.Title1, data.Title2, data.TstLength);
    result[Key("qh1_used")] = state.QH1Used;
    result[Key("qh1_refined")] = state.QH1Refined;
    result[Key("refine_chosen")] = state.RefineChosen;
    // In percent as the run itself returns the record's efficiencies: 100 x the fraction.
    double efficiency[kZoneCount + 1], coefficient[kZoneCount + 1];
    bool present[kZoneCount + 1], optimised[kZoneCount + 1], fitNA[kZoneCount + 1];
    for (int z = 0; z <= kZoneCount; ++z) {
        efficiency[z] = 100 * state.LeachEff[z];
        coefficient[z] = 100 * state.CoefDet[z];
        present[z] = true;
        optimised[z] = state.LeachEffOptimized[z];
        fitNA[z] = state.FitNA[z];
    }
    ZoneResults(result, data, efficiency, present, optimised, coefficient, fitNA);
    result[Key("_header")] = py::make_tuple(ListOf(state.LeachEff), ListOf(state.LeachEffOptimized),
                                            ListOf(state.CoefDet), ListOf(state.FitNA));
    return result;
}

py::dict DictFromOutputFile(const InputData& data, const RunState& state,
                            const OutputReadBack& readBack) {
    py::dict result =
        HeaderAndSeries(data, state, readBack.Title1, readBack.Title2, readBack.StepLength);
    result[Key("refine_chosen")] = readBack.QH1LinePresent;
    result[Key("qh1_used")] = readBack.QH1LinePresent ? py::cast(data.QH1) : py::none();
    result[Key("qh1_refined")] = readBack.QH1Refined;
    double efficiency[kZoneCount + 1], fraction[kZoneCount + 1], coefficient[kZoneCount + 1];
    bool present[kZoneCount + 1], optimised[kZoneCount + 1], fitNA[kZoneCount + 1];
    for (int z = 0; z <= kZoneCount; ++z) {
        present[z] = z > 0 && readBack.LinePresent[z];
        fraction[z] = present[z] ? readBack.LeachEff[z] : 0.0;
        // The file's fraction of two decimals stands for a whole percentage; 100 x 0.07 is
        // 7.000000000000001 in binary, so the product is rounded to nine decimals.
        efficiency[z] = std::nearbyint(100 * fraction[z] * 1e9) / 1e9;
        optimised[z] = readBack.Optimized[z];
        fitNA[z] = !present[z] || state.FitNA[z];
        coefficient[z] = readBack.CoefDet[z];  // whole percent in the file
    }
    ZoneResults(result, data, efficiency, present, optimised, coefficient, fitNA);
    py::list coefficientFractions, fitNAs;
    for (int z = 0; z <= kZoneCount; ++z) {
        coefficientFractions.append(fitNA[z] ? 0.0 : coefficient[z] / 100);
        fitNAs.append(present[z] && fitNA[z]);
    }
    result[Key("_header")] =
        py::make_tuple(ListOf(fraction), ListOf(readBack.Optimized), coefficientFractions, fitNAs);
    return result;
}

void RunFromDict(const py::dict& result, InputData& data, RunState& state) {
    data.Title1 = EightBitText(result["title1"]);
    data.Title2 = EightBitText(result["title2"]);
    data.NrTst = result["steps"].cast<int>();
    data.TstLength = result["step_length"].cast<int>();
    data.NrLayers = result["layers"].cast<int>();
    data.SetLayerFlags(data.NrLayers);
    const py::dict salinity = result["salinity"];
    for (const ResultField& field : ResultFields()) {
        const char* key = ZoneKey(field.zone);
        if (field.zone == 0)
            state.*field.member = SeriesOfSteps(result[field.name]);
        else if (salinity.contains(key))
            state.*field.member = SeriesOfSteps(salinity[key]);
        SizeSeries(state.*field.member, data.NrTst);
    }
    state.RefineChosen = result["refine_chosen"].cast<bool>();
    state.QH1Used = result["qh1_used"].is_none() ? 0.0 : result["qh1_used"].cast<double>();
    state.QH1Refined = result["qh1_refined"].cast<bool>();
    const py::tuple header = result["_header"];
    const py::list leachEff = header[0], optimized = header[1], coefDet = header[2],
                   fitNA = header[3];
    for (int z = 1; z <= kZoneCount; ++z) {
        state.LeachEff[z] = leachEff[z].cast<double>();
        state.LeachEffOptimized[z] = optimized[z].cast<bool>();
        state.CoefDet[z] = coefDet[z].cast<double>();
        state.FitNA[z] = fitNA[z].cast<bool>();
    }
}

}  // namespace halosoil::python
