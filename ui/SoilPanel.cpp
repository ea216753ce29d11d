#include "SoilPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "InputChecks.h"
#include "InputData.h"
#include "PanelWidgets.h"
#include "StringGrid.h"
#include "StringToFloat.h"

namespace halosoil {

namespace {

constexpr int kSoilColumnWidth = 92;
constexpr int kRowHeight = 24;

ZoneValues InputData::*const kSoilFields[5] = {&InputData::Thick, &InputData::TotPor,
                                               &InputData::EffPor, &InputData::LeachEff,
                                               &InputData::InitSalt};

using EmptyCell = SoilPanel::EmptyCell;

// What the Save of each layer count asks of the grid and says.
struct SoilSave {
    // How an empty cell is taken.
    EmptyCell (*emptyCell)(int col, int row);
    // Empty cells are stored as missing, and zones without thickness or porosities are
    // reported instead of empty cells.
    bool reportsIncompleteZones;
    const char* completeMessage;
    const char* firstPassMessage;
};

// index: layer count 1..3. With one layer every cell must be filled; with two the leaching
// efficiency of the second layer may stay empty and is stored as -1; with three every empty
// cell is stored as -1.
const SoilSave kSoilSaves[4] = {
    {},
    {[](int, int) { return EmptyCell::Invalid; }, false, "The data on Soil properties were saved.",
     "The soil data were saved. Continue with the Salinity data .."},
    {[](int col, int row) {
         return col == 3 && row == 1 ? EmptyCell::Missing : EmptyCell::Invalid;
     },
     false, "The soil data were saved.",
     "The soil data were saved. Continue with the Salinity data .."},
    {[](int, int) { return EmptyCell::Missing; }, true, "The soil data were saved.",
     "The soil data were saved. Continue with the soil salinity data."},
};

QStringList RowLabels(int layers) {
    switch (layers) {
        case 2:
            return {"1st layer", "2nd layer", "Transition zone", "Aquifer"};
        case 3:
            return {"1st layer", "2nd layer", "3rd layer", "Transition zone", "Aquifer"};
        default:
            return {"Root zone", "Transition zone", "Aquifer"};
    }
}

}  // namespace

SoilPanel::SoilPanel(InputData& data, const InputWorkflow& workflow, Dialogs& dialogs, int layers,
                     QWidget* parent)
    : InputPanelFrame(data, workflow, dialogs, QString("Soil%1Panel").arg(layers), parent),
      layers_(layers) {
    const QString prefix = QString("Soil%1").arg(layers);
    Grid = new StringGrid(5, layers + 2, this, false);
    Grid->setObjectName(prefix + "Grid");
    Grid->setAccessibleName(QString("Soil properties, root zone of %1 layer%2")
                                .arg(layers)
                                .arg(layers == 1 ? "" : "s"));
    Grid->horizontalHeader()->setDefaultSectionSize(kSoilColumnWidth);
    Grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    Grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Grid->setFixedSize(5 * kSoilColumnWidth + 2 * Grid->frameWidth(),
                       (layers + 2) * kRowHeight + 2 * Grid->frameWidth());
    MakeFootButtons(prefix + "QuitButton", prefix + "SaveButton", true);

    auto* table = new QGridLayout;
    table->setHorizontalSpacing(4);
    table->setVerticalSpacing(0);
    auto* headings = new QHBoxLayout;
    headings->setSpacing(0);
    for (const char* text :
         {"Thickness (m)", "Total porosity (%)", "Effective (drainable) porosity (%)",
          "Leaching efficiency (%)", "Initial salinity (dS/m)"}) {
        QLabel* label = MakeLabel(this, text);
        label->setWordWrap(true);
        label->setFixedWidth(kSoilColumnWidth);
        label->setAlignment(Qt::AlignCenter | Qt::AlignBottom);
        headings->addWidget(label);
    }
    table->addLayout(headings, 0, 1);
    // Row labels: the root-zone layers are indented under "Root zone"; the transition zone
    // and the aquifer stand at the left.
    auto* rowLabels = new QGridLayout;
    rowLabels->setSpacing(0);
    rowLabels->setHorizontalSpacing(8);
    rowLabels->setContentsMargins(0, Grid->frameWidth(), 0, 0);
    const QStringList texts = RowLabels(layers);
    for (int row = 0; row < texts.size(); ++row) {
        QLabel* label = MakeLabel(this, texts[row]);
        label->setFixedHeight(kRowHeight);
        const bool layerRow = layers > 1 && row < layers;
        rowLabels->addWidget(label, row, layerRow ? 1 : 0, 1, layerRow ? 1 : 2);
    }
    if (layers > 1) {
        // Above its layers, at the foot of the column headings.
        QLabel* root = MakeLabel(this, "Root zone");
        root->setFixedHeight(kRowHeight);
        table->addWidget(root, 0, 0, Qt::AlignLeft | Qt::AlignBottom);
    }
    rowLabels->setRowStretch(static_cast<int>(texts.size()), 1);
    table->addLayout(rowLabels, 1, 0);
    table->addWidget(Grid, 1, 1, Qt::AlignLeft | Qt::AlignTop);
    table->setColumnStretch(2, 1);

    LayOut(MakeHeading(this, "Soil properties", true), table, false);
}

int SoilPanel::ZoneOfRow(int row) const {
    if (row < layers_) return row + 1;
    return row == layers_ ? Trans : Aquif;
}

bool SoilPanel::ReadGrid(EmptyCell (*emptyRule)(int col, int row)) {
    bool valid = true;
    for (int col = 0; col < 5; ++col) {
        for (int row = 0; row < layers_ + 2; ++row) {
            double& value = (data_.*kSoilFields[col])[ZoneOfRow(row)];
            const QString text = Grid->Cell(col, row);
            if (!text.isEmpty())
                value = StringToFloat(text.toStdString());
            else if (emptyRule(col, row) == EmptyCell::Missing)
                value = kMissing;
            else
                valid = false;
        }
    }
    return valid;
}

void SoilPanel::SaveButtonClick() {
    const SoilSave& save = kSoilSaves[layers_];
    const bool valid = ReadGrid(save.emptyCell);
    if (save.reportsIncompleteZones) {
        if (const char* message = IncompleteSoilZoneMessage(data_)) {
            dialogs_.Message(message);
            emit SoilReportedIncomplete();
            return;
        }
    } else if (!valid) {
        dialogs_.Message("There are invalid values. Please adjust.");
        return;
    }
    SavedMessage(save.completeMessage, save.firstPassMessage);
    emit Saved();
}

}  // namespace halosoil
