#include "FieldProjects.h"

#include <filesystem>
#include <vector>

#include "Errors.h"
#include "InputFile.h"
#include "MemberRuns.h"
#include "Parameters.h"
#include "Plausibility.h"
#include "ShortestText.h"
#include "StringToFloat.h"

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

FieldProjects::FieldProjects(const InputData& base, const FieldLayer& layer) : layer_(layer) {
    base_.data = base;
    for (const FieldInput& field : layer.Fields()) {
        if (field.project.empty() || named_.count(field.project) > 0) continue;
        Base& named = named_[field.project];
        const std::filesystem::path path =
            std::filesystem::path(layer.Folder()) / std::filesystem::path(field.project);
        try {
            named.data = ReadBaseProject(path.lexically_normal().string());
        } catch (const HalosoilError& error) {
            named.refusal = error.what();
        }
    }
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
    std::vector<study::Parameter> parameters;
    std::vector<double> values;
    for (const ParameterCell& cell : field.cells) {
        const std::string& column =
            layer_.ParameterColumns()[static_cast<std::size_t>(cell.column)];
        double value = cell.number;
        try {
            if (cell.isText) value = PointStringToFloat(cell.text);
        } catch (const ConversionError&) {
            refusal = FieldRefusal(field, column, CellText(cell), "not a number");
            return false;
        }
        try {
            study::Parameter parameter = study::NamedParameter(column, base.data);
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
    study::MakeVariant(base.data, parameters, values.data(), project);
    const std::string implausible = study::ImplausibilityOf(project);
    if (!implausible.empty()) {
        refusal = "Field " + field.id + ": " + implausible;
        return false;
    }
    return true;
}

}  // namespace halosoil::region
