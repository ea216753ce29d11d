#include "MainForm.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "ActionGuard.h"
#include "CalibrationPage.h"
#include "CloseForm.h"
#include "DrainForm.h"
#include "EditMenu.h"
#include "Errors.h"
#include "GraphPage.h"
#include "HelpPages.h"
#include "InputPage.h"
#include "NativeFileName.h"
#include "OutputFileLayout.h"
#include "OutputFileName.h"
#include "OutputPage.h"
#include "RecentFilesMenu.h"
#include "RegionPage.h"
#include "SaveAllRun.h"
#include "StringToFloat.h"

namespace halosoil {

namespace {

// An output file is known by its extension or, renamed, by its first line.
bool IsOutputFile(const QString& fileName) {
    if (QFileInfo(fileName).suffix().compare("out", Qt::CaseInsensitive) == 0) return true;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return false;
    return file.readLine(256).trimmed().startsWith(output_layout::kHeading);
}

bool IsObservationsFile(const QString& fileName) {
    return QFileInfo(fileName).suffix().compare("csv", Qt::CaseInsensitive) == 0;
}

// The GIS layers the Region page opens: a region's results or the fields to run.
bool IsLayerFile(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffix == "gpkg" || suffix == "shp" || suffix == "geojson" || suffix == "fgb";
}

// The local files of a drag that the window opens: input, output and observations files.
QStringList DroppedFiles(const QMimeData* mime) {
    QStringList files;
    if (!mime || !mime->hasUrls()) return files;
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile()) continue;
        const QString suffix = QFileInfo(url.toLocalFile()).suffix().toLower();
        if (suffix == "inp" || suffix == "out" || suffix == "csv" || IsLayerFile(url.toLocalFile()))
            files << url.toLocalFile();
    }
    return files;
}

}  // namespace

MainForm::MainForm(Dialogs& dialogs, QWidget* parent) : QMainWindow(parent), dialogs_(dialogs) {
    setObjectName("MainForm");
    setWindowTitle("HalosoilS, soil salinity and water table model");
    QFont formFont = font();
    formFont.setPointSize(8);
    setFont(formFont);
    resize(806, 647);

    editMenu_ = std::make_unique<EditMenu>(*this, dialogs_);
    BuildPages();
    ConnectInputPage();
    ConnectOutputPages();
    ConnectCalibrationPage();
    ConnectRegionPage();
    connect(pageControl_, &QTabWidget::currentChanged, this, &MainForm::OnPageChanged);
    BuildFileMenu();
    BuildOptionsMenu();
    setAcceptDrops(true);

    // The closing and drainage explanation windows exist from the start, hidden.
    closeForm_ = new CloseForm(this);
    drainForm_ = new DrainForm(this);

    FormCreate();
}

MainForm::~MainForm() = default;

void MainForm::Guarded(const std::function<void()>& action) {
    RunGuarded(dialogs_, action);
}

QWidget* MainForm::PageWidget(WindowPage page) const {
    return pageControl_->widget(static_cast<int>(page));
}

void MainForm::PlaceOnPage(WindowPage page, QWidget* content) {
    auto* layout = new QVBoxLayout(PageWidget(page));
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
}

void MainForm::BuildPages() {
    pageControl_ = new QTabWidget(this);
    pageControl_->setObjectName("PageControl");
    for (const WindowPageName& name : kWindowPageNames) {
        auto* widget = new QWidget(pageControl_);
        widget->setObjectName(name.objectName);
        pageControl_->addTab(widget, name.title);
    }
    setCentralWidget(pageControl_);

    BuildIntroPage(PageWidget(WindowPage::Intro));
    BuildMathPage(PageWidget(WindowPage::Math));
    BuildFigurePage(PageWidget(WindowPage::Figure));

    inputPage_ = new InputPage(data_, window_, dialogs_, PageWidget(WindowPage::Input));
    PlaceOnPage(WindowPage::Input, inputPage_);
    saveAllRun_ = new SaveAllRun(data_, results_, window_, *inputPage_, dialogs_, this);

    const OutputOnView onView{data_, results_, readBack_, window_};
    outputPage_ = new OutputPage(onView, dialogs_, PageWidget(WindowPage::Output));
    outputPage_->setObjectName("OutputPage");
    PlaceOnPage(WindowPage::Output, outputPage_);
    graphPage_ = new GraphPage(onView, dialogs_, PageWidget(WindowPage::Graphs));
    graphPage_->setObjectName("GraphPage");
    PlaceOnPage(WindowPage::Graphs, graphPage_);

    calibrationPage_ = new CalibrationPage(dialogs_, PageWidget(WindowPage::Calibration));
    calibrationPage_->setObjectName("CalibrationPage");
    PlaceOnPage(WindowPage::Calibration, calibrationPage_);

    regionPage_ = new RegionPage(dialogs_, PageWidget(WindowPage::Region));
    regionPage_->setObjectName("RegionPage");
    PlaceOnPage(WindowPage::Region, regionPage_);
}

void MainForm::ConnectInputPage() {
    connect(inputPage_, &InputPage::ReStartButtonClicked, this,
            [this] { Guarded([this] { ReStartButtonClick(); }); });
    connect(inputPage_, &InputPage::SaveAllButtonClicked, this,
            [this] { Guarded([this] { saveAllRun_->SaveAllButtonClick(); }); });
    connect(saveAllRun_, &SaveAllRun::OutputWritten, this, &MainForm::ShowRunOutput);
    connect(inputPage_, &InputPage::InputOpened, this, [this](const QString& fileName) {
        outputPage_->DisableForOpenedInput();
        graphPage_->DisableGraphButtons();
        if (recentFiles_) recentFiles_->Remember(fileName);
    });
    connect(inputPage_, &InputPage::DrainHelpRequested, this, [this] {
        drainForm_->show();
        drainForm_->raise();
    });
    connect(inputPage_, &InputPage::DrainPanelClosed, this, [this] { drainForm_->hide(); });
}

void MainForm::ConnectOutputPages() {
    connect(outputPage_, &OutputPage::SeeGraphsClicked, this, [this] {
        Guarded([this] {
            graphPage_->SeeGraphs();
            ShowPage(WindowPage::Graphs);
        });
    });
    connect(outputPage_, &OutputPage::OutputOpened, this, [this] {
        Guarded([this] {
            graphPage_->HideForOpenedOutput();
            if (recentFiles_) recentFiles_->Remember(window_.OutputFileName);
        });
    });
    connect(graphPage_, &GraphPage::MakeGraphClicked, this, [this] {
        Guarded([this] {
            dialogs_.Message("To make a graph, an output file must be opened first.");
            if (!outputPage_->OpenOutput()) return;
            graphPage_->ShowSelectionForNewOutput();
            ShowPage(WindowPage::Graphs);
        });
    });
}

void MainForm::ConnectCalibrationPage() {
    connect(
        calibrationPage_, &CalibrationPage::ApplyRequested, this,
        [this](const std::vector<study::Parameter>& parameters, const std::vector<double>& values) {
            Guarded([&] { ApplyStudyValues(parameters, values); });
        });
}

void MainForm::ConnectRegionPage() {
    connect(regionPage_, &RegionPage::ProjectWritten, this, [this](const QString& fileName) {
        Guarded([&] {
            ShowPage(WindowPage::Input);
            inputPage_->OpenInputNamed(fileName);
        });
    });
}

void MainForm::BuildFileMenu() {
    RecentFilesMenu::Actions actions;
    actions.openInput = [this] {
        ShowPage(WindowPage::Input);
        inputPage_->OpenInpButtonClick();
    };
    actions.openOutput = [this] { outputPage_->OpenOutButtonClick(); };
    actions.openObservations = [this] {
        ShowPage(WindowPage::Calibration);
        calibrationPage_->OpenObservationsButtonClick();
    };
    actions.openFieldsLayer = [this] {
        ShowPage(WindowPage::Region);
        regionPage_->OpenLayerButtonClick();
    };
    actions.openRegionResults = [this] {
        ShowPage(WindowPage::Region);
        regionPage_->OpenResultsButtonClick();
    };
    actions.openRecent = [this](const QString& path) { OpenFileNamed(path); };
    actions.guarded = [this](const std::function<void()>& action) { Guarded(action); };
    recentFiles_ = new RecentFilesMenu(menuBar(), std::move(actions));
}

void MainForm::BuildOptionsMenu() {
    QMenu* options = menuBar()->addMenu("&Options");
    options->setObjectName("OptionsMenu");
    QAction* conserving = options->addAction("&Conserving salt balance");
    conserving->setObjectName("ConservingSaltItem");
    conserving->setCheckable(true);
    conserving->setChecked(false);
    conserving->setStatusTip(
        "Runs and studies take the salt that capillary rise carries up out of the zone it "
        "leaves; off, they compute the specified balance of the earlier program, to the byte");
    connect(conserving, &QAction::toggled, this,
            [this](bool checked) { window_.ConservingSalt = checked; });
}

void MainForm::FormCreate() {
    window_.OutputFromRun = false;
    window_.StartFolder = QDir::currentPath();
    window_.InputOpenFolder = window_.StartFolder;
    window_.InputSaveFolder = window_.StartFolder;
    window_.OutputOpenFolder = window_.StartFolder;
    inputPage_->Restart();
    ShowPage(WindowPage::Intro);
    SetDecimalSeparator('.');
}

void MainForm::ReStartButtonClick() {
    FormCreate();
}

void MainForm::OnPageChanged(int index) {
    Guarded([this, index] {
        switch (static_cast<WindowPage>(index)) {
            case WindowPage::Input:
                inputPage_->InpTabShow();
                break;
            case WindowPage::Math:
                inputPage_->MathTabShow();
                break;
            case WindowPage::Calibration:
                CalTabShow();
                break;
            case WindowPage::Region:
                RegionTabShow();
                break;
            default:
                break;
        }
    });
}

void MainForm::ShowPage(WindowPage page) {
    pageControl_->setCurrentIndex(static_cast<int>(page));
}

void MainForm::ShowRunOutput() {
    recentFiles_->Remember(FromNative(data_.InputFileName));
    recentFiles_->Remember(FromNative(OutputFileNameFor(data_.InputFileName)));
    outputPage_->ShowRunOutput();
    ShowPage(WindowPage::Output);
}

void MainForm::CalTabShow() {
    if (!inputPage_->Workflow().Complete()) {
        calibrationPage_->SetProject(
            std::nullopt,
            "The input is not complete: enter or open a project on the Input page first, as "
            "\"Save all - Run\" requires.");
        return;
    }
    try {
        calibrationPage_->SetProject(saveAllRun_->ProjectAsSaved(), {});
    } catch (const HalosoilError& error) {
        calibrationPage_->SetProject(std::nullopt, QString("The input cannot be saved: ") +
                                                       QString::fromStdString(error.what()));
    }
}

void MainForm::RegionTabShow() {
    if (!inputPage_->Workflow().Complete()) {
        regionPage_->SetInputProject(std::nullopt, "The Input page's project is not complete.");
        return;
    }
    try {
        regionPage_->SetInputProject(saveAllRun_->ProjectAsSaved(), {});
    } catch (const HalosoilError& error) {
        regionPage_->SetInputProject(std::nullopt, QString("The input cannot be saved: ") +
                                                       QString::fromStdString(error.what()));
    }
}

void MainForm::ApplyStudyValues(const std::vector<study::Parameter>& parameters,
                                const std::vector<double>& values) {
    data_ = study::Variant(data_, parameters, values.data());
    saveAllRun_->RememberApplied(parameters, values);
    inputPage_->ShowRecordInPanels();
    CalTabShow();
}

void MainForm::OpenFileNamed(const QString& fileName) {
    if (IsObservationsFile(fileName)) {
        ShowPage(WindowPage::Calibration);
        calibrationPage_->OpenObservationsNamed(QFileInfo(fileName).absoluteFilePath());
        return;
    }
    if (IsLayerFile(fileName)) {
        ShowPage(WindowPage::Region);
        regionPage_->OpenDroppedNamed(QFileInfo(fileName).absoluteFilePath());
        return;
    }
    OpenFileFromOutside(fileName);
}

void MainForm::OpenFileFromOutside(const QString& fileName) {
    // A dialog hands over a whole path; so does this, whatever folder the program started in.
    const QString path = QFileInfo(fileName).absoluteFilePath();
    if (IsOutputFile(path)) {
        if (outputPage_->OpenOutputFile(path)) ShowPage(WindowPage::Output);
        return;
    }
    // Showing the Input page hides its panels; the opened input then shows the general data.
    ShowPage(WindowPage::Input);
    inputPage_->OpenInputNamed(path);
}

void MainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainForm::dropEvent(QDropEvent* event) {
    const QStringList files = DroppedFiles(event->mimeData());
    if (files.isEmpty()) return;
    event->acceptProposedAction();
    // One file at a time, as each open action takes one; the first of several.
    const QString file = files.first();
    Guarded([this, &file] { OpenFileNamed(file); });
}

// The window is not closed from its frame: the closing window is shown, and closing that
// one ends the program.
void MainForm::closeEvent(QCloseEvent* event) {
    event->ignore();
    closeForm_->show();
    closeForm_->raise();
}

}  // namespace halosoil
