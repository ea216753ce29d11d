// The weather library in halosoil._core. A station record crosses as columns: its dates as days
// since 1970-01-01 and, per variable it has, a float64 array with NaN where the station lacks
// the value. Everything the record turns into (the filled gaps, the deltas, ET0 of each day,
// the steps) is worked out here, by the library the batch runner uses, so that a script and
// halosoil-batch weather give the same numbers.

#include "WeatherBindings.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "Errors.h"
#include "ProjectWeather.h"
#include "RecordDict.h"
#include "StationFile.h"
#include "StringToFloat.h"
#include "WeatherSteps.h"

namespace halosoil::python {

namespace py = pybind11;
using namespace halosoil::weather;

namespace {

using Dates = py::array_t<std::int64_t, py::array::c_style | py::array::forcecast>;
using Values = py::array_t<double, py::array::c_style | py::array::forcecast>;

// Where a delta came from for its messages (a keyword, a row of the monthly table), its month
// as text (none: every month), the variable and the change ("+2", "-10%").
using DeltaArgument = std::tuple<std::string, std::optional<std::string>, std::string, std::string>;

std::int64_t DayNumber(Date date) {
    return date.time_since_epoch().count();
}

// The dates whose text has the four digits of a year.
const std::int64_t kFirstDay = DayNumber(Date{std::chrono::year{1} / 1 / 1});
const std::int64_t kLastDay = DayNumber(Date{std::chrono::year{9999} / 12 / 31});

std::string Shortest(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// The record of the columns, checked as the station file's reader checks its rows.
// Its days have no line: messages name them by their date ("weather, 2001-07-06, tmin: ...").
// With `required` the columns every calculation needs must be there, as in a file.
StationRecord RecordOfColumns(const std::string& name, const Dates& dates, const py::dict& columns,
                              bool required) {
    StationRecord record;
    record.fileName = name;
    if (dates.ndim() != 1) throw HalosoilError(name + ": the dates are not one column");
    const py::ssize_t count = dates.size();
    std::vector<std::pair<Variable, Values>> given;
    for (const auto& [key, value] : columns) {
        const std::string variableName = std::string(py::str(key));
        const auto variable = VariableNamed(variableName);
        if (!variable)
            throw HalosoilError(name + ": '" + variableName +
                                "' is not a weather variable; the variables are " +
                                VariableNames());
        Values array = Values::ensure(value);
        if (!array || array.ndim() != 1)
            throw HalosoilError(name + ", " + variableName + ": the values are not numbers");
        if (array.size() != count)
            throw HalosoilError(name + ", " + variableName + ": " + std::to_string(array.size()) +
                                " values for " + std::to_string(count) + " dates");
        record.columns[static_cast<std::size_t>(*variable)] = static_cast<int>(given.size()) + 1;
        given.emplace_back(*variable, std::move(array));
    }
    if (required) {
        const auto missing = [&](const char* column) {
            throw HalosoilError(name + ": the record has no column '" + column +
                                "'; the columns are " + VariableNames());
        };
        if (!record.HasColumn(Variable::Rain)) missing("rain");
        if (!record.HasColumn(Variable::Et0)) {
            if (!record.HasColumn(Variable::Tmax)) missing("tmax");
            if (!record.HasColumn(Variable::Tmin)) missing("tmin");
        }
    }
    const std::int64_t* numbers = dates.data();
    record.days.reserve(static_cast<std::size_t>(count));
    for (py::ssize_t k = 0; k < count; ++k) {
        if (numbers[k] < kFirstDay || numbers[k] > kLastDay)
            throw HalosoilError(name + ", row " + std::to_string(k + 1) +
                                ": the date lies outside the years 1 to 9999");
        Day day;
        day.date = Date{std::chrono::days{numbers[k]}};
        for (const auto& [variable, array] : given) {
            const double value = array.data()[k];
            if (std::isinf(value))
                throw HalosoilError(PlaceOf(record, day, variable) + ": " +
                                    (value > 0 ? "inf" : "-inf") + " is not a finite number");
            day[variable] = value;
        }
        record.days.push_back(day);
    }
    CheckRecord(record);
    return record;
}

// Gap filling names a missing date by the file's lines around it; columns have none, so
// without filling their dates name the gap.
void CheckEveryDate(const StationRecord& record, const FillOptions& fill) {
    if (fill.linear) return;
    for (std::size_t k = 1; k < record.days.size(); ++k) {
        const Date before = record.days[k - 1].date;
        const Date after = record.days[k].date;
        if (after - before == std::chrono::days{1}) continue;
        const Date first = before + std::chrono::days{1};
        const Date last = after - std::chrono::days{1};
        throw HalosoilError(record.fileName + ": " + IsoText(first) +
                            (first == last ? "" : " to " + IsoText(last)) +
                            " missing from the record (between " + IsoText(before) + " and " +
                            IsoText(after) + "); fill='linear' estimates gaps of up to " +
                            std::to_string(fill.maxGap) + " days");
    }
}

std::vector<Delta> DeltasOf(const std::vector<DeltaArgument>& given) {
    std::vector<Delta> deltas;
    for (const auto& [where, month, variable, change] : given) {
        try {
            Delta delta = ParseDelta(variable + "=" + change);
            if (month) {
                int number = 0;
                if (!TryStringToInt(*month, number) || number < 1 || number > 12)
                    throw HalosoilError("'" + *month + "' is not a month 1 to 12");
                delta.month = number;
            }
            deltas.push_back(delta);
        } catch (const HalosoilError& error) {
            throw HalosoilError(where + ": " + error.what());
        }
    }
    return deltas;
}

py::object Option(const py::dict& options, const char* key) {
    if (!options.contains(key)) throw py::key_error(key);
    return options[key];
}

// Kc checked as the batch runner checks a Kc it reads, through the text of the number.
double CheckedKc(double kc, const std::string& what) {
    try {
        return ConstantKc(Shortest(kc)).constant;
    } catch (const HalosoilError& error) {
        throw HalosoilError(what.empty() ? std::string(error.what()) : what + ": " + error.what());
    }
}

KcSchedule KcOf(const py::dict& options) {
    KcSchedule kc;
    const py::object monthly = Option(options, "kc_monthly");
    const py::object perStep = Option(options, "kc_steps");
    if (!monthly.is_none()) {
        const auto values = monthly.cast<std::vector<double>>();
        if (values.size() != 12)
            throw HalosoilError("Kc by month: " + std::to_string(values.size()) +
                                " values where a year has 12 months");
        kc.kind = KcSchedule::Kind::Monthly;
        for (std::size_t m = 0; m < 12; ++m)
            kc.monthly[m] = CheckedKc(values[m], "Kc of month " + std::to_string(m + 1));
    } else if (!perStep.is_none()) {
        const auto values = perStep.cast<std::vector<double>>();
        if (values.empty()) throw HalosoilError("Kc by step: no step's Kc is given");
        kc.kind = KcSchedule::Kind::PerStep;
        for (std::size_t s = 0; s < values.size(); ++s)
            kc.perStep.push_back(CheckedKc(values[s], "Kc of step " + std::to_string(s + 1)));
    } else {
        kc.constant = CheckedKc(Option(options, "kc").cast<double>(), "");
    }
    return kc;
}

// The options of a calculation as _weather.py passes them: latitude, elevation, wind_height,
// coastal, method, fill (None or "linear"), max_gap, deltas, step_length, start (a day number
// or None), steps (0 for every complete step), kc with kc_monthly or kc_steps (None unless
// given).
WeatherOptions OptionsOf(const py::dict& options) {
    WeatherOptions weather;
    weather.station.latitude = Option(options, "latitude").cast<double>();
    weather.station.elevation = Option(options, "elevation").cast<double>();
    weather.station.windHeight = Option(options, "wind_height").cast<double>();
    weather.station.coastal = Option(options, "coastal").cast<bool>();
    const auto method = Option(options, "method").cast<std::string>();
    if (method == "hargreaves")
        weather.station.method = Method::Hargreaves;
    else if (method != "penman-monteith")
        throw HalosoilError("method '" + method + "' is neither 'penman-monteith' nor " +
                            "'hargreaves'");
    CheckStation(weather.station);
    const auto fill = Option(options, "fill").cast<std::optional<std::string>>();
    if (fill && *fill != "linear")
        throw HalosoilError("fill '" + *fill + "': the one way of filling gaps is 'linear'");
    weather.fill.linear = fill.has_value();
    weather.fill.maxGap = Option(options, "max_gap").cast<int>();
    if (weather.fill.maxGap < 1 || weather.fill.maxGap > 366)
        throw HalosoilError("max_gap " + std::to_string(weather.fill.maxGap) +
                            " lies outside 1 to 366 days");
    weather.deltas = DeltasOf(Option(options, "deltas").cast<std::vector<DeltaArgument>>());
    weather.steps.tstLength = Option(options, "step_length").cast<int>();
    const auto start = Option(options, "start").cast<std::optional<std::int64_t>>();
    if (start) {
        if (*start < kFirstDay || *start > kLastDay)
            throw HalosoilError("start lies outside the years 1 to 9999");
        weather.steps.start = Date{std::chrono::days{*start}};
    }
    weather.steps.steps = Option(options, "steps").cast<int>();
    if (weather.steps.steps < 0)
        throw HalosoilError("steps " + std::to_string(weather.steps.steps) + " is negative");
    weather.steps.kc = KcOf(options);
    return weather;
}

WeatherResult Computed(const StationRecord& record, const WeatherOptions& options) {
    CheckEveryDate(record, options.fill);
    py::gil_scoped_release release;
    return ComputeWeather(record, options);
}

template <typename Number, typename Row, typename Value>
py::array_t<Number> Column(const std::vector<Row>& rows, Value get) {
    py::array_t<Number> array(static_cast<py::ssize_t>(rows.size()));
    Number* out = array.mutable_data();
    for (std::size_t k = 0; k < rows.size(); ++k) out[k] = static_cast<Number>(get(rows[k]));
    return array;
}

py::dict DaysDict(const std::vector<DayEt0>& days) {
    py::dict dict;
    dict["date"] = Column<std::int64_t>(days, [](const DayEt0& d) { return DayNumber(d.date); });
    dict["et0"] = Column<double>(days, [](const DayEt0& d) { return d.et0; });
    dict["tmax"] = Column<double>(days, [](const DayEt0& d) { return d.tmax; });
    dict["tmin"] = Column<double>(days, [](const DayEt0& d) { return d.tmin; });
    dict["ea"] = Column<double>(days, [](const DayEt0& d) { return d.ea; });
    dict["wind"] = Column<double>(days, [](const DayEt0& d) { return d.wind; });
    dict["radiation"] = Column<double>(days, [](const DayEt0& d) { return d.radiation; });
    dict["rain"] = Column<double>(days, [](const DayEt0& d) { return d.rain; });
    py::list estimated;
    for (const DayEt0& day : days) estimated.append(EstimatedText(day.estimated));
    dict["estimated"] = estimated;
    return dict;
}

py::dict StepsDict(const std::vector<WeatherStep>& steps) {
    py::dict dict;
    dict["step"] = Column<std::int64_t>(steps, [](const WeatherStep& s) { return s.step; });
    dict["start"] =
        Column<std::int64_t>(steps, [](const WeatherStep& s) { return DayNumber(s.start); });
    dict["end"] =
        Column<std::int64_t>(steps, [](const WeatherStep& s) { return DayNumber(s.end); });
    dict["days"] = Column<std::int64_t>(steps, [](const WeatherStep& s) { return s.days; });
    dict["rain"] = Column<double>(steps, [](const WeatherStep& s) { return s.rain; });
    dict["et0"] = Column<double>(steps, [](const WeatherStep& s) { return s.et0; });
    dict["kc"] = Column<double>(steps, [](const WeatherStep& s) { return s.kc; });
    dict["evap"] = Column<double>(steps, [](const WeatherStep& s) { return s.evap; });
    dict["estimated_days"] =
        Column<std::int64_t>(steps, [](const WeatherStep& s) { return s.estimatedDays; });
    return dict;
}

// The record's dates and its variables' columns, in the order of the record's columns.
py::tuple ColumnsOfRecord(const StationRecord& record) {
    const auto dates =
        Column<std::int64_t>(record.days, [](const Day& day) { return DayNumber(day.date); });
    std::vector<std::pair<int, Variable>> order;
    for (const VariableInfo& info : Variables())
        if (record.HasColumn(info.variable))
            order.emplace_back(record.ColumnOf(info.variable), info.variable);
    std::sort(order.begin(), order.end());
    py::dict columns;
    for (const auto& [column, variable] : order)
        columns[InfoOf(variable).name] =
            Column<double>(record.days, [v = variable](const Day& day) { return day[v]; });
    return py::make_tuple(dates, columns);
}

py::tuple ReadStation(const std::string& path) {
    const StationRecord record = ReadStationFile(path);
    const py::tuple columns = ColumnsOfRecord(record);
    return py::make_tuple(columns[0], columns[1], py::cast(record.warnings));
}

py::dict ComputeColumns(const std::string& name, const Dates& dates, const py::dict& columns,
                        const py::dict& options) {
    const WeatherOptions weather = OptionsOf(options);
    const StationRecord record = RecordOfColumns(name, dates, columns, true);
    const WeatherResult result = Computed(record, weather);
    py::dict computed;
    computed["days"] = DaysDict(result.days);
    computed["steps"] = StepsDict(result.steps);
    computed["summary"] = WeatherSummary(result, weather);
    return computed;
}

py::dict ChangedColumns(const std::string& name, const Dates& dates, const py::dict& columns,
                        const std::vector<DeltaArgument>& deltas) {
    const std::vector<Delta> parsed = DeltasOf(deltas);
    StationRecord record = RecordOfColumns(name, dates, columns, false);
    ApplyDeltas(record, parsed);
    return ColumnsOfRecord(record)[1];
}

// The project with its rain and evaporation the steps' (its step length theirs), the messages
// of what was cut and the summary.
py::tuple ApplyColumns(const py::dict& project, const std::string& name, const Dates& dates,
                       const py::dict& columns, const py::dict& options) {
    InputData data = RecordFromDict(project);
    auto own = py::reinterpret_steal<py::dict>(PyDict_Copy(options.ptr()));
    if (!own) throw py::error_already_set();
    own["step_length"] = data.TstLength;
    const WeatherOptions weather = OptionsOf(own);
    const StationRecord record = RecordOfColumns(name, dates, columns, true);
    const WeatherResult result = Computed(record, weather);
    const std::vector<std::string> messages =
        ApplyWeather(data, result.steps, weather.steps.tstLength);
    return py::make_tuple(DictFromRecord(data), py::cast(messages),
                          WeatherSummary(result, weather));
}

py::list VariableTable() {
    py::list table;
    for (const VariableInfo& info : Variables()) table.append(py::make_tuple(info.name, info.unit));
    return table;
}

}  // namespace

void AddWeatherBindings(py::module_& m) {
    m.def("weather_variables", &VariableTable,
          "The variables of a station record: (name, unit) each, in the order of the file's "
          "columns.");
    m.def("step_length_named", &StepLengthNamed, py::arg("name"),
          "The days of the step length 'year', 'month', 'week' or 'day' (360, 30, 7, 1), or "
          "None.");
    m.def("read_weather", &ReadStation, py::arg("path"),
          "A station file: (dates as days since 1970-01-01, {variable: values with NaN for a "
          "value missing}, warnings).");
    m.def("compute_weather", &ComputeColumns, py::arg("name"), py::arg("dates"), py::arg("columns"),
          py::arg("options"),
          "The days' ET0 and the steps of a record's columns: {'days': {...}, 'steps': {...}, "
          "'summary': str}.");
    m.def("weather_with_deltas", &ChangedColumns, py::arg("name"), py::arg("dates"),
          py::arg("columns"), py::arg("deltas"),
          "The columns with the deltas [(where, month or None, variable, change)] applied.");
    m.def("apply_weather", &ApplyColumns, py::arg("record"), py::arg("name"), py::arg("dates"),
          py::arg("columns"), py::arg("options"),
          "(the record with its rain and evaporation the steps', messages, summary).");
}

}  // namespace halosoil::python
