#include "DeltaChange.h"

#include <cmath>
#include <cstdio>

#include "CsvText.h"
#include "Errors.h"
#include "StationFile.h"
#include "StringToFloat.h"

namespace halosoil::weather {

namespace {

// Temperatures change by degrees; a percentage of a temperature in deg C would depend on the
// scale's zero.
bool IsTemperature(Variable v) {
    return v == Variable::Tmax || v == Variable::Tmin || v == Variable::Tmean ||
           v == Variable::Tdew;
}

Variable VariableOf(const std::string& name) {
    const auto variable = VariableNamed(name);
    if (!variable)
        throw HalosoilError("'" + name + "' is not a weather variable; the variables are " +
                            VariableNames());
    return *variable;
}

}  // namespace

Delta ParseChange(Variable variable, const std::string& change) {
    Delta delta;
    delta.variable = variable;
    std::string number = TrimmedCell(change);
    if (!number.empty() && number.back() == '%') {
        delta.percent = true;
        number.pop_back();
    }
    try {
        delta.change = PointStringToFloat(number);
    } catch (const ConversionError&) {
        throw HalosoilError("'" + change + "' is not a change: give a number in the variable's " +
                            "unit (+2) or a percentage (-10%)");
    }
    const std::string name = InfoOf(variable).name;
    if (!std::isfinite(delta.change))
        throw HalosoilError(name + ": '" + TrimmedCell(change) + "' is not a finite change");
    if (delta.percent && IsTemperature(variable))
        throw HalosoilError(name + ": a temperature changes by degrees (" + name +
                            "=+2), not by a percentage");
    if (delta.percent && delta.change < -100.0)
        throw HalosoilError(name + ": a change of " + TrimmedCell(change) +
                            " would make the values negative");
    return delta;
}

Delta ParseDelta(const std::string& text) {
    const auto equals = text.find('=');
    if (equals == std::string::npos)
        throw HalosoilError("'" + text + "' is not a delta of the form VARIABLE=CHANGE (tmax=+2, " +
                            "rain=-10%)");
    return ParseChange(VariableOf(TrimmedCell(text.substr(0, equals))), text.substr(equals + 1));
}

std::vector<Delta> ReadDeltaCsv(std::istream& in, const std::string& fileName) {
    const auto refuse = [&](int line, int column, const std::string& what) {
        RefuseAt(fileName, line, column, what);
    };
    CsvLines lines(in, fileName);
    if (TrimmedCell(lines.Header()) != "month,variable,change")
        refuse(1, 0, "the header is 'month,variable,change', not '" + lines.Header() + "'");
    std::vector<Delta> deltas;
    std::vector<std::string> cells;
    std::string line;
    while (lines.Next(line)) {
        const int lineNumber = lines.Number();
        SplitCells(line, cells);
        if (cells.size() != 3)
            refuse(lineNumber, 0, std::to_string(cells.size()) + " cells where the header has 3");
        int month = 0;
        if (!TryStringToInt(cells[0], month) || month < 1 || month > 12)
            refuse(lineNumber, 1, "'" + cells[0] + "' is not a month 1 to 12");
        Variable variable{};
        try {
            variable = VariableOf(cells[1]);
        } catch (const HalosoilError& error) {
            refuse(lineNumber, 2, error.what());
        }
        try {
            Delta delta = ParseChange(variable, cells[2]);
            delta.month = month;
            deltas.push_back(delta);
        } catch (const HalosoilError& error) {
            refuse(lineNumber, 3, error.what());
        }
    }
    return deltas;
}

std::vector<Delta> ReadDeltaFile(const std::string& path) {
    std::ifstream in = OpenWeatherFile(path);
    return ReadDeltaCsv(in, path);
}

void ApplyDeltas(StationRecord& record, const std::vector<Delta>& deltas) {
    if (deltas.empty()) return;
    for (Day& day : record.days) {
        const int month = MonthOf(day.date);
        for (const Delta& delta : deltas) {
            if (delta.month != 0 && delta.month != month) continue;
            double& value = day[delta.variable];
            if (!Has(value)) continue;
            if (delta.percent)
                value = value * (1.0 + delta.change / 100.0);
            else
                value = value + delta.change;
        }
        try {
            CheckDay(record, day);
        } catch (const HalosoilError& error) {
            throw HalosoilError(std::string(error.what()) + " (after the delta change)");
        }
    }
}

std::string DeltaText(const std::vector<Delta>& deltas) {
    std::string text;
    for (const Delta& delta : deltas) {
        if (!text.empty()) text += "; ";
        char number[32];
        std::snprintf(number, sizeof number, "%+g", delta.change);
        text += std::string(InfoOf(delta.variable).name) + " " + number + " " +
                (delta.percent ? "%" : InfoOf(delta.variable).unit);
        if (delta.month != 0) text += " in month " + std::to_string(delta.month);
    }
    return text;
}

}  // namespace halosoil::weather
