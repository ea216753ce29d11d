#include "FieldProjects.h"

#include <cmath>
#include <filesystem>
#include <vector>

#include "Errors.h"
#include "InputFile.h"
#include "MemberRuns.h"
#include "Parameters.h"
#include "Plausibility.h"
#include "ProjectWeather.h"
#include "ShortestText.h"
#include "StationFile.h"
#include "StringToFloat.h"
#include "WeatherSteps.h"

namespace halosoil::region {

namespace {

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

std::string CellText(const ParameterCell& cell) {
    return cell.isText ? Quoted(cell.text) : study::ShortestText(cell.number);
}

std::string FieldRefusal(const FieldInput& field, const std::string& column,
                         const std::string& value, const std::string& why) {
    return "Field " + field.id + ": column " + column + " holds " + value + ": " + why;
}

}  // namespace

struct FieldProjects::Station {
    weather::StationRecord record;
    std::string refusal;  // the file's damage, naming file, line and column
};

InputData ReadBaseProject(const std::string& path) {
    InputData data;
    data.InputFileName = path;
    try {
        ReadInputFile(data);
        CheckPlausible(data);
        PrepareIrrigSpread(data);
    } catch (const HalosoilError& error) {
        HalosoilError named(WithFileAndLine(path, error));
        throw named;
    }
    return data;
}

FieldProjects::FieldProjects(const InputData& base, const FieldCells& cells,
                             const weather::FillOptions& fill)
    : cells_(cells), fill_(fill) {
    base_.data = base;
    for (const FieldInput& field : cells.fields) {
        if (field.project.empty() || named_.count(field.project) > 0) continue;
        Base& named = named_[field.project];
        const std::filesystem::path path =
            std::filesystem::path(cells.folder) / std::filesystem::path(field.project);
        try {
            named.data = ReadBaseProject(path.lexically_normal().string());
        } catch (const HalosoilError& error) {
            named.refusal = error.what();
        }
    }
    for (const FieldInput& field : cells.fields) {
        if (field.weather.empty() || stations_.count(field.weather) > 0) continue;
        auto station = std::make_shared<Station>();
        const std::filesystem::path path =
            std::filesystem::path(cells.folder) / std::filesystem::path(field.weather);
        try {
            station->record = weather::ReadStationFile(path.lexically_normal().string());
        } catch (const HalosoilError& error) {
            station->refusal = error.what();
        }
        stations_[field.weather] = std::move(station);
    }
}

bool FieldProjects::WithWeather(const FieldInput& field, const InputData& base,
                                InputData& withWeather, std::string& refusal) const {
    const Station& station = *stations_.at(field.weather);
    const std::string cell = Quoted(field.weather);
    if (!station.refusal.empty()) {
        refusal = FieldRefusal(field, "weather", cell, station.refusal);
        return false;
    }
    if (std::isnan(field.latitude)) {
        refusal = FieldRefusal(field, "weather", cell,
                               "the layer has no CRS that gives the field's latitude");
        return false;
    }
    weather::WeatherOptions options;
    options.station.latitude = field.latitude;
    options.station.elevation = std::isnan(field.elevation) ? 0 : field.elevation;
    options.steps.tstLength = base.TstLength;
    options.fill = fill_;
    try {
        weather::CheckStation(options.station);
        const weather::WeatherResult steps = weather::ComputeWeather(station.record, options);
        withWeather = base;
        weather::ApplyWeather(withWeather, steps.steps, base.TstLength);
    } catch (const HalosoilError& error) {
        refusal = FieldRefusal(field, "weather", cell, error.what());
        return false;
    }
    return true;
}

const FieldProjects::Base& FieldProjects::BaseOf(const FieldInput& field) const {
    return field.project.empty() ? base_ : named_.at(field.project);
}

bool FieldProjects::Make(const FieldInput& field, InputData& project, std::string& refusal) const {
    refusal = field.refusal;
    if (!refusal.empty()) return false;
    const Base& base = BaseOf(field);
    if (!base.refusal.empty()) {
        refusal = FieldRefusal(field, "project", Quoted(field.project), base.refusal);
        return false;
    }
    InputData withWeather;
    if (!field.weather.empty() && !WithWeather(field, base.data, withWeather, refusal))
        return false;
    const InputData& start = field.weather.empty() ? base.data : withWeather;
    std::vector<study::Parameter> parameters;
    std::vector<double> values;
    for (const ParameterCell& cell : field.cells) {
        const std::string& column = cells_.parameterColumns[static_cast<std::size_t>(cell.column)];
        double value = cell.number;
        try {
            if (cell.isText) value = PointStringToFloat(cell.text);
        } catch (const ConversionError&) {
            refusal = FieldRefusal(field, column, CellText(cell), "not a number");
            return false;
        }
        try {
            study::Parameter parameter = study::NamedParameter(column, start);
            if (!study::CanTake(parameter.Info(), value))
                throw HalosoilError("beyond what it can take (" +
                                    study::RangeText(parameter.Info()) + ")");
            parameters.push_back(parameter);
            values.push_back(value);
        } catch (const HalosoilError& error) {
            refusal = FieldRefusal(field, column, CellText(cell), error.what());
            return false;
        }
    }
    study::MakeVariant(start, parameters, values.data(), project);
    const std::string implausible = study::ImplausibilityOf(project);
    if (!implausible.empty()) {
        refusal = "Field " + field.id + ": " + implausible;
        return false;
    }
    return true;
}

}  // namespace halosoil::region
