#include "UMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTextDocumentFragment>
#include <QVBoxLayout>

#include "CondPanel.h"
#include "DrainPanel.h"
#include "Errors.h"
#include "GenPanel.h"
#include "GraphPage.h"
#include "GridPaste.h"
#include "HelpPages.h"
#include "HydrPanel.h"
#include "IrrSalPanel.h"
#include "OutputPage.h"
#include "PanelWidgets.h"
#include "Salt1Panel.h"
#include "Salt2Panel.h"
#include "Salt3Panel.h"
#include "Soil1Panel.h"
#include "Soil2Panel.h"
#include "Soil3Panel.h"
#include "StringGrid.h"
#include "StringToFloat.h"
#include "UClose.h"
#include "UDrainForm.h"

namespace halosoil {

namespace {

constexpr int kIntroPage = 0;
constexpr int kMathPage = 1;
constexpr int kInputPage = 3;

// A grid's cell editor: the grid handles its own edit commands.
bool IsInsideGrid(const QWidget* widget) {
    for (const QWidget* w = widget->parentWidget(); w; w = w->parentWidget())
        if (qobject_cast<const StringGrid*>(w)) return true;
    return false;
}

bool IsEditCommand(const QKeyEvent* key) {
    return key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Copy) ||
           key->matches(QKeySequence::Cut);
}

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
    const char* pages[][2] = {{"IntroTab", "Intro"}, {"MathTab", "Math"},  {"FigTab", "Figure"},
                              {"InpTab", "Input"},   {"OutTab", "Output"}, {"GraphTab", "Graphs"}};
    for (const auto& page : pages) {
        auto* widget = new QWidget(PageControl);
        widget->setObjectName(page[0]);
        PageControl->addTab(widget, page[1]);
    }
    setCentralWidget(PageControl);
    BuildHelpPages();
    BuildInputPage(PageControl->widget(kInputPage));
    BuildOutputPages();
    ConnectGroupButtons();
    connect(PageControl, &QTabWidget::currentChanged, this, &MainForm::OnPageChanged);

    // The closing and drainage explanation windows exist from the start, hidden.
    closeForm = new CloseForm(this);
    drainForm = new DrainForm(this);

    qApp->installEventFilter(this);
    SetInitialLayout();
    FormCreate();
}

MainForm::~MainForm() {
    qApp->removeEventFilter(this);
}

void MainForm::Guarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const HalosoilError& error) {
        dialogs_.Message(QString::fromStdString(error.what()));
    } catch (const std::exception& error) {
        dialogs_.Message(QString::fromStdString(error.what()));
    }
}

void MainForm::BuildMenu() {
    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->setObjectName("EditMenu");
    const struct {
        const char* name;
        const char* text;
        QKeySequence key;
        const char* hint;
        void (MainForm::*handler)();
    } kItems[] = {
        {"CopyItem", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C),
         "Copy|Copies the selection and puts it on the Clipboard", &MainForm::EditCopy},
        {"CutItem", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X),
         "Cut|Cuts the selection and puts it on the Clipboard", &MainForm::EditCut},
        {"DeleteItem", "&Delete", QKeySequence(Qt::Key_Delete), "Delete|Erases the selection",
         &MainForm::EditDelete},
        {"PasteItem", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V),
         "Paste|Inserts Clipboard contents", &MainForm::EditPaste},
    };
    for (const auto& item : kItems) {
        QAction* action = edit->addAction(item.text);
        action->setObjectName(item.name);
        action->setShortcut(item.key);
        const QString hint = item.hint;
        action->setToolTip(hint.section('|', 0, 0));
        action->setStatusTip(hint.section('|', 1));
        const auto handler = item.handler;
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    }
    statusBar();
}

void MainForm::BuildHelpPages() {
    BuildIntroPage(PageControl->widget(0));
    BuildMathPage(PageControl->widget(1));
    BuildFigurePage(PageControl->widget(2));
}

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
    connect(outputPage, &OutputPage::OutputOpened, this,
            [this] { Guarded([this] { graphPage->HideForOpenedOutput(); }); });
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
    const struct {
        QPushButton* button;
        void (MainForm::*handler)();
    } kButtons[] = {
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
    };
    for (const auto& entry : kButtons) {
        const auto handler = entry.handler;
        connect(entry.button, &QPushButton::clicked, this,
                [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    }
}

// The layout the window has before start-up runs: only "General data" and "Initial and
// boundary conditions" enabled, "Save all - Run" disabled, the Cancel buttons disabled except
// those of the one-layer salinity and irrigation-salinity panels, no drainage system.
void MainForm::SetInitialLayout() {
    DisableGroupButtons();
    GenOpenButton->setEnabled(true);
    CondOpenButton->setEnabled(true);
    for (QPushButton* cancel :
         {genPanel->GenQuitButton, hydrPanel->HydrQuitButton, soilPanel[1]->QuitButton,
          soilPanel[2]->QuitButton, soilPanel[3]->QuitButton, saltPanel[2]->QuitButton,
          saltPanel[3]->QuitButton, drainPanel->DrainQuitButton, condPanel->CondQuitButton})
        cancel->setEnabled(false);
    saltPanel[1]->QuitButton->setEnabled(true);
    irrSalPanel->IrrSalCancelButton->setEnabled(true);
    drainPanel->DrainPresentCombo->setCurrentIndex(0);
    drainPanel->EnableDrainFields(false);
    ProgressBar->hide();
}

void MainForm::FormCreate() {
    data_.InputComplete = false;
    window_.OutputFromRun = false;
    window_.SoilComplete = true;

    window_.StartFolder = QDir::currentPath();
    window_.InputOpenFolder = window_.StartFolder;
    window_.InputSaveFolder = window_.StartFolder;
    window_.OutputOpenFolder = window_.StartFolder;

    StringGrid* hydr = hydrPanel->HydrGrid;
    StringGrid* irrSal = irrSalPanel->IrrSalGrid;
    hydr->SetCell(0, 0, "Serial Nr");
    SaltGrid(1)->SetCell(0, 0, "Serial Nr");

    data_.HydrRows = 11;
    data_.NrTst = 11;
    for (StringGrid* grid : {hydr, SaltGrid(1), SaltGrid(2), SaltGrid(3), irrSal})
        grid->SetRowCount(12);

    genPanel->NrTstEdit->setText("11");
    genPanel->TstCombo->setCurrentIndex(1);
    genPanel->LayersCombo->setCurrentIndex(0);

    for (int col = 1; col <= 3; ++col) {
        hydr->SetCell(col, 0, "mm/timestep");
        for (int layers = 1; layers <= 3; ++layers) SaltGrid(layers)->SetCell(col, 0, "(dS/m)");
    }
    SaltGrid(2)->SetCell(4, 0, "dS/m");
    SaltGrid(3)->SetCell(5, 0, "dS/m");
    irrSal->SetCell(0, 0, "Serial Nr");
    irrSal->SetCell(1, 0, " dS/m");

    for (StringGrid* grid : {hydr, SaltGrid(1), SaltGrid(2), SaltGrid(3), irrSal})
        NumberRows(*grid, 11);

    for (int row = 1; row <= data_.HydrRows; ++row) {
        for (int col = 1; col <= 3; ++col) {
            hydr->SetCell(col, row, QString());
            for (int layers = 1; layers <= 3; ++layers) SaltGrid(layers)->SetCell(col, row, {});
        }
        irrSal->SetCell(1, row, "-");
    }

    data_.SavedNrLayers = 1;
    data_.DrainPresent = false;

    PageControl->setCurrentIndex(kIntroPage);
    FileLabel->hide();
    NameLabel->clear();
    HidePanels();

    SetDecimalSeparator('.');
    window_.SavedDrainChoice = 0;
}

void MainForm::ReStartButtonClick() {
    FormCreate();
}

void MainForm::OnPageChanged(int index) {
    Guarded([this, index] {
        if (index == kInputPage) InpTabShow();
        if (index == kMathPage) MathTabShow();
    });
}

void MainForm::InpTabShow() {
    HidePanels();
    GenOpenButton->setEnabled(true);
    for (QPushButton* button : {HydrOpenButton, SoilOpenButton, SaltOpenButton, IrrSalButton,
                                DrainOpenButton, CondOpenButton})
        button->setEnabled(data_.InputComplete);
}

// The equations are a reason to walk the groups again from the general data.
void MainForm::MathTabShow() {
    data_.InputComplete = false;
}

void MainForm::ShowPage(const QString& tabName) {
    if (QWidget* page = PageControl->findChild<QWidget*>(tabName))
        PageControl->setCurrentWidget(page);
}

void MainForm::HidePanels() {
    for (QWidget* panel : std::initializer_list<QWidget*>{
             genPanel, hydrPanel, soilPanel[1], soilPanel[2], soilPanel[3], saltPanel[1],
             saltPanel[2], saltPanel[3], irrSalPanel, drainPanel, condPanel})
        panel->hide();
}

void MainForm::DisableGroupButtons() {
    for (QPushButton* button : {SaveAllButton, GenOpenButton, HydrOpenButton, SoilOpenButton,
                                SaltOpenButton, IrrSalButton, DrainOpenButton, CondOpenButton})
        button->setEnabled(false);
}

void MainForm::EnableGroupButtons() {
    for (QPushButton* button : {SaveAllButton, GenOpenButton, HydrOpenButton, SoilOpenButton,
                                SaltOpenButton, IrrSalButton, DrainOpenButton, CondOpenButton})
        button->setEnabled(true);
}

void MainForm::SettleGroupButtons() {
    if (data_.InputComplete)
        EnableGroupButtons();
    else
        DisableGroupButtons();
}

int MainForm::CurrentLayerCount() const {
    const int flagged = data_.FlaggedLayers();
    if (flagged != 0) return flagged;
    return data_.SavedNrLayers >= 1 && data_.SavedNrLayers <= 3 ? data_.SavedNrLayers : 1;
}

SoilPanel* MainForm::CurrentSoilPanel() {
    return soilPanel[CurrentLayerCount()];
}
SaltPanel* MainForm::CurrentSaltPanel() {
    return saltPanel[CurrentLayerCount()];
}
StringGrid* MainForm::SaltGrid(int layers) {
    return saltPanel[layers]->Grid;
}

void MainForm::GenOpenButtonClick() {
    HidePanels();
    genPanel->show();
    DisableGroupButtons();
}

void MainForm::HydrOpenButtonClick() {
    HidePanels();
    hydrPanel->show();
    DisableGroupButtons();
}

void MainForm::SoilOpenButtonClick() {
    HidePanels();
    CurrentSoilPanel()->show();
    DisableGroupButtons();
}

void MainForm::SaltOpenButtonClick() {
    HidePanels();
    CurrentSaltPanel()->show();
    DisableGroupButtons();
}

void MainForm::IrrSalButtonClick() {
    HidePanels();
    irrSalPanel->show();
    DisableGroupButtons();
    IrrSalButton->setEnabled(true);
}

void MainForm::DrainOpenButtonClick() {
    HidePanels();
    drainPanel->show();
    DisableGroupButtons();
}

void MainForm::CondOpenButtonClick() {
    HidePanels();
    condPanel->show();
    DisableGroupButtons();
}

// The window is not closed from its frame: the closing window is shown, and closing that
// one ends the program.
void MainForm::closeEvent(QCloseEvent* event) {
    event->ignore();
    closeForm->show();
    closeForm->raise();
}

// Copy, cut and paste in the text fields and text boxes go through the window's clipboard like
// those of the Edit menu (the grids handle their own keys).
bool MainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    const bool textField =
        qobject_cast<QLineEdit*>(watched) || qobject_cast<QPlainTextEdit*>(watched);
    if (!textField || !isAncestorOf(widget) || IsInsideGrid(widget))
        return QMainWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (!IsEditCommand(key)) return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (key->matches(QKeySequence::Paste)) EditPaste();
    if (key->matches(QKeySequence::Copy)) EditCopy();
    if (key->matches(QKeySequence::Cut)) EditCut();
    return true;
}

namespace {

StringGrid* GridOf(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (auto* grid = qobject_cast<StringGrid*>(w)) return grid;
    return nullptr;
}

}  // namespace

void MainForm::EditCopy() {
    QWidget* focus = QApplication::focusWidget();
    if (StringGrid* grid = GridOf(focus)) {
        grid->CopyCurrent();
    } else if (auto* edit = qobject_cast<QLineEdit*>(focus)) {
        if (edit->hasSelectedText()) dialogs_.SetClipboardText(edit->selectedText());
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(focus)) {
        // The selection as plain text, with line feeds between its lines.
        const QString selected = text->textCursor().selection().toPlainText();
        if (!selected.isEmpty()) dialogs_.SetClipboardText(selected);
    }
}

void MainForm::EditCut() {
    QWidget* focus = QApplication::focusWidget();
    if (StringGrid* grid = GridOf(focus)) {
        grid->CutCurrent();
        return;
    }
    EditCopy();
    EditDelete();
}

void MainForm::EditDelete() {
    QWidget* focus = QApplication::focusWidget();
    if (StringGrid* grid = GridOf(focus)) {
        grid->DeleteCurrent();
    } else if (auto* edit = qobject_cast<QLineEdit*>(focus)) {
        edit->del();
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(focus)) {
        text->textCursor().removeSelectedText();
    }
}

void MainForm::EditPaste() {
    QWidget* focus = QApplication::focusWidget();
    const QString clip = dialogs_.ClipboardText();
    if (StringGrid* grid = GridOf(focus)) {
        grid->PasteText(clip);
    } else if (auto* edit = qobject_cast<QLineEdit*>(focus)) {
        edit->insert(clip);
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(focus)) {
        text->insertPlainText(clip);
    }
}

}  // namespace halosoil
