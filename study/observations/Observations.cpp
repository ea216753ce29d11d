#include "Observations.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <fstream>
#include <istream>
#include <sstream>

#include "Errors.h"
#include "ShortestText.h"
#include "StringToFloat.h"
#include "StudyFile.h"

namespace halosoil::study {

namespace {

// A damage of the CSV: "obs.csv, line 4, column 2: <what>"; column 0 names the line only.
[[noreturn]] void Refuse(const std::string& fileName, int line, int column,
                         const std::string& what) {
    std::string where = fileName + ", line " + std::to_string(line);
    if (column > 0) where += ", column " + std::to_string(column);
    throw HalosoilError(where + ": " + what);
}

std::string Trimmed(const std::string& cell) {
    const auto first = cell.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = cell.find_last_not_of(" \t");
    std::string text = cell.substr(first, last - first + 1);
    // A spreadsheet may quote any cell.
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return text;
}

std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    std::string cell;
    std::istringstream in(line);
    while (std::getline(in, cell, ',')) cells.push_back(Trimmed(cell));
    // getline drops an empty last cell ("5,1.2,"), which is a cell all the same.
    if (!line.empty() && line.back() == ',') cells.emplace_back();
    return cells;
}

const char* ZoneWords(int zone) {
    switch (zone) {
        case Layer2:
            return "second root-zone layer";
        case Layer3:
            return "third root-zone layer";
        default:
            return "that zone";
    }
}

struct Header {
    std::vector<Quantity> columns;  // column k + 1 of the file
};

Header ReadHeader(const std::string& line, const InputData& data, const std::string& fileName) {
    const std::vector<std::string> cells = Cells(line);
    if (cells.empty() || cells[0] != "step")
        Refuse(fileName, 1, 1,
               "the first column is 'step', not '" + (cells.empty() ? "" : cells[0]) + "'");
    Header header;
    std::array<bool, kQuantityCount> seen{};
    for (std::size_t k = 1; k < cells.size(); ++k) {
        const int column = static_cast<int>(k) + 1;
        const auto quantity = QuantityNamed(cells[k]);
        if (!quantity)
            Refuse(fileName, 1, column,
                   "'" + cells[k] + "' is not a quantity; the columns are " + QuantityNames());
        if (!ProjectHas(data, *quantity))
            Refuse(fileName, 1, column,
                   cells[k] + ": the project has no " + ZoneWords(InfoOf(*quantity).zone));
        if (seen[static_cast<std::size_t>(*quantity)])
            Refuse(fileName, 1, column, cells[k] + " is a column twice");
        seen[static_cast<std::size_t>(*quantity)] = true;
        header.columns.push_back(*quantity);
    }
    if (header.columns.empty()) Refuse(fileName, 1, 0, "the header names no quantity");
    return header;
}

int StepOf(const std::string& cell, const InputData& data, const std::string& fileName, int line) {
    int step = 0;
    if (!TryStringToInt(cell, step)) Refuse(fileName, line, 1, "'" + cell + "' is not a time step");
    if (step < 1 || step > data.NrTst)
        Refuse(fileName, line, 1,
               "step " + cell + " lies outside the project's steps 1 to " +
                   std::to_string(data.NrTst));
    return step;
}

double ValueOf(const std::string& cell, const std::string& fileName, int line, int column) {
    try {
        return PointStringToFloat(cell);
    } catch (const ConversionError& error) {
        Refuse(fileName, line, column, error.what());
    }
}

}  // namespace

int Observations::Total() const {
    int total = 0;
    for (const auto& observed : byQuantity) total += static_cast<int>(observed.size());
    return total;
}

std::vector<Quantity> Observations::ObservedQuantities() const {
    std::vector<Quantity> quantities;
    for (const QuantityInfo& info : Quantities())
        if (Count(info.quantity) > 0) quantities.push_back(info.quantity);
    return quantities;
}

Observations MeasuredSalinities(const InputData& data) {
    Observations observations;
    for (const QuantityInfo& info : Quantities()) {
        if (info.zone == 0 || !data.ZoneExists(info.zone)) continue;
        const Series& measured = data.MeasSalt[static_cast<std::size_t>(info.zone)];
        for (int i = 1; i <= data.NrTst && i < static_cast<int>(measured.size()); ++i)
            if (measured[static_cast<std::size_t>(i)] > 0)
                observations.Of(info.quantity)
                    .push_back({i, measured[static_cast<std::size_t>(i)]});
    }
    return observations;
}

Observations ReadObservationsCsv(std::istream& in, const InputData& data,
                                 const std::string& fileName) {
    std::string line;
    int lineNumber = 1;
    // A spreadsheet that saves "CSV UTF-8" starts the file with a byte-order mark.
    if (!std::getline(in, line)) throw HalosoilError(fileName + ": the file is empty");
    if (line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const Header header = ReadHeader(line, data, fileName);

    Observations observations;
    for (Quantity quantity : header.columns)
        observations.columns[static_cast<std::size_t>(quantity)] = true;
    std::vector<int> rowOfStep(static_cast<std::size_t>(data.NrTst) + 1, 0);
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        const std::vector<std::string> cells = Cells(line);
        if (cells.size() != header.columns.size() + 1)
            Refuse(fileName, lineNumber, 0,
                   std::to_string(cells.size()) + " cells where the header has " +
                       std::to_string(header.columns.size() + 1));
        const int step = StepOf(cells[0], data, fileName, lineNumber);
        int& firstRow = rowOfStep[static_cast<std::size_t>(step)];
        if (firstRow != 0)
            Refuse(fileName, lineNumber, 1,
                   "step " + std::to_string(step) + " is given twice (also in line " +
                       std::to_string(firstRow) + ")");
        firstRow = lineNumber;
        for (std::size_t k = 1; k < cells.size(); ++k) {
            if (cells[k].empty()) continue;
            const int column = static_cast<int>(k) + 1;
            const double value = ValueOf(cells[k], fileName, lineNumber, column);
            const Quantity quantity = header.columns[k - 1];
            // A salinity is an electrical conductivity: a negative one is a slip, which would
            // pull a calibration towards nothing the model can give.
            if (InfoOf(quantity).zone != 0 && value < 0)
                Refuse(fileName, lineNumber, column,
                       "the salinity " + cells[k] + " dS/m is negative; a salinity is 0 or more");
            observations.Of(quantity).push_back({step, value});
        }
    }
    if (in.bad()) throw FileError(fileName + ": " + FileErrorText(EIO));
    for (auto& observed : observations.byQuantity)
        std::sort(observed.begin(), observed.end(),
                  [](const Observed& a, const Observed& b) { return a.step < b.step; });
    return observations;
}

Observations ReadObservationsFile(const std::string& path, const InputData& data) {
    std::ifstream in = OpenStudyFile(path);
    return ReadObservationsCsv(in, data, path);
}

Observations Combined(const Observations& measured, const Observations& csv) {
    Observations combined = measured;
    for (std::size_t q = 0; q < combined.byQuantity.size(); ++q) {
        if (!csv.columns[q]) continue;
        combined.byQuantity[q] = csv.byQuantity[q];
        combined.columns[q] = true;
    }
    return combined;
}

Observations ObservationsFor(const InputData& data, const std::string& csvPath) {
    const Observations measured = MeasuredSalinities(data);
    if (csvPath.empty()) return measured;
    return Combined(measured, ReadObservationsFile(csvPath, data));
}

std::string ObservationsCsvText(const Observations& observations) {
    std::vector<Quantity> columns = observations.ObservedQuantities();
    int lastStep = 0;
    for (Quantity quantity : columns)
        lastStep = std::max(lastStep, observations.Of(quantity).back().step);
    std::string text = "step";
    for (Quantity quantity : columns) text += std::string(",") + InfoOf(quantity).name;
    text += '\n';
    std::vector<std::size_t> next(columns.size(), 0);
    for (int step = 1; step <= lastStep; ++step) {
        std::string row = std::to_string(step);
        bool any = false;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            row += ',';
            const std::vector<Observed>& observed = observations.Of(columns[c]);
            if (next[c] < observed.size() && observed[next[c]].step == step) {
                row += ShortestText(observed[next[c]++].value);
                any = true;
            }
        }
        if (any) text += row + '\n';
    }
    return text;
}

}  // namespace halosoil::study
