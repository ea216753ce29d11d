#include "CropTolerance.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "Errors.h"
#include "FileContents.h"
#include "ShippedCrops.h"
#include "ShortestText.h"
#include "StringToFloat.h"

namespace halosoil::study {

namespace {

constexpr const char* kHeading = "crop,threshold,slope,class,source";

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

std::vector<std::string> Cells(std::string_view line) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    while (true) {
        const auto comma = line.find(',', start);
        cells.push_back(Trimmed(line.substr(start, comma - start)));
        if (comma == std::string_view::npos) return cells;
        start = comma + 1;
    }
}

[[noreturn]] void RefuseLine(const std::string& fileName, int line, const std::string& what) {
    throw HalosoilError(fileName + ", line " + std::to_string(line) + ": " + what);
}

double NumberOf(const std::string& cell, const char* column, const std::string& fileName,
                int line) {
    double value = 0;
    try {
        value = PointStringToFloat(cell);
    } catch (const ConversionError&) {
        RefuseLine(fileName, line, std::string(column) + " '" + cell + "' is not a number");
    }
    if (!std::isfinite(value) || value < 0)
        RefuseLine(fileName, line,
                   std::string(column) + " " + cell + " is negative; it must be 0 or more");
    return value;
}

// The edits (insertions, deletions, substitutions) that turn a into b.
std::size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] =
                std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0u : 1u)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The names that a slip of the keys or a part of the name would have given: within a third
// of the name's letters (at least two) of it, or holding it.
std::vector<std::string> CloseNames(const CropTable& table, const std::string& name) {
    std::vector<std::pair<std::size_t, std::string>> close;
    const std::size_t allowed = std::max<std::size_t>(2, name.size() / 3);
    for (const Crop& crop : table) {
        const std::string known = Lower(crop.name);
        const std::size_t distance = EditDistance(name, known);
        const bool holds = name.size() >= 3 && known.find(name) != std::string::npos;
        if (distance <= allowed || holds) close.emplace_back(holds ? 0 : distance, crop.name);
    }
    std::stable_sort(close.begin(), close.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> names;
    for (const auto& entry : close) names.push_back(entry.second);
    return names;
}

}  // namespace

CropTable ReadCropTable(std::string_view text, const std::string& fileName) {
    CropTable table;
    int lineNumber = 0;
    bool headingSeen = false;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        const std::string line =
            Trimmed(text.substr(start, end == std::string_view::npos ? end : end - start));
        start = end == std::string_view::npos ? text.size() : end + 1;
        ++lineNumber;
        if (line.empty()) continue;
        if (!headingSeen) {
            if (Lower(line).rfind("crop,threshold,slope", 0) != 0)
                RefuseLine(fileName, lineNumber,
                           "the first line must be the heading " + std::string(kHeading));
            headingSeen = true;
            continue;
        }
        const std::vector<std::string> cells = Cells(line);
        if (cells.size() < 3 || cells.size() > 5)
            RefuseLine(fileName, lineNumber,
                       "a crop's line has 3 to 5 cells (" + std::string(kHeading) + "), not " +
                           std::to_string(cells.size()));
        Crop crop;
        crop.name = cells[0];
        if (crop.name.empty()) RefuseLine(fileName, lineNumber, "the crop has no name");
        crop.threshold = NumberOf(cells[1], "threshold", fileName, lineNumber);
        crop.slope = NumberOf(cells[2], "slope", fileName, lineNumber);
        if (cells.size() > 3) crop.toleranceClass = cells[3];
        if (cells.size() > 4) crop.source = cells[4];
        for (const Crop& other : table)
            if (Lower(other.name) == Lower(crop.name))
                RefuseLine(fileName, lineNumber, "the crop " + crop.name + " is named twice");
        table.push_back(crop);
    }
    if (table.empty()) throw HalosoilError(fileName + ": the file holds no crop");
    return table;
}

CropTable ReadCropFile(const std::string& path) {
    std::string text;
    try {
        text = FileContents(path);
    } catch (const FileError& error) {
        throw FileError(path + ": " + error.what());
    }
    return ReadCropTable(text, path);
}

const CropTable& ShippedCrops() {
    static const CropTable table = ReadCropTable(kShippedCropsCsv, "crops.csv");
    return table;
}

const Crop& CropNamed(const CropTable& table, std::string_view name) {
    const std::string wanted = Lower(Trimmed(name));
    for (const Crop& crop : table)
        if (Lower(crop.name) == wanted) return crop;
    std::string message = "Unknown crop '" + std::string(name) + "'";
    const std::vector<std::string> close = CloseNames(table, wanted);
    if (close.empty()) {
        message += "; halosoil-batch yield --list-crops lists the crops";
    } else {
        message += "; close names: ";
        for (std::size_t k = 0; k < close.size(); ++k) message += (k ? ", " : "") + close[k];
    }
    throw HalosoilError(message);
}

Crop ParseOwnCrop(std::string_view text) {
    Crop crop;
    crop.name = "own crop";
    crop.source = "given by the user";
    bool threshold = false, slope = false;
    const auto refuse = [&](const std::string& what) -> void {
        throw HalosoilError("--crop '" + std::string(text) + "': " + what +
                            "; a crop of its own is threshold=T,slope=B (dS/m, % per dS/m)");
    };
    for (const std::string& part : Cells(text)) {
        const auto equals = part.find('=');
        const std::string key = Lower(Trimmed(part.substr(0, equals)));
        if (equals == std::string::npos || (key != "threshold" && key != "slope"))
            refuse("'" + part + "' is neither threshold=T nor slope=B");
        const std::string number = Trimmed(part.substr(equals + 1));
        double value = 0;
        try {
            value = PointStringToFloat(number);
        } catch (const ConversionError&) {
            refuse(key + " '" + number + "' is not a number");
        }
        if (!std::isfinite(value) || value < 0) refuse(key + " " + number + " is negative");
        if ((key == "threshold" ? threshold : slope)) refuse(key + " is given twice");
        (key == "threshold" ? crop.threshold : crop.slope) = value;
        (key == "threshold" ? threshold : slope) = true;
    }
    if (!threshold || !slope)
        refuse(std::string(threshold ? "slope" : "threshold") + " is missing");
    return crop;
}

Crop ChosenCrop(const CropTable& table, std::string_view text) {
    if (text.find('=') != std::string_view::npos) return ParseOwnCrop(text);
    return CropNamed(table, text);
}

std::string CropListText(const CropTable& table) {
    std::size_t nameWidth = 4, classWidth = 5;
    for (const Crop& crop : table) {
        nameWidth = std::max(nameWidth, crop.name.size());
        classWidth = std::max(classWidth, crop.toleranceClass.size());
    }
    const auto line = [&](const std::string& name, const std::string& threshold,
                          const std::string& slope, const std::string& klass,
                          const std::string& source) {
        char numbers[64];
        std::snprintf(numbers, sizeof numbers, "  %14s  %14s  ", threshold.c_str(), slope.c_str());
        std::string text = name + std::string(nameWidth - name.size(), ' ') + numbers + klass;
        if (!source.empty()) text += std::string(classWidth - klass.size(), ' ') + "  " + source;
        return text.substr(0, text.find_last_not_of(' ') + 1) + "\n";
    };
    std::string text = line("crop", "threshold dS/m", "slope %/(dS/m)", "class", "source");
    for (const Crop& crop : table)
        text += line(crop.name, ShortestText(crop.threshold), ShortestText(crop.slope),
                     crop.toleranceClass, crop.source);
    return text;
}

}  // namespace halosoil::study
