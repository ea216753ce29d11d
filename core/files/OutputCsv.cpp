#include "OutputCsv.h"

#include <string_view>

#include "TextFields.h"

namespace halosoil {

namespace {

std::string CsvCell(std::string_view cell) {
    const std::string_view text = TrimmedView(cell);
    // A spreadsheet reads an empty cell as no value; the hyphen would be read as text.
    if (text == "-") return {};
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

void AppendRow(std::string& text, const std::vector<std::string>& cells) {
    for (std::size_t k = 0; k < cells.size(); ++k) {
        if (k > 0) text += ',';
        text += CsvCell(cells[k]);
    }
    text += '\n';
}

}  // namespace

std::vector<std::string> SalinityCsvHeadings(int layers) {
    std::vector<std::string> zones;
    if (layers <= 1) {
        zones = {"Root zone"};
    } else {
        for (int layer = 1; layer <= layers; ++layer)
            zones.push_back("Layer " + std::to_string(layer));
    }
    zones.push_back("Transition zone");
    zones.push_back("Aquifer");
    std::vector<std::string> headings = {"Time step"};
    for (const std::string& zone : zones) {
        headings.push_back(zone + " calculated (dS/m)");
        headings.push_back(zone + " measured (dS/m)");
    }
    return headings;
}

std::vector<std::string> HydrologyCsvHeadings() {
    return {"Time step",
            "Rainfall (mm)",
            "Irrigation (mm)",
            "Potential evaporation (mm)",
            "Percolation (mm)",
            "Capillary rise (mm)",
            "Actual evaporation (mm)",
            "Drainage (mm)",
            "Depth of water table (m)"};
}

std::string CsvText(const TextTable& table, const std::vector<std::string>& headings) {
    std::string text;
    AppendRow(text, headings);
    std::vector<std::string> cells(static_cast<std::size_t>(table.Columns()));
    for (int row = 1; row < table.Rows(); ++row) {
        for (int col = 0; col < table.Columns(); ++col)
            cells[static_cast<std::size_t>(col)] = table.At(col, row);
        AppendRow(text, cells);
    }
    return text;
}

}  // namespace halosoil
