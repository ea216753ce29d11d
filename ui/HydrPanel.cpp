#include "HydrPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "PanelWidgets.h"
#include "StringGrid.h"
#include "StringToFloat.h"

namespace halosoil {

HydrPanel::HydrPanel(InputData& data, const InputWorkflow& workflow, Dialogs& dialogs,
                     QWidget* parent)
    : InputPanelFrame(data, workflow, dialogs, "HydrPanel", parent) {
    HydrGrid = MakeStepGrid(this, "HydrGrid", "Hydrological data (mm per time step)", 4, 90);
    MakeFootButtons("HydrQuitButton", "HydrSaveButton");

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

    auto* content = new QVBoxLayout;
    content->addLayout(columnLabels);
    content->addWidget(HydrGrid, 1);
    LayOut(MakeHeading(this, HydrGrid->accessibleName(), true), content, true,
           MakeLabel(this, "Data can be pasted here", "HydrNoteLabel"));
    HydrGrid->setMinimumWidth(4 * 90 + 24);
}

void HydrPanel::SaveButtonClick() {
    SizeSeries(data_.Rain, data_.HydrRows);
    SizeSeries(data_.Irrig, data_.HydrRows);
    SizeSeries(data_.Evap, data_.HydrRows);
    for (int row = 1; row <= data_.HydrRows; ++row) {
        for (int col = 1; col <= 3; ++col) {
            if (HydrGrid->Cell(col, row).isEmpty()) {
                dialogs_.Message("There are empty cells, please correct.");
                return;
            }
        }
        data_.Rain[row] = StringToFloat(HydrGrid->Cell(1, row).toStdString());
        data_.Irrig[row] = StringToFloat(HydrGrid->Cell(2, row).toStdString());
        data_.Evap[row] = StringToFloat(HydrGrid->Cell(3, row).toStdString());
    }
    SavedMessage("The hydrological data were saved.",
                 "The hydrological data were saved. Continue with the Soil properties.");
    emit Saved();
}

}  // namespace halosoil
