#include "MainForm.h"
#include "RecentFilesMenu.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <new>

#include "ActionGuard.h"
#include "CalibrationPage.h"
#include "CloseForm.h"
#include "CondPanel.h"
#include "DrainForm.h"
#include "DrainPanel.h"
#include "Errors.h"
#include "GenPanel.h"
#include "GraphPage.h"
#include "GridPaste.h"
#include "HelpPages.h"
#include "HydrPanel.h"
#include "IrrSalPanel.h"
#include "OutputPage.h"
#include "SaltPanel.h"
#include "SoilPanel.h"
#include "StringGrid.h"
#include "StringToFloat.h"

namespace halosoil {

namespace {

constexpr int kIntroPage = 0;
constexpr int kMathPage = 1;
constexpr int kInputPage = 3;
constexpr int kCalibrationPage = 6;

}  // namespace

MainForm::MainForm(Dialogs& dialogs, QWidget* parent) : QMainWindow(parent), dialogs_(dialogs) {
    setObjectName("MainForm");
    setWindowTitle("HalosoilS, soil salinity and water table model");
    QFont formFont = font();
    formFont.setPointSize(8);
    setFont(formFont);
    resize(806, 647);

    BuildMenu();
    PageControl = new QTabWidget(this);
    PageControl->setObjectName("PageControl");
    const char* pages[][2] = {{"IntroTab", "Intro"},    {"MathTab", "Math"},
                              {"FigTab", "Figure"},     {"InpTab", "Input"},
                              {"OutTab", "Output"},     {"GraphTab", "Graphs"},
                              {"CalTab", "Calibration"}};
    for (const auto& page : pages) {
        auto* widget = new QWidget(PageControl);
        widget->setObjectName(page[0]);
        PageControl->addTab(widget, page[1]);
    }
    setCentralWidget(PageControl);
    BuildHelpPages();
    BuildInputPage(PageControl->widget(kInputPage));
    BuildOutputPages();
    BuildCalibrationPage(PageControl->widget(kCalibrationPage));
    ConnectGroupButtons();
    connect(PageControl, &QTabWidget::currentChanged, this, &MainForm::OnPageChanged);
    BuildFileMenu();
    setAcceptDrops(true);

    // The closing and drainage explanation windows exist from the start, hidden.
    closeForm = new CloseForm(this);
    drainForm = new DrainForm(this);

    qApp->installEventFilter(this);
    ShowWorkflow();
    FormCreate();
}

MainForm::~MainForm() {
    qApp->removeEventFilter(this);
}

void MainForm::Guarded(const std::function<void()>& action) {
    RunGuarded(dialogs_, action);
}

void MainForm::BuildHelpPages() {
    BuildIntroPage(PageControl->widget(0));
    BuildMathPage(PageControl->widget(1));
    BuildFigurePage(PageControl->widget(2));
}

void MainForm::BuildOutputPages() {
    QWidget* outTab = PageControl->widget(4);
    QWidget* graphTab = PageControl->widget(5);
    outputPage = new OutputPage(data_, engine_.State(), readBack_, window_, dialogs_, outTab);
    graphPage = new GraphPage(data_, engine_.State(), readBack_, window_, dialogs_, graphTab);
    outputPage->setObjectName("OutputPage");
    graphPage->setObjectName("GraphPage");
    auto* outLayout = new QVBoxLayout(outTab);
    outLayout->setContentsMargins(0, 0, 0, 0);
    outLayout->addWidget(outputPage);
    auto* graphLayout = new QVBoxLayout(graphTab);
    graphLayout->setContentsMargins(0, 0, 0, 0);
    graphLayout->addWidget(graphPage);

    connect(outputPage, &OutputPage::SeeGraphsClicked, this, [this] {
        Guarded([this] {
            graphPage->SeeGraphs();
            ShowPage("GraphTab");
        });
    });
    connect(outputPage, &OutputPage::OutputOpened, this, [this] {
        Guarded([this] {
            graphPage->HideForOpenedOutput();
            if (recentFiles_) recentFiles_->Remember(window_.OutputFileName);
        });
    });
    connect(graphPage, &GraphPage::MakeGraphClicked, this, [this] {
        Guarded([this] {
            dialogs_.Message("To make a graph, an output file must be opened first.");
            if (!outputPage->OpenOutput()) return;
            graphPage->ShowSelectionForNewOutput();
            ShowPage("GraphTab");
        });
    });
}

void MainForm::ConnectGroupButtons() {
    ConnectGuarded<MainForm>(this, dialogs_,
                             {
                                 {GenOpenButton, &MainForm::GenOpenButtonClick},
                                 {HydrOpenButton, &MainForm::HydrOpenButtonClick},
                                 {SoilOpenButton, &MainForm::SoilOpenButtonClick},
                                 {SaltOpenButton, &MainForm::SaltOpenButtonClick},
                                 {IrrSalButton, &MainForm::IrrSalButtonClick},
                                 {DrainOpenButton, &MainForm::DrainOpenButtonClick},
                                 {CondOpenButton, &MainForm::CondOpenButtonClick},
                                 {ReStartButton, &MainForm::ReStartButtonClick},
                                 {SaveAllButton, &MainForm::SaveAllButtonClick},
                                 {OpenInpButton, &MainForm::OpenInpButtonClick},
                             });
}

void MainForm::FormCreate() {
    workflow_.Restart();
    window_.OutputFromRun = false;

    window_.StartFolder = QDir::currentPath();
    window_.InputOpenFolder = window_.StartFolder;
    window_.InputSaveFolder = window_.StartFolder;
    window_.OutputOpenFolder = window_.StartFolder;

    StringGrid* hydr = panels_.HydrGrid();
    StringGrid* irrSal = panels_.IrrSalGrid();
    hydr->SetCell(0, 0, "Serial Nr");
    panels_.SaltGrid(1)->SetCell(0, 0, "Serial Nr");

    data_.HydrRows = 11;
    data_.NrTst = 11;
    for (StringGrid* grid :
         {hydr, panels_.SaltGrid(1), panels_.SaltGrid(2), panels_.SaltGrid(3), irrSal})
        grid->SetRowCount(12);

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

    for (StringGrid* grid :
         {hydr, panels_.SaltGrid(1), panels_.SaltGrid(2), panels_.SaltGrid(3), irrSal})
        NumberRows(*grid, 11);

    for (int row = 1; row <= data_.HydrRows; ++row) {
        for (int col = 1; col <= 3; ++col) {
            hydr->SetCell(col, row, QString());
            for (int layers = 1; layers <= 3; ++layers)
                panels_.SaltGrid(layers)->SetCell(col, row, {});
        }
        irrSal->SetCell(1, row, "-");
    }

    data_.DrainPresent = false;

    PageControl->setCurrentIndex(kIntroPage);
    FileLabel->hide();
    NameLabel->clear();
    ShowWorkflow();

    SetDecimalSeparator('.');
}

void MainForm::ReStartButtonClick() {
    FormCreate();
}

void MainForm::OnPageChanged(int index) {
    Guarded([this, index] {
        if (index == kInputPage) InpTabShow();
        if (index == kMathPage) MathTabShow();
        if (index == kCalibrationPage) CalTabShow();
    });
}

void MainForm::InpTabShow() {
    workflow_.InputPageShown();
    ShowWorkflow();
}

// The equations are a reason to walk the groups again from the general data.
void MainForm::MathTabShow() {
    workflow_.MathPageShown();
}

void MainForm::ShowPage(const QString& tabName) {
    if (QWidget* page = PageControl->findChild<QWidget*>(tabName))
        PageControl->setCurrentWidget(page);
}

void MainForm::ShowWorkflow() {
    for (int index = 0; index < kWorkflowButtons; ++index) {
        const auto button = static_cast<WorkflowButton>(index);
        workflowButtons_[index]->setEnabled(workflow_.Enabled(button));
    }
    for (const auto& [name, panel] : panels_.All()) panel->setVisible(name == workflow_.Shown());
}

void MainForm::OpenGroup(InputGroup group) {
    workflow_.Opened(group, LayerCount(data_));
    ShowWorkflow();
}

// The window is not closed from its frame: the closing window is shown, and closing that
// one ends the program.
void MainForm::closeEvent(QCloseEvent* event) {
    event->ignore();
    closeForm->show();
    closeForm->raise();
}

}  // namespace halosoil
