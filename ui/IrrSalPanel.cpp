#include "IrrSalPanel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "ActionGuard.h"
#include "PanelWidgets.h"
#include "StringGrid.h"
#include "StringToFloat.h"

namespace halosoil {

IrrSalPanel::IrrSalPanel(InputData& data, const InputWorkflow& workflow, Dialogs& dialogs,
                         QWidget* parent)
    : InputPanelFrame(data, workflow, dialogs, "IrrSalPanel", parent) {
    IrrSalGrid = new StringGrid(2, 12, this);
    IrrSalGrid->setObjectName("IrrSalGrid");
    // "irrigtion": the heading as users have always read it.
    IrrSalGrid->setAccessibleName("Salinity irrigtion water");
    IrrSalGrid->verticalHeader()->setDefaultSectionSize(24);
    IrrSalGrid->horizontalHeader()->setDefaultSectionSize(80);
    IrrSalGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    IrrSalGrid->setFixedWidth(2 * 80 + IrrSalGrid->verticalScrollBar()->sizeHint().width() +
                              2 * IrrSalGrid->frameWidth());
    IrrSalCancelButton = MakeButton(this, "IrrSalCancelButton", "Cancel");
    IrrSalSaveButton = MakeButton(this, "IrrSalSaveButton", "Save");

    auto* content = new QVBoxLayout;
    content->addWidget(IrrSalGrid, 1);
    LayOut(MakeHeading(this, IrrSalGrid->accessibleName(), false), content, true,
           IrrSalCancelButton, IrrSalSaveButton);

    ConnectGuarded<IrrSalPanel>(this, dialogs_,
                                {{IrrSalSaveButton, &IrrSalPanel::IrrSalSaveButtonClick},
                                 {IrrSalCancelButton, &IrrSalPanel::IrrSalCancelButtonClick}});
}

// Every step needs a value: an empty cell, or the "-" of start-up, stops the Save with the
// conversion error (the rows before it stay stored).
void IrrSalPanel::IrrSalSaveButtonClick() {
    SizeSeries(data_.IrrSal, data_.NrTst);
    for (int row = 1; row <= data_.NrTst; ++row)
        data_.IrrSal[row] = StringToFloat(IrrSalGrid->Cell(1, row).toStdString());
    SavedMessage("The salinity irrigation water was saved.",
                 "The salinity irrigation water was saved. Continue with the Drainage system.");
    emit Saved();
}

void IrrSalPanel::IrrSalCancelButtonClick() {
    emit Cancelled();
}

}  // namespace halosoil
