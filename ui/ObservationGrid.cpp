#include "ObservationGrid.h"

#include <QHeaderView>
#include <map>
#include <sstream>

#include "GridPaste.h"
#include "ShortestText.h"

namespace halosoil {

namespace {

// Room under the last observation for a few more typed by hand.
constexpr int kSpareRows = 5;

}  // namespace

ObservationGrid::ObservationGrid(QWidget* parent) : StringGrid(1, kSpareRows, parent, false) {
    horizontalHeader()->show();
    verticalHeader()->show();
    horizontalHeader()->setDefaultSectionSize(110);
}

void ObservationGrid::SetUp(const InputData& data, const study::Observations& observations) {
    quantities_ = study::QuantitiesOf(data);
    SetColCount(static_cast<int>(quantities_.size()) + 1);
    QStringList headings{"step"};
    for (study::Quantity quantity : quantities_) headings << study::InfoOf(quantity).name;
    setHorizontalHeaderLabels(headings);
    Show(observations);
}

void ObservationGrid::Show(const study::Observations& observations) {
    std::map<int, std::map<int, double>> rows;  // step -> column -> value
    for (std::size_t c = 0; c < quantities_.size(); ++c)
        for (const study::Observed& observed : observations.Of(quantities_[c]))
            rows[observed.step][static_cast<int>(c) + 1] = observed.value;
    const int needed = static_cast<int>(rows.size()) + kSpareRows;
    SetRowCount(needed);
    for (int row = 0; row < needed; ++row)
        for (int col = 0; col < ColCount(); ++col) SetCell(col, row, {});
    NumberLines();
    int row = 0;
    for (const auto& [step, values] : rows) {
        SetCell(0, row, QString::number(step));
        for (const auto& [col, value] : values)
            SetCell(col, row, QString::fromStdString(study::ShortestText(value)));
        ++row;
    }
}

std::string ObservationGrid::CsvText() const {
    std::string text = "step";
    for (study::Quantity quantity : quantities_)
        text += std::string(",") + study::InfoOf(quantity).name;
    text += '\n';
    for (int row = 0; row < RowCount(); ++row) {
        std::string line;
        bool empty = true;
        for (int col = 0; col < ColCount(); ++col) {
            const std::string cell = Cell(col, row).trimmed().toStdString();
            if (!cell.empty()) empty = false;
            if (col > 0) line += ',';
            line += cell;
        }
        text += (empty ? std::string() : line) + '\n';
    }
    return text;
}

study::Observations ObservationGrid::Read(const InputData& data) const {
    std::istringstream in(CsvText());
    return study::ReadObservationsCsv(in, data, kGridSourceName);
}

void ObservationGrid::Spread(int col, int row, const QString& text) {
    const int lines = SpreadPastedText(*this, col, row, text);
    // The cells beyond the last row were kept aside; the grid grows over them.
    if (row + lines + kSpareRows > RowCount()) SetRowCount(row + lines + kSpareRows);
    NumberLines();
}

// The rows are numbered as the lines of the file they stand for, the header being line 1, so
// that a message's line is the row's number.
void ObservationGrid::NumberLines() {
    QStringList numbers;
    for (int row = 0; row < RowCount(); ++row) numbers << QString::number(row + 2);
    setVerticalHeaderLabels(numbers);
}

}  // namespace halosoil
