// The calibration's report as JSON, and what an ensemble reads back from one.
#include <nlohmann/json.hpp>

#include <cerrno>
#include <cmath>
#include <fstream>
#include <sstream>

#include "Calibration.h"
#include "Errors.h"
#include "StudyFile.h"

namespace halosoil::study {

namespace {

using Json = nlohmann::ordered_json;

// JSON has no NaN or infinity: a statistic that does not exist is null.
Json Number(double value) {
    return std::isfinite(value) ? Json(value) : Json(nullptr);
}

Json ParameterJson(const ParameterEstimate& estimate) {
    const Parameter& parameter = estimate.parameter;
    Json json;
    json["name"] = parameter.Name();
    json["unit"] = parameter.Info().unit;
    json["start"] = Number(estimate.start);
    json["low"] = Number(parameter.low);
    json["high"] = Number(parameter.high);
    json["value"] = Number(estimate.value);
    json["standard_error"] = Number(estimate.standardError);
    json["ci95"] = Json::array({Number(estimate.ciLow), Number(estimate.ciHigh)});
    json["at_bound"] = estimate.atBound;
    json["fixed"] = estimate.fixed;
    json["written"] = Number(estimate.written);
    json["file_decimals"] = parameter.Info().decimalsInFile;
    return json;
}

Json FitJson(const QuantityFit& fit) {
    Json json;
    json["quantity"] = InfoOf(fit.quantity).name;
    json["n"] = fit.n;
    json["rmse"] = Number(fit.rmse);
    json["bias"] = Number(fit.bias);
    json["nse"] = Number(fit.nse);
    json["r2"] = Number(fit.r2);
    return json;
}

[[noreturn]] void Unusable(const std::string& fileName, const std::string& what) {
    throw HalosoilError(fileName + ": " + what);
}

double NumberOr(const Json& json, double otherwise) {
    return json.is_number() ? json.get<double>() : otherwise;
}

}  // namespace

std::string ReportJson(const CalibrationResult& result) {
    Json report;
    report["parameters"] = Json::array();
    Json names = Json::array();
    for (const ParameterEstimate& estimate : result.estimates) {
        report["parameters"].push_back(ParameterJson(estimate));
        names.push_back(estimate.parameter.Name());
    }
    Json matrix = Json::array();
    for (const std::vector<double>& row : result.correlation) {
        Json cells = Json::array();
        for (double r : row) cells.push_back(Number(r));
        matrix.push_back(cells);
    }
    report["correlation"] = {{"names", names}, {"matrix", matrix}};
    report["fit"] = Json::array();
    for (const QuantityFit& fit : result.fit) report["fit"].push_back(FitJson(fit));
    report["objective"] = {{"start", Number(result.objectiveStart)},
                           {"end", Number(result.objectiveEnd)}};
    // The project the file holds: its values rounded to the decimals of their columns.
    report["objective_written"] = Number(result.objectiveWritten);
    report["fit_written"] = Json::array();
    for (const QuantityFit& fit : result.fitWritten) report["fit_written"].push_back(FitJson(fit));
    report["runs"] = result.runs;
    report["seconds"] = Number(result.seconds);
    report["warnings"] = result.warnings;
    return report.dump(2) + "\n";
}

ReportEstimates ParseReportEstimates(const std::string& text, const InputData& data,
                                     const std::string& fileName) {
    Json report;
    try {
        report = Json::parse(text);
    } catch (const Json::parse_error& error) {
        Unusable(fileName, std::string("not a calibration report (") + error.what() + ")");
    }
    if (!report.is_object() || !report.contains("parameters") || !report["parameters"].is_array())
        Unusable(fileName, "not a calibration report: it has no list of parameters");
    ReportEstimates estimates;
    for (const Json& entry : report["parameters"]) {
        if (!entry.is_object() || !entry.contains("name") || !entry["name"].is_string() ||
            !entry.contains("value") || !entry["value"].is_number() || !entry.contains("low") ||
            !entry["low"].is_number() || !entry.contains("high") || !entry["high"].is_number())
            Unusable(fileName, "every parameter needs a name, a value, a low and a high bound");
        const std::string name = entry["name"].get<std::string>();
        estimates.parameters.push_back(
            MakeParameter(name, entry["low"].get<double>(), entry["high"].get<double>(), data));
        estimates.values.push_back(entry["value"].get<double>());
        estimates.standardErrors.push_back(
            NumberOr(entry.value("standard_error", Json(nullptr)), std::nan("")));
    }
    const std::size_t p = estimates.parameters.size();
    estimates.correlation.assign(p, std::vector<double>(p, 0));
    for (std::size_t j = 0; j < p; ++j) estimates.correlation[j][j] = 1;
    if (report.contains("correlation") && report["correlation"].contains("matrix")) {
        const Json& matrix = report["correlation"]["matrix"];
        if (!matrix.is_array() || matrix.size() != p)
            Unusable(fileName, "the correlation matrix does not match the parameters");
        for (std::size_t a = 0; a < p; ++a) {
            if (!matrix[a].is_array() || matrix[a].size() != p)
                Unusable(fileName, "the correlation matrix does not match the parameters");
            for (std::size_t b = 0; b < p; ++b)
                if (a != b) estimates.correlation[a][b] = NumberOr(matrix[a][b], 0);
        }
    }
    return estimates;
}

ReportEstimates ReadReportEstimates(const std::string& path, const InputData& data) {
    std::ifstream in = OpenStudyFile(path);
    std::ostringstream text;
    text << in.rdbuf();
    return ParseReportEstimates(text.str(), data, path);
}

}  // namespace halosoil::study
