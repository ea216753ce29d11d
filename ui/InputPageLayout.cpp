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
#include "MainForm.h"
#include "PanelWidgets.h"
#include "SaltPanel.h"
#include "SoilPanel.h"
#include "StringGrid.h"

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
    ProgressBar->hide();

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
    BuildInputPanels(panelArea);
    const InputPanels& p = panels_;
    workflowButtons_ = {GenOpenButton,
                        HydrOpenButton,
                        SoilOpenButton,
                        SaltOpenButton,
                        IrrSalButton,
                        DrainOpenButton,
                        CondOpenButton,
                        nullptr,  // "Save all - Run", made below
                        p.general->GenQuitButton,
                        p.hydrology->HydrQuitButton,
                        p.soil[1]->QuitButton,
                        p.soil[2]->QuitButton,
                        p.soil[3]->QuitButton,
                        p.salt[1]->QuitButton,
                        p.salt[2]->QuitButton,
                        p.salt[3]->QuitButton,
                        p.irrigationSalinity->IrrSalCancelButton,
                        p.drainage->DrainQuitButton,
                        p.conditions->CondQuitButton};
    for (const auto& [name, panel] : panels_.All()) stack->addWidget(panel, 0, 0);

    ReStartButton = MakeButton(page, "ReStartButton", "Restart");
    SaveAllButton = MakeButton(page, "SaveAllButton", "Save all - Run");
    workflowButtons_[static_cast<int>(WorkflowButton::SaveAll)] = SaveAllButton;
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

    ConnectPanels();
    ConnectGridEditing();
}

void MainForm::BuildInputPanels(QWidget* panelArea) {
    panels_.general = new GenPanel(data_, workflow_, dialogs_, panelArea);
    panels_.hydrology = new HydrPanel(data_, workflow_, dialogs_, panelArea);
    for (int layers = 1; layers <= 3; ++layers) {
        panels_.soil[layers] = new SoilPanel(data_, workflow_, dialogs_, layers, panelArea);
        panels_.salt[layers] = new SaltPanel(data_, workflow_, dialogs_, layers, panelArea);
    }
    panels_.irrigationSalinity = new IrrSalPanel(data_, workflow_, dialogs_, panelArea);
    panels_.drainage = new DrainPanel(data_, workflow_, dialogs_, panelArea);
    panels_.conditions = new CondPanel(data_, workflow_, dialogs_, panelArea);
}

// The clipboard of every grid, and the edit handlers of the five time-step grids.
void MainForm::ConnectGridEditing() {
    const auto clipboard = [this] { return dialogs_.ClipboardText(); };
    const auto sink = [this](const QString& text) { dialogs_.SetClipboardText(text); };
    for (StringGrid* grid :
         {panels_.HydrGrid(), panels_.SaltGrid(1), panels_.SaltGrid(2), panels_.SaltGrid(3),
          panels_.IrrSalGrid(), panels_.SoilGrid(1), panels_.SoilGrid(2), panels_.SoilGrid(3)}) {
        grid->SetClipboardSource(clipboard);
        grid->SetClipboardSink(sink);
    }

    TimeStepGrids grids;
    grids.hydr = panels_.HydrGrid();
    for (int layers = 1; layers <= 3; ++layers) grids.salt[layers] = panels_.SaltGrid(layers);
    grids.irrSal = panels_.IrrSalGrid();
    grids.nrTstEdit = panels_.general->NrTstEdit;
    paste_ = std::make_unique<GridPaste>(data_, window_, dialogs_, grids);
    const auto route = [this](StringGrid* grid,
                              void (GridPaste::*handler)(int, int, const QString&)) {
        connect(grid, &StringGrid::CellEdited, this,
                [this, handler](int col, int row, const QString& text) {
                    Guarded([&] { (paste_.get()->*handler)(col, row, text); });
                });
    };
    route(panels_.HydrGrid(), &GridPaste::HydrGridSetEditText);
    route(panels_.SaltGrid(1), &GridPaste::SaltGrid1SetEditText);
    route(panels_.SaltGrid(2), &GridPaste::SaltGrid2SetEditText);
    route(panels_.SaltGrid(3), &GridPaste::SaltGrid3SetEditText);
    route(panels_.IrrSalGrid(), &GridPaste::IrrSalGridSetEditText);
}

}  // namespace halosoil
