#include "RecordDict.h"

#include <pybind11/numpy.h>

#include <cmath>
#include <cstring>
#include <unordered_map>

#include "Fields.h"
#include "NotANumber.h"

namespace halosoil::python {

namespace py = pybind11;

namespace {

// Every zone's value of the dict, NaN for a zone it does not name (a field left empty).
ZoneValues ZoneValuesFrom(const py::handle& values) {
    ZoneValues zones{};
    const auto dict = py::reinterpret_borrow<py::dict>(values);
    for (int z = Layer1; z <= Aquif; ++z) {
        PyObject* value = PyDict_GetItemWithError(dict.ptr(), Key(ZoneKey(z)).ptr());
        if (value == nullptr && PyErr_Occurred()) throw py::error_already_set();
        zones[z] = value == nullptr ? kNaN : py::handle(value).cast<double>();
    }
    return zones;
}

py::dict DictOfZones(const ZoneValues& values, const std::vector<int>& zones) {
    py::dict dict;
    for (int z : zones) dict[Key(ZoneKey(z))] = values[z];
    return dict;
}

py::handle Attribute(const py::dict& attributes, const char* name) {
    PyObject* value = PyDict_GetItemWithError(attributes.ptr(), Key(name).ptr());
    if (value == nullptr && PyErr_Occurred()) throw py::error_already_set();
    if (value == nullptr) throw py::key_error(name);
    return value;
}

void ReadField(InputData& data, const ProjectField& field, const py::handle& value) {
    std::visit(
        [&](auto member) {
            using Value = std::remove_reference_t<decltype(data.*member)>;
            if constexpr (std::is_same_v<Value, std::string>)
                data.*member = EightBitText(value);
            else if constexpr (std::is_same_v<Value, ZoneValues>)
                data.*member = ZoneValuesFrom(value);
            else if constexpr (std::is_same_v<Value, Series>)
                data.*member = SeriesOfSteps(value);
            else
                data.*member = value.cast<Value>();
        },
        field.member);
}

py::object FieldValue(const InputData& data, const ProjectField& field,
                      const std::vector<int>& zones) {
    return std::visit(
        [&](auto member) -> py::object {
            using Value = std::remove_cvref_t<decltype(data.*member)>;
            if constexpr (std::is_same_v<Value, std::string>)
                return TextOfEightBit(data.*member);
            else if constexpr (std::is_same_v<Value, ZoneValues>)
                return DictOfZones(data.*member, zones);
            else if constexpr (std::is_same_v<Value, Series>)
                return ArrayOfSteps(data.*member, data.NrTst);
            else
                return py::cast(data.*member);
        },
        field.member);
}

}  // namespace

py::handle Key(const char* name) {
    // By the address of the text: the names are the literals of the field tables.
    static std::unordered_map<const char*, PyObject*> keys;
    auto [entry, added] = keys.try_emplace(name, nullptr);
    if (added) {
        entry->second = PyUnicode_InternFromString(name);
        if (entry->second == nullptr) {
            keys.erase(entry);
            throw py::error_already_set();
        }
    }
    return entry->second;
}

std::string EightBitText(const py::handle& text) {
    PyObject* bytes = PyUnicode_AsEncodedString(text.ptr(), "latin-1", "replace");
    if (bytes == nullptr) throw py::error_already_set();
    return py::reinterpret_steal<py::bytes>(bytes);
}

py::str TextOfEightBit(const std::string& text) {
    PyObject* decoded =
        PyUnicode_DecodeLatin1(text.data(), static_cast<Py_ssize_t>(text.size()), nullptr);
    if (decoded == nullptr) throw py::error_already_set();
    return py::reinterpret_steal<py::str>(decoded);
}

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
    if (array.size() > 0)
        std::memcpy(series.data() + 1, static_cast<const void*>(array.data()),
                    static_cast<std::size_t>(array.size()) * sizeof(double));
    return series;
}

std::vector<double> CopiedDoubles(const py::array_t<double>& array) {
    std::vector<double> values(static_cast<std::size_t>(array.size()));
    if (!values.empty())
        std::memcpy(values.data(), static_cast<const void*>(array.data()),
                    values.size() * sizeof(double));
    return values;
}

InputData RecordFromDict(const py::dict& attributes) {
    InputData data;
    data.InputFileName = Attribute(attributes, "file_name").cast<std::string>();
    for (const ProjectField& field : ProjectFields())
        ReadField(data, field, Attribute(attributes, field.name));
    data.HydrRows = data.NrTst;
    data.SetLayerFlags(data.NrLayers);
    // The window stores an empty leaching efficiency of the second of two layers as -1.
    if (data.NrLayers == 2 && std::isnan(data.LeachEff[Layer2])) data.LeachEff[Layer2] = kMissing;
    // The balance a run of the record computes travels beside its fields, as the file has no
    // place for it: run(), sweep() and the studies add it when they are asked for it.
    PyObject* balance = PyDict_GetItemWithError(attributes.ptr(), Key("salt_balance").ptr());
    if (balance == nullptr && PyErr_Occurred()) throw py::error_already_set();
    if (balance != nullptr) {
        const std::string name = py::handle(balance).cast<std::string>();
        const auto kind = SaltBalanceNamed(name);
        if (!kind)
            throw py::value_error("salt_balance is 'specified' or 'conserving', not '" + name +
                                  "'");
        data.SaltBalance = *kind;
    }
    const auto measured =
        py::reinterpret_borrow<py::dict>(Attribute(attributes, "measured_salinity"));
    for (int z = Layer1; z <= Aquif; ++z) {
        PyObject* series = PyDict_GetItemWithError(measured.ptr(), Key(ZoneKey(z)).ptr());
        if (series == nullptr && PyErr_Occurred()) throw py::error_already_set();
        if (series == nullptr || series == Py_None) {
            data.MeasSalt[z].assign(static_cast<std::size_t>(std::max(data.NrTst, 0)) + 1,
                                    kMissing);
            continue;
        }
        data.MeasSalt[z] = SeriesOfSteps(series);
        for (std::size_t i = 1; i < data.MeasSalt[z].size(); ++i)
            if (std::isnan(data.MeasSalt[z][i])) data.MeasSalt[z][i] = kMissing;
    }
    return data;
}

py::dict DictFromRecord(const InputData& data) {
    const std::vector<int> zones = ZonesOf(LayerCount(data));
    py::dict attributes;
    for (const ProjectField& field : ProjectFields())
        attributes[Key(field.name)] = FieldValue(data, field, zones);
    py::dict measured;
    for (int z : zones) {
        Series values = data.MeasSalt[z];
        for (std::size_t i = 1; i < values.size(); ++i)
            if (values[i] <= 0) values[i] = kNaN;
        measured[Key(ZoneKey(z))] = ArrayOfSteps(values, data.NrTst);
    }
    attributes["measured_salinity"] = measured;
    attributes["file_name"] = data.InputFileName;
    return attributes;
}

py::list ProjectFieldTable() {
    py::list table;
    for (const ProjectField& field : ProjectFields())
        table.append(py::make_tuple(field.name, kFieldKinds[field.member.index()], field.unit,
                                    field.meaning));
    return table;
}

py::tuple ZoneKeyTable() {
    py::tuple keys(ZoneKeys().size());
    for (std::size_t k = 0; k < ZoneKeys().size(); ++k) keys[k] = py::str(ZoneKeys()[k]);
    return keys;
}

py::list ResultFieldTable() {
    py::list table;
    for (const ResultField& field : ResultFields())
        if (field.zone <= Layer1)
            table.append(py::make_tuple(field.name, field.zone == 0 ? "series" : "zones",
                                        field.unit, field.meaning));
    return table;
}

}  // namespace halosoil::python
