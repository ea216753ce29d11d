#include "HydrPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "GridPaste.h"
#include "IrrSalPanel.h"
#include "PanelWidgets.h"
#include "SoilPanel.h"
#include "StringGrid.h"
#include "StringToFloat.h"
#include "MainForm.h"

namespace halosoil {

HydrPanel::HydrPanel(MainForm& form, QWidget* parent) : QFrame(parent), form_(form) {
    SetUpPanelFrame(this, "HydrPanel");
    HydrGrid = new StringGrid(4, 12, this);
    HydrGrid->setObjectName("HydrGrid");
    HydrGrid->setAccessibleName("Hydrological data (mm per time step)");
    HydrGrid->verticalHeader()->setDefaultSectionSize(24);
    HydrGrid->horizontalHeader()->setDefaultSectionSize(90);
    HydrGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    HydrQuitButton = MakeButton(this, "HydrQuitButton", "Cancel");
    HydrSaveButton = MakeButton(this, "HydrSaveButton", "Save");

    // The column labels stand above the grid's data columns.
    auto* columnLabels = new QHBoxLayout;
    columnLabels->setSpacing(0);
    columnLabels->addSpacing(90);
    for (const char* text : {"Rainfall", "Irrigation", "Evaporation"}) {
        QLabel* label = MakeLabel(this, text);
        label->setFixedWidth(90);
        label->setAlignment(Qt::AlignCenter);
        columnLabels->addWidget(label);
    }
    columnLabels->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(MakeLabel(this, "Data can be pasted here", "HydrNoteLabel"));
    buttons->addStretch(1);
    buttons->addWidget(HydrQuitButton);
    buttons->addWidget(HydrSaveButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeHeading(this, HydrGrid->accessibleName(), true));
    layout->addLayout(columnLabels);
    layout->addWidget(HydrGrid, 1);
    layout->addLayout(buttons);
    HydrGrid->setMinimumWidth(4 * 90 + 24);

    connect(HydrSaveButton, &QPushButton::clicked, this,
            [this] { form_.Guarded([this] { HydrSaveButtonClick(); }); });
    connect(HydrQuitButton, &QPushButton::clicked, this,
            [this] { form_.Guarded([this] { HydrQuitButtonClick(); }); });
}

void HydrPanel::HydrSaveButtonClick() {
    InputData& data = form_.Data();
    SizeSeries(data.Rain, data.HydrRows);
    SizeSeries(data.Irrig, data.HydrRows);
    SizeSeries(data.Evap, data.HydrRows);
    for (int row = 1; row <= data.HydrRows; ++row) {
        for (int col = 1; col <= 3; ++col) {
            if (HydrGrid->Cell(col, row).isEmpty()) {
                form_.Dlg().Message("There are empty cells, please correct.");
                return;
            }
        }
        data.Rain[row] = StringToFloat(HydrGrid->Cell(1, row).toStdString());
        data.Irrig[row] = StringToFloat(HydrGrid->Cell(2, row).toStdString());
        data.Evap[row] = StringToFloat(HydrGrid->Cell(3, row).toStdString());
    }
    form_.Dlg().Message(
        data.InputComplete
            ? "The hydrological data were saved."
            : "The hydrological data were saved. Continue with the Soil properties.");
    if (data.InputComplete) form_.SaveAllButton->setEnabled(true);
    form_.SettleGroupButtons();
    HydrQuitButton->setEnabled(true);
    form_.SoilOpenButton->setEnabled(true);
    form_.HidePanels();

    const int rows = std::max(data.HydrRows, 0) + 1;
    StringGrid* followers[] = {form_.SaltGrid(1), form_.SaltGrid(2), form_.SaltGrid(3),
                               form_.irrSalPanel->IrrSalGrid};
    HydrGrid->SetRowCount(rows);
    for (StringGrid* grid : followers) {
        grid->SetRowCount(rows);
        NumberRows(*grid, data.HydrRows);
    }
    form_.CurrentSoilPanel()->show();
}

void HydrPanel::HydrQuitButtonClick() {
    hide();
    form_.SettleGroupButtons();
    form_.HydrOpenButton->setEnabled(true);
}

}  // namespace halosoil
