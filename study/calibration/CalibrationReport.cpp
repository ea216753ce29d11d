// The calibration's report as JSON, and what an ensemble reads back from one.
#include <nlohmann/json.hpp>

#include <cerrno>
#include <cmath>
#include <fstream>
#include <sstream>

#include "Calibration.h"
#include "Errors.h"
#include "ShortestText.h"
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

// The JSON library's own words without its code in brackets: "parse error at line 3, column
// 14: syntax error while parsing object key - ...", "number overflow parsing '1e999'".
std::string WithoutCode(const Json::exception& error) {
    std::string text = error.what();
    if (text.rfind("[json.exception.", 0) == 0) {
        const auto end = text.find("] ");
        if (end != std::string::npos) text.erase(0, end + 2);
    }
    return text;
}

// A parameter the project cannot take ("Parameter qh2: the project has no subsurface
// drains") is named with the file it came from.
Parameter ParameterOf(const Json& entry, const InputData& data, const std::string& fileName) {
    try {
        return MakeParameter(entry["name"].get<std::string>(), entry["low"].get<double>(),
                             entry["high"].get<double>(), data);
    } catch (const HalosoilError& error) {
        Unusable(fileName, error.what());
    }
}

// A standard error whose square no double holds leaves the covariance of the draws
// infinite; one this large says that the data did not determine the value at all.
constexpr double kLargestStandardError = 1e150;

// What a calibration cannot have written: its values lie within their bounds, and a standard
// error is not negative.
void CheckEstimate(const Parameter& parameter, double value, double standardError,
                   const std::string& fileName) {
    if (value < parameter.low || value > parameter.high)
        Unusable(fileName, "the value " + ShortestText(value) + " of " + parameter.Name() +
                               " lies outside its bounds " + ShortestText(parameter.low) + " to " +
                               ShortestText(parameter.high));
    if (standardError < 0)
        Unusable(fileName, "the standard error " + ShortestText(standardError) + " of " +
                               parameter.Name() + " is negative");
    if (standardError > kLargestStandardError)
        Unusable(fileName, "the standard error " + ShortestText(standardError) + " of " +
                               parameter.Name() + " is too large for an ensemble to draw from");
}

void CheckCorrelation(double r, const Parameter& a, const Parameter& b,
                      const std::string& fileName) {
    if (r < -1 || r > 1)
        Unusable(fileName, "the correlation " + ShortestText(r) + " of " + a.Name() + " and " +
                               b.Name() + " lies outside -1 to 1");
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
    } catch (const Json::exception& error) {
        // A syntax error, or a number too large for any double (out of range, not a syntax
        // error to the library).
        Unusable(fileName, "not a calibration report (" + WithoutCode(error) + ")");
    }
    if (!report.is_object() || !report.contains("parameters") || !report["parameters"].is_array())
        Unusable(fileName, "not a calibration report: it has no list of parameters");
    ReportEstimates estimates;
    for (const Json& entry : report["parameters"]) {
        if (!entry.is_object() || !entry.contains("name") || !entry["name"].is_string() ||
            !entry.contains("value") || !entry["value"].is_number() || !entry.contains("low") ||
            !entry["low"].is_number() || !entry.contains("high") || !entry["high"].is_number())
            Unusable(fileName, "every parameter needs a name, a value, a low and a high bound");
        const Parameter parameter = ParameterOf(entry, data, fileName);
        const double value = entry["value"].get<double>();
        const double standardError =
            NumberOr(entry.value("standard_error", Json(nullptr)), std::nan(""));
        CheckEstimate(parameter, value, standardError, fileName);
        estimates.parameters.push_back(parameter);
        estimates.values.push_back(value);
        estimates.standardErrors.push_back(standardError);
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
                if (a != b) {
                    const double r = NumberOr(matrix[a][b], 0);
                    CheckCorrelation(r, estimates.parameters[a], estimates.parameters[b], fileName);
                    estimates.correlation[a][b] = r;
                }
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
