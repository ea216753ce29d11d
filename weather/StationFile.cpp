#include "StationFile.h"

#include "CsvText.h"
#include "Errors.h"
#include "StringToFloat.h"

namespace halosoil::weather {

namespace {

bool IsMissing(const std::string& cell) {
    return cell.empty() || cell == "NA" || cell == "NaN" || cell == "nan";
}

// The column of each cell: a variable, the date (-1) or ignored (-2).
constexpr int kDateColumn = -1;
constexpr int kIgnoredColumn = -2;

std::vector<int> ReadHeader(const std::string& line, StationRecord& record) {
    std::vector<std::string> cells;
    SplitCells(line, cells);
    std::vector<int> uses;
    int dateColumn = 0;
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const int column = static_cast<int>(k) + 1;
        const std::string& name = cells[k];
        if (name == "date") {
            if (dateColumn != 0) RefuseAt(record.fileName, 1, column, "date is a column twice");
            dateColumn = column;
            uses.push_back(kDateColumn);
            continue;
        }
        const auto variable = VariableNamed(name);
        if (!variable) {
            record.warnings.push_back(record.fileName + ": column " + std::to_string(column) +
                                      " '" + name + "' is not a weather variable and is ignored");
            uses.push_back(kIgnoredColumn);
            continue;
        }
        int& known = record.columns[static_cast<std::size_t>(*variable)];
        if (known != 0) RefuseAt(record.fileName, 1, column, name + " is a column twice");
        known = column;
        uses.push_back(static_cast<int>(*variable));
    }
    const auto missing = [&](const char* name) {
        RefuseAt(record.fileName, 1, 0,
                 std::string("the file has no column '") + name + "'; the columns are date, " +
                     VariableNames());
    };
    if (dateColumn == 0) missing("date");
    if (!record.HasColumn(Variable::Rain)) missing("rain");
    if (!record.HasColumn(Variable::Et0)) {
        if (!record.HasColumn(Variable::Tmax)) missing("tmax");
        if (!record.HasColumn(Variable::Tmin)) missing("tmin");
    }
    return uses;
}

}  // namespace

void CheckDay(const StationRecord& record, const Day& day) {
    const auto refuse = [&](Variable variable, const std::string& what) {
        throw HalosoilError(PlaceOf(record, day, variable) + ": " + what);
    };
    const auto value = [&](Variable variable) { return day[variable]; };
    for (Variable t : {Variable::Tmax, Variable::Tmin, Variable::Tmean, Variable::Tdew}) {
        const double v = value(t);
        if (Has(v) && (v < -90.0 || v > 60.0))
            refuse(t, std::string(InfoOf(t).name) + " " + NumberText(v) +
                          " deg C lies outside -90 to 60 deg C, the temperatures of weather");
    }
    const double tmax = value(Variable::Tmax), tmin = value(Variable::Tmin);
    if (Has(tmax) && Has(tmin) && tmin > tmax)
        refuse(Variable::Tmin, "tmin " + NumberText(tmin) + " is above tmax " + NumberText(tmax) +
                                   " of the same day");
    const double tmean = value(Variable::Tmean);
    if (Has(tmean) && ((Has(tmax) && tmean > tmax) || (Has(tmin) && tmean < tmin)))
        refuse(Variable::Tmean, "tmean " + NumberText(tmean) + " lies outside tmin to tmax");
    const double tdew = value(Variable::Tdew);
    if (Has(tdew) && Has(tmax) && tdew > tmax)
        refuse(Variable::Tdew, "tdew " + NumberText(tdew) + " is above tmax " + NumberText(tmax) +
                                   ": the dew point is never above the air's temperature");
    for (Variable rh : {Variable::RhMax, Variable::RhMin, Variable::RhMean}) {
        const double v = value(rh);
        if (Has(v) && (v < 0.0 || v > 100.0))
            refuse(rh, std::string(InfoOf(rh).name) + " " + NumberText(v) +
                           " % lies outside 0 to 100 %");
    }
    const double rhMax = value(Variable::RhMax), rhMin = value(Variable::RhMin);
    if (Has(rhMax) && Has(rhMin) && rhMin > rhMax)
        refuse(Variable::RhMin, "rh_min " + NumberText(rhMin) + " is above rh_max " +
                                    NumberText(rhMax) + " of the same day");
    for (Variable v : {Variable::Ea, Variable::Wind, Variable::Sunshine, Variable::Radiation,
                       Variable::Rain, Variable::Et0}) {
        if (Has(value(v)) && value(v) < 0.0)
            refuse(v, std::string(InfoOf(v).name) + " " + NumberText(value(v)) + " " +
                          InfoOf(v).unit + " is negative");
    }
    if (Has(value(Variable::Sunshine)) && value(Variable::Sunshine) > 24.0)
        refuse(Variable::Sunshine,
               "sunshine " + NumberText(value(Variable::Sunshine)) + " h is more than a day");
}

void CheckRecord(const StationRecord& record) {
    if (record.days.empty()) throw HalosoilError(record.fileName + ": the record holds no day");
    for (std::size_t k = 0; k < record.days.size(); ++k) {
        const Day& day = record.days[k];
        if (k > 0 && day.date <= record.days[k - 1].date)
            throw HalosoilError(record.fileName + ": " + IsoText(day.date) + " is not after " +
                                IsoText(record.days[k - 1].date));
        CheckDay(record, day);
    }
}

StationRecord ReadStationCsv(std::istream& in, const std::string& fileName) {
    StationRecord record;
    record.fileName = fileName;
    CsvLines lines(in, fileName);
    const std::vector<int> uses = ReadHeader(lines.Header(), record);

    std::vector<std::string> cells;
    std::string line;
    while (lines.Next(line)) {
        const int lineNumber = lines.Number();
        SplitCells(line, cells);
        if (cells.size() != uses.size())
            RefuseAt(fileName, lineNumber, 0,
                     std::to_string(cells.size()) + " cells where the header has " +
                         std::to_string(uses.size()));
        Day day;
        day.line = lineNumber;
        for (std::size_t k = 0; k < cells.size(); ++k) {
            const int column = static_cast<int>(k) + 1;
            if (uses[k] == kIgnoredColumn) continue;
            if (uses[k] == kDateColumn) {
                const auto date = ParseIsoDate(cells[k]);
                if (!date)
                    RefuseAt(fileName, lineNumber, column,
                             "'" + cells[k] + "' is not a date of the form YYYY-MM-DD");
                day.date = *date;
                continue;
            }
            if (IsMissing(cells[k])) continue;
            try {
                day.values[static_cast<std::size_t>(uses[k])] = PointStringToFloat(cells[k]);
            } catch (const ConversionError& error) {
                RefuseAt(fileName, lineNumber, column, error.what());
            }
            if (!std::isfinite(day.values[static_cast<std::size_t>(uses[k])]))
                RefuseAt(fileName, lineNumber, column, "'" + cells[k] + "' is not a finite number");
        }
        if (!record.days.empty() && day.date <= record.days.back().date) {
            const Day& before = record.days.back();
            RefuseAt(fileName, lineNumber, 0,
                     IsoText(day.date) + " is not after " + IsoText(before.date) + " of line " +
                         std::to_string(before.line));
        }
        CheckDay(record, day);
        record.days.push_back(day);
    }
    if (record.days.empty()) throw HalosoilError(fileName + ": the file holds no day");
    return record;
}

StationRecord ReadStationFile(const std::string& path) {
    std::ifstream in = OpenWeatherFile(path);
    return ReadStationCsv(in, path);
}

}  // namespace halosoil::weather
