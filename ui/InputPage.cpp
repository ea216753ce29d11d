#include "InputPage.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ActionGuard.h"
#include "CondPanel.h"
#include "DrainPanel.h"
#include "GenPanel.h"
#include "GridPaste.h"
#include "HydrPanel.h"
#include "InputFile.h"
#include "InputReadDisplay.h"
#include "IrrSalPanel.h"
#include "LayerCarryOver.h"
#include "NativeFileName.h"
#include "PanelWidgets.h"
#include "SaltPanel.h"
#include "SoilPanel.h"
#include "StringGrid.h"

namespace halosoil {

InputPage::InputPage(InputData& data, WindowState& window, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), data_(data), window_(window), dialogs_(dialogs) {
    setObjectName("InputPage");
    BuildPage();
    ConnectButtons();
    ConnectPanels();
    ConnectGridEditing();
    ShowWorkflow();
}

InputPage::~InputPage() = default;

void InputPage::BuildPage() {
    fileLabel_ = MakeLabel(this, "File :", "FileLabel");
    nameLabel_ = MakeLabel(this, QString(), "NameLabel");
    nameLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName("ProgressBar");
    progressBar_->setMaximumWidth(200);
    progressBar_->setTextVisible(false);
    QSizePolicy keepSpace = progressBar_->sizePolicy();
    keepSpace.setRetainSizeWhenHidden(true);
    progressBar_->setSizePolicy(keepSpace);
    progressBar_->hide();

    inputPanel_ = BuildGroupColumn();
    QWidget* panelArea = BuildPanelArea();

    reStartButton_ = MakeButton(this, "ReStartButton", "Restart");
    saveAllButton_ = MakeButton(this, "SaveAllButton", "Save all - Run");
    workflowButtons_[static_cast<int>(WorkflowButton::SaveAll)] = saveAllButton_;
    openInpButton_ = MakeButton(this, "OpenInpButton", "Open input");
    for (QPushButton* button : {reStartButton_, saveAllButton_, openInpButton_}) {
        button->setMinimumWidth(100);
        button->setMinimumHeight(28);
    }

    auto* top = new QHBoxLayout;
    top->addWidget(fileLabel_);
    top->addWidget(nameLabel_, 1);
    top->addWidget(progressBar_);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(reStartButton_);
    bottom->addWidget(saveAllButton_);
    bottom->addWidget(openInpButton_);
    auto* middle = new QHBoxLayout;
    middle->addWidget(inputPanel_);
    middle->addWidget(panelArea, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);
}

// The input column with the seven group buttons, in the order of the workflow.
QGroupBox* InputPage::BuildGroupColumn() {
    auto* column = new QGroupBox("Enter/change input", this);
    column->setObjectName("InputPanel");
    const struct {
        WorkflowButton button;
        const char* name;
        const char* text;
    } kGroups[] = {
        {WorkflowButton::GenOpen, "GenOpenButton", "General data"},
        {WorkflowButton::HydrOpen, "HydrOpenButton", "Hydrological data"},
        {WorkflowButton::SoilOpen, "SoilOpenButton", "Soil properties"},
        {WorkflowButton::SaltOpen, "SaltOpenButton", "Salinity data"},
        {WorkflowButton::IrrSal, "IrrSalButton", "Irrigation salinity"},
        {WorkflowButton::DrainOpen, "DrainOpenButton", "Drainage data"},
        {WorkflowButton::CondOpen, "CondOpenButton", "Initial and boundary\nconditions"},
    };
    auto* layout = new QVBoxLayout(column);
    for (const auto& group : kGroups) {
        QPushButton* button = MakeButton(column, group.name, group.text);
        button->setMinimumHeight(30);
        layout->addWidget(button);
        workflowButtons_[static_cast<int>(group.button)] = button;
    }
    workflowButtons_[static_cast<int>(WorkflowButton::CondOpen)]->setMinimumHeight(44);
    layout->addStretch(1);
    column->setFixedWidth(150);
    return column;
}

// The eleven panels share one place; at most one is visible.
QWidget* InputPage::BuildPanelArea() {
    auto* area = new QWidget(this);
    area->setObjectName("PanelArea");
    auto* stack = new QGridLayout(area);
    stack->setContentsMargins(0, 0, 0, 0);
    panels_.general = new GenPanel(data_, workflow_, dialogs_, area);
    panels_.hydrology = new HydrPanel(data_, workflow_, dialogs_, area);
    for (int layers = 1; layers <= 3; ++layers) {
        panels_.soil[layers] = new SoilPanel(data_, workflow_, dialogs_, layers, area);
        panels_.salt[layers] = new SaltPanel(data_, workflow_, dialogs_, layers, area);
    }
    panels_.irrigationSalinity = new IrrSalPanel(data_, workflow_, dialogs_, area);
    panels_.drainage = new DrainPanel(data_, workflow_, dialogs_, area);
    panels_.conditions = new CondPanel(data_, workflow_, dialogs_, area);
    for (const auto& [name, panel] : panels_.All()) stack->addWidget(panel, 0, 0);

    const std::pair<WorkflowButton, QPushButton*> kQuitButtons[] = {
        {WorkflowButton::GenQuit, panels_.general->CancelButton()},
        {WorkflowButton::HydrQuit, panels_.hydrology->CancelButton()},
        {WorkflowButton::Soil1Quit, panels_.soil[1]->CancelButton()},
        {WorkflowButton::Soil2Quit, panels_.soil[2]->CancelButton()},
        {WorkflowButton::Soil3Quit, panels_.soil[3]->CancelButton()},
        {WorkflowButton::Salt1Quit, panels_.salt[1]->CancelButton()},
        {WorkflowButton::Salt2Quit, panels_.salt[2]->CancelButton()},
        {WorkflowButton::Salt3Quit, panels_.salt[3]->CancelButton()},
        {WorkflowButton::IrrSalCancel, panels_.irrigationSalinity->CancelButton()},
        {WorkflowButton::DrainQuit, panels_.drainage->CancelButton()},
        {WorkflowButton::CondQuit, panels_.conditions->CancelButton()},
    };
    for (const auto& [button, widget] : kQuitButtons)
        workflowButtons_[static_cast<int>(button)] = widget;
    return area;
}

void InputPage::ConnectButtons() {
    const std::pair<WorkflowButton, void (InputPage::*)()> kGroupHandlers[] = {
        {WorkflowButton::GenOpen, &InputPage::GenOpenButtonClick},
        {WorkflowButton::HydrOpen, &InputPage::HydrOpenButtonClick},
        {WorkflowButton::SoilOpen, &InputPage::SoilOpenButtonClick},
        {WorkflowButton::SaltOpen, &InputPage::SaltOpenButtonClick},
        {WorkflowButton::IrrSal, &InputPage::IrrSalButtonClick},
        {WorkflowButton::DrainOpen, &InputPage::DrainOpenButtonClick},
        {WorkflowButton::CondOpen, &InputPage::CondOpenButtonClick},
    };
    for (const auto& [button, handler] : kGroupHandlers)
        ConnectGuarded<InputPage>(this, dialogs_,
                                  {{workflowButtons_[static_cast<int>(button)], handler}});
    ConnectGuarded<InputPage>(this, dialogs_, {{openInpButton_, &InputPage::OpenInpButtonClick}});
    connect(reStartButton_, &QPushButton::clicked, this, &InputPage::ReStartButtonClicked);
    connect(saveAllButton_, &QPushButton::clicked, this, &InputPage::SaveAllButtonClicked);
}

void InputPage::ConnectPanels() {
    for (const auto& [name, panel] : panels_.All()) {
        const PanelId id = name;
        connect(panel, &InputPanelFrame::Saved, this,
                [this, id] { RunGuarded(dialogs_, [this, id] { PanelSaved(id); }); });
        connect(panel, &InputPanelFrame::Cancelled, this,
                [this, id] { RunGuarded(dialogs_, [this, id] { PanelCancelled(id); }); });
    }
    connect(panels_.soil[3], &SoilPanel::SoilReportedIncomplete, this,
            [this] { workflow_.SoilReportedIncomplete(); });
    connect(panels_.drainage, &DrainPanel::DepthRefused, this, [this] {
        workflow_.DrainageDepthRefused();
        ShowWorkflow();
    });
    connect(panels_.drainage, &DrainPanel::HelpRequested, this, &InputPage::DrainHelpRequested);
}

// The clipboard of every grid, and the edit handlers of the five time-step grids.
void InputPage::ConnectGridEditing() {
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
                    RunGuarded(dialogs_, [&] { (paste_.get()->*handler)(col, row, text); });
                });
    };
    route(panels_.HydrGrid(), &GridPaste::HydrGridSetEditText);
    route(panels_.SaltGrid(1), &GridPaste::SaltGrid1SetEditText);
    route(panels_.SaltGrid(2), &GridPaste::SaltGrid2SetEditText);
    route(panels_.SaltGrid(3), &GridPaste::SaltGrid3SetEditText);
    route(panels_.IrrSalGrid(), &GridPaste::IrrSalGridSetEditText);
}

int InputPage::ChosenStepLength() const {
    return panels_.general->ChosenStepLength();
}

void InputPage::Restart() {
    workflow_.Restart();

    StringGrid* hydr = panels_.HydrGrid();
    StringGrid* irrSal = panels_.IrrSalGrid();
    const auto timeStepGrids = {hydr, panels_.SaltGrid(1), panels_.SaltGrid(2), panels_.SaltGrid(3),
                                irrSal};
    hydr->SetCell(0, 0, "Serial Nr");
    panels_.SaltGrid(1)->SetCell(0, 0, "Serial Nr");

    data_.HydrRows = 11;
    data_.NrTst = 11;
    for (StringGrid* grid : timeStepGrids) grid->SetRowCount(12);

    panels_.general->NrTstEdit->setText("11");
    panels_.general->TstCombo->setCurrentIndex(1);
    panels_.general->LayersCombo->setCurrentIndex(0);

    for (int col = 1; col <= 3; ++col) {
        hydr->SetCell(col, 0, "mm/timestep");
        for (int layers = 1; layers <= 3; ++layers)
            panels_.SaltGrid(layers)->SetCell(col, 0, "(dS/m)");
    }
    panels_.SaltGrid(2)->SetCell(4, 0, "dS/m");
    panels_.SaltGrid(3)->SetCell(5, 0, "dS/m");
    irrSal->SetCell(0, 0, "Serial Nr");
    irrSal->SetCell(1, 0, " dS/m");

    for (StringGrid* grid : timeStepGrids) NumberRows(*grid, 11);

    for (int row = 1; row <= data_.HydrRows; ++row) {
        for (int col = 1; col <= 3; ++col) {
            hydr->SetCell(col, row, QString());
            for (int layers = 1; layers <= 3; ++layers)
                panels_.SaltGrid(layers)->SetCell(col, row, {});
        }
        irrSal->SetCell(1, row, "-");
    }

    data_.DrainPresent = false;

    fileLabel_->hide();
    nameLabel_->clear();
    ShowWorkflow();
}

void InputPage::InpTabShow() {
    workflow_.InputPageShown();
    ShowWorkflow();
}

void InputPage::MathTabShow() {
    workflow_.MathPageShown();
}

void InputPage::ShowWorkflow() {
    for (int index = 0; index < kWorkflowButtons; ++index) {
        const auto button = static_cast<WorkflowButton>(index);
        workflowButtons_[index]->setEnabled(workflow_.Enabled(button));
    }
    for (const auto& [name, panel] : panels_.All()) panel->setVisible(name == workflow_.Shown());
}

void InputPage::OpenGroup(InputGroup group) {
    workflow_.Opened(group, LayerCount(data_));
    ShowWorkflow();
}

void InputPage::PanelSaved(PanelId panel) {
    switch (panel) {
        case PanelId::General:
            if (data_.NrLayers != workflow_.SavedLayers())
                CarryOverToNewLayerCount(panels_, workflow_.SavedLayers(), data_.NrLayers,
                                         data_.NrTst);
            panels_.ResizeTimeStepGrids(data_.NrTst, true);
            break;
        case PanelId::Hydrology:
            panels_.ResizeTimeStepGrids(data_.HydrRows, false);
            break;
        case PanelId::Drainage:
            workflow_.SetSavedDrainChoice(panels_.drainage->DrainChoice());
            emit DrainPanelClosed();
            break;
        default:
            break;
    }
    workflow_.Saved(panel, LayerCount(data_));
    ShowWorkflow();
}

void InputPage::PanelCancelled(PanelId panel) {
    if (panel == PanelId::Drainage) emit DrainPanelClosed();
    workflow_.Cancelled(panel);
    ShowWorkflow();
}

void InputPage::OpenInpButtonClick() {
    const std::optional<QString> chosen =
        dialogs_.OpenFile({"input files (*.inp)|*.inp", "inp", window_.InputOpenFolder});
    if (!chosen) {
        dialogs_.Message("No input file was selected");
        return;
    }
    OpenInputNamed(*chosen);
}

void InputPage::OpenInputNamed(const QString& fileName) {
    data_.InputFileName = ToNative(fileName);
    const QString folder = QFileInfo(fileName).absolutePath();
    window_.InputOpenFolder = folder;
    window_.InputSaveFolder = folder;

    InputReadDisplay display(data_, workflow_, panels_);
    ReadInputFile(data_, &display);
    display.ReadingEnded();

    fileLabel_->show();
    nameLabel_->setText(fileName);
    workflow_.InputFileOpened();
    ShowWorkflow();
    window_.OutputFromRun = false;
    emit InputOpened(fileName);
}

void InputPage::ShowRecordInPanels() {
    InputReadDisplay display(data_, workflow_, panels_);
    if (data_.DrainPresent)
        for (InputItem item : {InputItem::DrainDepth, InputItem::QH1, InputItem::QH2})
            display.ItemRead(item, 0);
    for (InputItem item :
         {InputItem::SaltIrrig, InputItem::WTdepth, InputItem::CritDepth, InputItem::MoistAndIrrEff,
          InputItem::GrwtInf, InputItem::GrwtOut, InputItem::SalInf})
        display.ItemRead(item, 0);
    for (int step = 1; step <= data_.NrTst; ++step)
        for (InputItem item :
             {InputItem::Rain, InputItem::Irrig, InputItem::Evap, InputItem::IrrSal})
            display.ItemRead(item, step);
    for (int zone : ZonesOf(LayerCount(data_)))
        for (InputItem item : {InputItem::Thick, InputItem::TotPor, InputItem::EffPor,
                               InputItem::LeachEff, InputItem::InitSalt})
            display.ItemRead(item, zone);
}

}  // namespace halosoil
