#include "IrrSalPanel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "PanelWidgets.h"
#include "StringGrid.h"
#include "StringToFloat.h"

namespace halosoil {

IrrSalPanel::IrrSalPanel(InputData& data, const InputWorkflow& workflow, Dialogs& dialogs,
                         QWidget* parent)
    : InputPanelFrame(data, workflow, dialogs, "IrrSalPanel", parent) {
    // "irrigtion": the heading as users have always read it.
    IrrSalGrid = MakeStepGrid(this, "IrrSalGrid", "Salinity irrigtion water", 2, 80);
    IrrSalGrid->setFixedWidth(2 * 80 + IrrSalGrid->verticalScrollBar()->sizeHint().width() +
                              2 * IrrSalGrid->frameWidth());
    MakeFootButtons("IrrSalCancelButton", "IrrSalSaveButton");

    auto* content = new QVBoxLayout;
    content->addWidget(IrrSalGrid, 1);
    LayOut(MakeHeading(this, IrrSalGrid->accessibleName(), false), content, true);
}

// Every step needs a value: an empty cell, or the "-" of start-up, stops the Save with the
// conversion error (the rows before it stay stored).
void IrrSalPanel::SaveButtonClick() {
    SizeSeries(data_.IrrSal, data_.NrTst);
    for (int row = 1; row <= data_.NrTst; ++row)
        data_.IrrSal[row] = StringToFloat(IrrSalGrid->Cell(1, row).toStdString());
    SavedMessage("The salinity irrigation water was saved.",
                 "The salinity irrigation water was saved. Continue with the Drainage system.");
    emit Saved();
}

}  // namespace halosoil
