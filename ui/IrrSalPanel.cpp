#include "IrrSalPanel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "DrainPanel.h"
#include "PanelWidgets.h"
#include "StringGrid.h"
#include "StringToFloat.h"
#include "MainForm.h"

namespace halosoil {

IrrSalPanel::IrrSalPanel(MainForm& form, QWidget* parent) : QFrame(parent), form_(form) {
    SetUpPanelFrame(this, "IrrSalPanel");
    IrrSalGrid = new StringGrid(2, 12, this);
    IrrSalGrid->setObjectName("IrrSalGrid");
    IrrSalGrid->setAccessibleName("Salinity irrigtion water");
    IrrSalGrid->verticalHeader()->setDefaultSectionSize(24);
    IrrSalGrid->horizontalHeader()->setDefaultSectionSize(80);
    IrrSalGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    IrrSalGrid->setFixedWidth(2 * 80 + IrrSalGrid->verticalScrollBar()->sizeHint().width() +
                              2 * IrrSalGrid->frameWidth());
    IrrSalCancelButton = MakeButton(this, "IrrSalCancelButton", "Cancel");
    IrrSalSaveButton = MakeButton(this, "IrrSalSaveButton", "Save");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(IrrSalCancelButton);
    buttons->addWidget(IrrSalSaveButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeHeading(this, IrrSalGrid->accessibleName(), false));
    layout->addWidget(IrrSalGrid, 1);
    layout->addLayout(buttons);

    connect(IrrSalSaveButton, &QPushButton::clicked, this,
            [this] { form_.Guarded([this] { IrrSalSaveButtonClick(); }); });
    connect(IrrSalCancelButton, &QPushButton::clicked, this,
            [this] { form_.Guarded([this] { IrrSalCancelButtonClick(); }); });
}

// Every step needs a value: an empty cell, or the "-" of start-up, stops the Save with the
// conversion error (the rows before it stay stored).
void IrrSalPanel::IrrSalSaveButtonClick() {
    InputData& data = form_.Data();
    SizeSeries(data.IrrSal, data.NrTst);
    for (int row = 1; row <= data.NrTst; ++row)
        data.IrrSal[row] = StringToFloat(IrrSalGrid->Cell(1, row).toStdString());
    form_.Dlg().Message(
        data.InputComplete
            ? "The salinity irrigation water was saved."
            : "The salinity irrigation water was saved. Continue with the Drainage system.");
    if (data.InputComplete) {
        form_.SaveAllButton->setEnabled(true);
        form_.EnableGroupButtons();
    } else {
        form_.DisableGroupButtons();
        form_.drainPanel->show();
    }
    IrrSalCancelButton->setEnabled(true);
    form_.DrainOpenButton->setEnabled(true);
    hide();
    form_.drainPanel->DrainQuitButton->setEnabled(true);
}

// On the first pass Cancel moves on to the drainage panel as Save does.
void IrrSalPanel::IrrSalCancelButtonClick() {
    hide();
    if (form_.Data().InputComplete) {
        form_.EnableGroupButtons();
    } else {
        form_.DisableGroupButtons();
        form_.drainPanel->show();
    }
    form_.DrainOpenButton->setEnabled(true);
}

}  // namespace halosoil
