#include "RecordDict.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cmath>
#include <limits>

namespace halosoil::python {

namespace py = pybind11;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct ZoneField {
    const char* name;
    ZoneValues InputData::*field;
};
const ZoneField kZoneFields[] = {{"Thick", &InputData::Thick},
                                 {"TotPor", &InputData::TotPor},
                                 {"EffPor", &InputData::EffPor},
                                 {"LeachEff", &InputData::LeachEff},
                                 {"InitSalt", &InputData::InitSalt}};

struct SeriesField {
    const char* name;
    Series InputData::*field;
};
const SeriesField kSeriesFields[] = {{"Rain", &InputData::Rain},
                                     {"Irrig", &InputData::Irrig},
                                     {"Evap", &InputData::Evap},
                                     {"IrrSal", &InputData::IrrSal}};

struct ScalarField {
    const char* name;
    double InputData::*field;
};
const ScalarField kScalarFields[] = {{"DrainDepth", &InputData::DrainDepth},
                                     {"QH1", &InputData::QH1},
                                     {"QH2", &InputData::QH2},
                                     {"SaltIrrig", &InputData::SaltIrrig},
                                     {"WTdepth", &InputData::WTdepth},
                                     {"CritDepth", &InputData::CritDepth},
                                     {"Moist", &InputData::Moist},
                                     {"IrrEff", &InputData::IrrEff},
                                     {"GrwtInf", &InputData::GrwtInf},
                                     {"GrwtOut", &InputData::GrwtOut},
                                     {"SalInf", &InputData::SalInf}};

ZoneValues ZoneValuesFrom(const py::handle& list) {
    ZoneValues values{};
    const auto items = list.cast<std::vector<double>>();
    for (std::size_t z = 1; z < items.size() && z < values.size(); ++z) values[z] = items[z];
    return values;
}

py::list ListOf(const ZoneValues& values) {
    py::list list;
    for (double value : values) list.append(value);
    return list;
}

}  // namespace

py::object ArrayOfSteps(const Series& series, int count) {
    const int held = std::max(0, std::min(count, static_cast<int>(series.size()) - 1));
    py::array_t<double> array(held);
    double* out = array.mutable_data();
    for (int i = 1; i <= held; ++i) out[i - 1] = series[i];
    return array;
}

Series SeriesOfSteps(const py::handle& object) {
    const auto array =
        py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(object);
    if (!array || array.ndim() != 1)
        throw py::type_error("a series must be a 1-D array of numbers");
    Series series(static_cast<std::size_t>(array.size()) + 1, 0.0);
    const double* in = array.data();
    for (py::ssize_t i = 0; i < array.size(); ++i) series[i + 1] = in[i];
    return series;
}

InputData RecordFromDict(const py::dict& fields) {
    InputData data;
    data.Title1 = fields["Title1"].cast<std::string>();
    data.Title2 = fields["Title2"].cast<std::string>();
    data.InputFileName = fields["InputFileName"].cast<std::string>();
    data.NrTst = fields["NrTst"].cast<int>();
    data.HydrRows = data.NrTst;
    data.TstLength = fields["TstLength"].cast<int>();
    data.NrLayers = fields["NrLayers"].cast<int>();
    data.SetLayerFlags(data.NrLayers);
    data.DrainPresent = fields["DrainPresent"].cast<bool>();
    for (const auto& [name, field] : kScalarFields) data.*field = fields[name].cast<double>();
    for (const auto& [name, field] : kZoneFields) data.*field = ZoneValuesFrom(fields[name]);
    for (const auto& [name, field] : kSeriesFields) data.*field = SeriesOfSteps(fields[name]);
    const py::list measured = fields["MeasSalt"];
    for (int z = Layer1; z <= Aquif; ++z) {
        if (static_cast<int>(measured.size()) <= z || measured[z].is_none()) {
            data.MeasSalt[z].assign(static_cast<std::size_t>(std::max(data.NrTst, 0)) + 1,
                                    kMissing);
            continue;
        }
        data.MeasSalt[z] = SeriesOfSteps(measured[z]);
        for (std::size_t i = 1; i < data.MeasSalt[z].size(); ++i)
            if (std::isnan(data.MeasSalt[z][i])) data.MeasSalt[z][i] = kMissing;
    }
    return data;
}

py::dict DictFromRecord(const InputData& data) {
    py::dict fields;
    fields["Title1"] = py::bytes(data.Title1);
    fields["Title2"] = py::bytes(data.Title2);
    fields["InputFileName"] = data.InputFileName;
    fields["NrTst"] = data.NrTst;
    fields["TstLength"] = data.TstLength;
    fields["NrLayers"] = data.NrLayers;
    fields["DrainPresent"] = data.DrainPresent;
    for (const auto& [name, field] : kScalarFields) fields[name] = data.*field;
    for (const auto& [name, field] : kZoneFields) fields[name] = ListOf(data.*field);
    for (const auto& [name, field] : kSeriesFields)
        fields[name] = ArrayOfSteps(data.*field, data.NrTst);
    py::list measured;
    measured.append(py::none());
    for (int z = Layer1; z <= Aquif; ++z) {
        if (!data.ZoneExists(z)) {
            measured.append(py::none());
            continue;
        }
        Series values = data.MeasSalt[z];
        for (std::size_t i = 1; i < values.size(); ++i)
            if (values[i] <= 0) values[i] = kNaN;
        measured.append(ArrayOfSteps(values, data.NrTst));
    }
    fields["MeasSalt"] = measured;
    return fields;
}

}  // namespace halosoil::python
