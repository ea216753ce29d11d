#include "OutputTables.h"

#include <cstddef>

#include "NumberFormat.h"

namespace halosoil {

namespace {

// One calculated / measured pair of salinity columns with their widths (2 decimals).
struct SalinityPair {
    const Series RunState::*calculated;
    int zone;  // the zone of the measured series
    int calculatedWidth;
    int measuredWidth;
};

const std::vector<SalinityPair> kSalinityPairs[4] = {
    {},
    {{&RunState::SalRoot1, Layer1, 13, 13},
     {&RunState::SalTrans, Trans, 9, 9},
     {&RunState::SalAquif, Aquif, 9, 9}},
    {{&RunState::SalRoot1, Layer1, 13, 13},
     {&RunState::SalRoot2, Layer2, 13, 11},
     {&RunState::SalTrans, Trans, 9, 9},
     {&RunState::SalAquif, Aquif, 9, 9}},
    {{&RunState::SalRoot1, Layer1, 13, 13},
     {&RunState::SalRoot2, Layer2, 13, 11},
     {&RunState::SalRoot3, Layer3, 13, 9},
     {&RunState::SalTrans, Trans, 9, 9},
     {&RunState::SalAquif, Aquif, 9, 9}},
};

bool Has(const Series& series, int step) {
    return step >= 0 && static_cast<std::size_t>(step) < series.size();
}

std::string FixedCell(const Series& series, int step, int width) {
    return Has(series, step) ? Fixed(series[step], width, 2) : std::string();
}

// -1 marks a missing measurement; a stored 0 is no measurement either.
std::string MeasuredCell(const Series& series, int step, int width) {
    if (!Has(series, step)) return {};
    const double value = series[step];
    return value == kMissing || value == 0 ? kMissingCell : Fixed(value, width, 2);
}

std::string GeneralCell(const Series& series, int step) {
    return Has(series, step) ? GeneralText(series[step]) : std::string();
}

void NumberSteps(TextTable& table) {
    for (int row = 1; row < table.Rows(); ++row) table.At(0, row) = std::to_string(row);
}

int RowsFor(const InputData& data) {
    return (data.NrTst < 0 ? 0 : data.NrTst) + 1;
}

}  // namespace

TextTable::TextTable(int columns, int rows)
    : columns_(columns),
      rows_(rows),
      cells_(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows)) {}

TextTable SalinityTable(const InputData& data, const RunState& state) {
    const auto& pairs = kSalinityPairs[LayerCount(data)];
    TextTable table(1 + 2 * static_cast<int>(pairs.size()), RowsFor(data));
    table.At(0, 0) = "Time step";
    for (int col = 1; col < table.Columns(); ++col) table.At(col, 0) = kSalinityUnit;
    NumberSteps(table);
    for (int row = 1; row < table.Rows(); ++row) {
        int col = 1;
        for (const SalinityPair& pair : pairs) {
            table.At(col++, row) = FixedCell(state.*pair.calculated, row, pair.calculatedWidth);
            table.At(col++, row) = MeasuredCell(data.MeasSalt[pair.zone], row, pair.measuredWidth);
        }
    }
    return table;
}

TextTable HydrologyTable(const InputData& data, const RunState& state) {
    const Series* columns[] = {&data.Rain,     &data.Irrig,    &data.Evap,   &state.Percol,
                               &state.CapRise, &state.ActEvap, &state.Drain, &state.DepthWT};
    TextTable table(9, RowsFor(data));
    table.At(0, 0) = "Time step";
    for (int col = 1; col <= 7; ++col) table.At(col, 0) = "mm";
    table.At(8, 0) = " m";
    NumberSteps(table);
    for (int row = 1; row < table.Rows(); ++row)
        for (int col = 1; col <= 8; ++col) table.At(col, row) = GeneralCell(*columns[col - 1], row);
    return table;
}

std::string ClipboardText(const TextTable& table) {
    std::string text;
    for (int row = 0; row < table.Rows(); ++row) {
        if (row > 0) text += '\r';
        for (int col = 0; col < table.Columns(); ++col) {
            if (col > 0) text += '\t';
            text += table.At(col, row);
        }
    }
    return text;
}

}  // namespace halosoil
