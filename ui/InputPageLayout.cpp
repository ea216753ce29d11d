// The Input page: the file name, the column of group buttons, the place of the eleven input
// panels, the progress bar and the three buttons at the bottom, and the grids' edit handlers.
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "CondPanel.h"
#include "DrainPanel.h"
#include "GenPanel.h"
#include "GridPaste.h"
#include "HydrPanel.h"
#include "IrrSalPanel.h"
#include "PanelWidgets.h"
#include "Salt1Panel.h"
#include "Salt2Panel.h"
#include "Salt3Panel.h"
#include "Soil1Panel.h"
#include "Soil2Panel.h"
#include "Soil3Panel.h"
#include "StringGrid.h"
#include "MainForm.h"

namespace halosoil {

void MainForm::BuildInputPage(QWidget* page) {
    FileLabel = MakeLabel(page, "File :", "FileLabel");
    NameLabel = MakeLabel(page, QString(), "NameLabel");
    NameLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ProgressBar = new QProgressBar(page);
    ProgressBar->setObjectName("ProgressBar");
    ProgressBar->setMaximumWidth(200);
    ProgressBar->setTextVisible(false);
    QSizePolicy keepSpace = ProgressBar->sizePolicy();
    keepSpace.setRetainSizeWhenHidden(true);
    ProgressBar->setSizePolicy(keepSpace);

    InputPanel = new QGroupBox("Enter/change input", page);
    InputPanel->setObjectName("InputPanel");
    GenOpenButton = MakeButton(InputPanel, "GenOpenButton", "General data");
    HydrOpenButton = MakeButton(InputPanel, "HydrOpenButton", "Hydrological data");
    SoilOpenButton = MakeButton(InputPanel, "SoilOpenButton", "Soil properties");
    SaltOpenButton = MakeButton(InputPanel, "SaltOpenButton", "Salinity data");
    IrrSalButton = MakeButton(InputPanel, "IrrSalButton", "Irrigation salinity");
    DrainOpenButton = MakeButton(InputPanel, "DrainOpenButton", "Drainage data");
    CondOpenButton = MakeButton(InputPanel, "CondOpenButton", "Initial and boundary\nconditions");
    auto* column = new QVBoxLayout(InputPanel);
    for (QPushButton* button : {GenOpenButton, HydrOpenButton, SoilOpenButton, SaltOpenButton,
                                IrrSalButton, DrainOpenButton, CondOpenButton}) {
        button->setMinimumHeight(30);
        column->addWidget(button);
    }
    CondOpenButton->setMinimumHeight(44);
    column->addStretch(1);
    InputPanel->setFixedWidth(150);

    // The eleven panels share one place; at most one is visible.
    auto* panelArea = new QWidget(page);
    panelArea->setObjectName("PanelArea");
    auto* stack = new QGridLayout(panelArea);
    stack->setContentsMargins(0, 0, 0, 0);
    genPanel = new GenPanel(*this, panelArea);
    hydrPanel = new HydrPanel(*this, panelArea);
    soilPanel[1] = new Soil1Panel(*this, panelArea);
    soilPanel[2] = new Soil2Panel(*this, panelArea);
    soilPanel[3] = new Soil3Panel(*this, panelArea);
    saltPanel[1] = new Salt1Panel(*this, panelArea);
    saltPanel[2] = new Salt2Panel(*this, panelArea);
    saltPanel[3] = new Salt3Panel(*this, panelArea);
    irrSalPanel = new IrrSalPanel(*this, panelArea);
    drainPanel = new DrainPanel(*this, panelArea);
    condPanel = new CondPanel(*this, panelArea);
    for (QWidget* panel : std::initializer_list<QWidget*>{
             genPanel, hydrPanel, soilPanel[1], soilPanel[2], soilPanel[3], saltPanel[1],
             saltPanel[2], saltPanel[3], irrSalPanel, drainPanel, condPanel})
        stack->addWidget(panel, 0, 0);

    ReStartButton = MakeButton(page, "ReStartButton", "Restart");
    SaveAllButton = MakeButton(page, "SaveAllButton", "Save all - Run");
    OpenInpButton = MakeButton(page, "OpenInpButton", "Open input");
    for (QPushButton* button : {ReStartButton, SaveAllButton, OpenInpButton}) {
        button->setMinimumWidth(100);
        button->setMinimumHeight(28);
    }

    auto* top = new QHBoxLayout;
    top->addWidget(FileLabel);
    top->addWidget(NameLabel, 1);
    top->addWidget(ProgressBar);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(ReStartButton);
    bottom->addWidget(SaveAllButton);
    bottom->addWidget(OpenInpButton);
    auto* middle = new QHBoxLayout;
    middle->addWidget(InputPanel);
    middle->addWidget(panelArea, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);

    const auto clipboard = [this] { return dialogs_.ClipboardText(); };
    const auto sink = [this](const QString& text) { dialogs_.SetClipboardText(text); };
    for (StringGrid* grid :
         {hydrPanel->HydrGrid, SaltGrid(1), SaltGrid(2), SaltGrid(3), irrSalPanel->IrrSalGrid,
          soilPanel[1]->Grid, soilPanel[2]->Grid, soilPanel[3]->Grid}) {
        grid->SetClipboardSource(clipboard);
        grid->SetClipboardSink(sink);
    }

    TimeStepGrids grids;
    grids.hydr = hydrPanel->HydrGrid;
    for (int layers = 1; layers <= 3; ++layers) grids.salt[layers] = SaltGrid(layers);
    grids.irrSal = irrSalPanel->IrrSalGrid;
    grids.nrTstEdit = genPanel->NrTstEdit;
    paste_ = std::make_unique<GridPaste>(data_, window_, dialogs_, grids);
    const auto route = [this](StringGrid* grid,
                              void (GridPaste::*handler)(int, int, const QString&)) {
        connect(grid, &StringGrid::CellEdited, this,
                [this, handler](int col, int row, const QString& text) {
                    Guarded([&] { (paste_.get()->*handler)(col, row, text); });
                });
    };
    route(hydrPanel->HydrGrid, &GridPaste::HydrGridSetEditText);
    route(SaltGrid(1), &GridPaste::SaltGrid1SetEditText);
    route(SaltGrid(2), &GridPaste::SaltGrid2SetEditText);
    route(SaltGrid(3), &GridPaste::SaltGrid3SetEditText);
    route(irrSalPanel->IrrSalGrid, &GridPaste::IrrSalGridSetEditText);
}

}  // namespace halosoil
