#include "OutputPage.h"

#include "ActionGuard.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringDecoder>
#include <QVBoxLayout>
#include <exception>

#include "Errors.h"
#include "InputForView.h"
#include "NativeFileName.h"
#include "OutputCsvExport.h"
#include "OutputFileName.h"
#include "OutputTableView.h"
#include "PanelWidgets.h"
#include "StringGrid.h"

namespace halosoil {

namespace {

const QString kOutputFilter = "output files (*.out)|*.out";
const QString kOutputExtension = "out";
const QString kNoOutputSelected = "No output file was selected";

// The name with its extension replaced (or added when it has none).
QString WithExtension(const QString& fileName, const QString& extension) {
    const QFileInfo info(fileName);
    if (info.suffix().isEmpty()) return fileName + extension;
    return fileName.left(fileName.size() - info.suffix().size() - 1) + extension;
}

// The output file is 8-bit text; titles typed in another encoding than UTF-8 are shown as
// Latin-1 rather than as replacement characters.
QString DecodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

QStringList TextLines(const QString& text) {
    QStringList lines = text.split('\n');
    for (QString& line : lines)
        if (line.endsWith('\r')) line.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

}  // namespace

OutputPage::OutputPage(OutputOnView view, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), view_(view), dialogs_(dialogs) {
    BuildWidgets();
    // Nothing to show before a run or an opened output file.
    outLabel_->hide();
    seeGraphsButton_->setEnabled(false);
    for (QPushButton* button : {seeSaltButton_, seeHydrButton_}) {
        button->setEnabled(false);
        button->hide();
    }
    HideTable();
}

OutputPage::~OutputPage() = default;

void OutputPage::BuildWidgets() {
    openOutButton_ = MakeButton(this, "OpenOutButton", "Open output");
    seeGraphsButton_ = MakeButton(this, "SeeGraphsButton", "See graphs");
    seeSaltButton_ = MakeButton(this, "SeeSaltButton", "See salinity output");
    seeHydrButton_ = MakeButton(this, "SeeHydrButton", "See hydrological output");
    table_ = std::make_unique<OutputTableView>(this);
    csv_ = std::make_unique<OutputCsvExport>(dialogs_, view_.window.StartFolder, *table_);
    outLabel_ = MakeLabel(this, "  See output file  (*.out) for all data", "OutLabel");
    excelLabel_ = MakeLabel(
        this, "The data of the table can be copied to a spreadsheet like Excel via the clipboard",
        "ExcelLabel");

    saltNote_ = MakeLabel(this, "", "SaltBudgetNote");
    saltNote_->setWordWrap(true);
    saltNote_->setStyleSheet("QLabel { color: #a00000; }");
    saltNote_->hide();

    outputMemo_ = new QPlainTextEdit(this);
    outputMemo_->setObjectName("OutputMemo");
    outputMemo_->setReadOnly(true);
    outputMemo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    outputMemo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // The Tab key goes from the buttons to the text and then to the table.
    QWidget::setTabOrder(outputMemo_, table_->Grid());

    // The upper part: the buttons, the output text and the table buttons.
    auto* top = new QVBoxLayout;
    top->setContentsMargins(8, 0, 8, 0);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(openOutButton_);
    fileRow->addWidget(outLabel_);
    fileRow->addStretch();
    fileRow->addWidget(seeGraphsButton_);
    top->addLayout(fileRow);
    top->addWidget(saltNote_);
    top->addWidget(outputMemo_, 1);
    auto* tableButtons = new QHBoxLayout;
    tableButtons->addWidget(seeSaltButton_);
    tableButtons->addWidget(seeHydrButton_);
    tableButtons->addWidget(excelLabel_);
    tableButtons->addStretch();
    top->addLayout(tableButtons);

    pageLayout_ = new QVBoxLayout(this);
    pageLayout_->setContentsMargins(0, 8, 0, 8);
    pageLayout_->addLayout(top, 1);
    table_->AddTo(pageLayout_);

    ConnectGuarded<OutputPage>(this, dialogs_,
                               {
                                   {openOutButton_, &OutputPage::OpenOutButtonClick},
                                   {seeGraphsButton_, &OutputPage::SeeGraphsButtonClick},
                                   {seeSaltButton_, &OutputPage::SeeSaltButtonClick},
                                   {seeHydrButton_, &OutputPage::SeeHydrButtonClick},
                                   {table_->CopyButton(), &OutputPage::CopyButtonClick},
                                   {table_->SaveCsvButton(), &OutputPage::SaveCsvButtonClick},
                               });
}

QString OutputPage::CurrentOutputFileName() const {
    if (view_.window.OutputFromRun)
        return FromNative(
            OutputFileNameFor(ToNative(QString::fromStdString(view_.data.InputFileName))));
    return view_.window.OutputFileName;
}

bool OutputPage::ShowOutputText() {
    outputMemo_->clear();
    // An opened output file is shown under the name it was chosen by, so that the text and the
    // tables come from the same file even when its extension is not written ".out".
    const QString fileName =
        view_.window.OutputFromRun
            ? WithExtension(QString::fromStdString(view_.data.InputFileName), ".out")
            : view_.window.OutputFileName;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs_.Message(FromNative(CouldNotOpenMessage(ToNative(fileName))));
        return false;
    }
    outputMemo_->setPlainText(TextLines(DecodeText(file.readAll())).join('\n'));
    return true;
}

void OutputPage::ShowOutputControls() {
    seeGraphsButton_->setEnabled(true);
    outputMemo_->show();
    outLabel_->show();
    for (QPushButton* button : {seeSaltButton_, seeHydrButton_}) {
        button->show();
        button->setEnabled(true);
    }
}

void OutputPage::HideTable() {
    table_->Hide();
    excelLabel_->hide();
}

void OutputPage::ShowRunOutput() {
    view_.window.OutputFromRun = true;
    saltNote_->setText(view_.window.SaltBudgetNote);
    saltNote_->setVisible(!view_.window.SaltBudgetNote.isEmpty());
    ShowOutputText();
    ShowOutputControls();
    HideTable();
}

void OutputPage::DisableOutputButtons() {
    for (QPushButton* button : {seeGraphsButton_, seeSaltButton_, seeHydrButton_})
        button->setEnabled(false);
}

void OutputPage::DisableForOpenedInput() {
    DisableOutputButtons();
    outLabel_->hide();
}

void OutputPage::Fail(const std::exception& error, const QString& fileName) {
    dialogs_.Message(ReadFailureText(error, fileName));
}

bool OutputPage::ReadOutput() {
    return ReadOutputOnView(view_, CurrentOutputFileName(), dialogs_);
}

bool OutputPage::OpenOutput() {
    const std::optional<QString> chosen =
        dialogs_.OpenFile({kOutputFilter, kOutputExtension, view_.window.OutputOpenFolder});
    if (!chosen) {
        dialogs_.Message(kNoOutputSelected);
        return true;
    }
    return OpenOutputFile(*chosen);
}

bool OutputPage::OpenOutputFile(const QString& chosen) {
    view_.window.OutputFileName = chosen;

    // The dialogs start in the folder of the project's input file, not of the chosen output.
    const QString inputFileName = QString::fromStdString(view_.data.InputFileName);
    const QString folder = inputFileName.isEmpty() ? view_.window.StartFolder
                                                   : QFileInfo(inputFileName).absolutePath();
    view_.window.InputOpenFolder = view_.window.InputSaveFolder = view_.window.OutputOpenFolder =
        folder;

    try {
        ReadOutputFile(ToNative(chosen), view_.data, view_.results, view_.readBack);
    } catch (const FileError& error) {
        Fail(error, chosen);  // not opened: nothing in memory has changed
        return false;
    } catch (const std::exception& error) {
        Fail(error, chosen);
        DisableOutputButtons();
        return false;
    }
    view_.window.ViewedInputFileName = WithExtension(chosen, ".inp");
    try {
        ReadInputForView(ToNative(view_.window.ViewedInputFileName), view_.data, &view_.results);
    } catch (const std::exception& error) {
        Fail(error, view_.window.ViewedInputFileName);
        DisableOutputButtons();
        return false;
    }

    view_.window.OutputFromRun = false;
    // A file read back has no budget: the note was the run's.
    saltNote_->hide();
    outputMemo_->hide();
    ShowOutputText();
    ShowOutputControls();
    emit OutputOpened();
    HideTable();
    return true;
}

void OutputPage::OpenOutButtonClick() {
    OpenOutput();
}

void OutputPage::SeeGraphsButtonClick() {
    emit SeeGraphsClicked();
}

void OutputPage::SeeSaltButtonClick() {
    table_->Grid()->hide();
    seeSaltButton_->setEnabled(false);
    seeHydrButton_->setEnabled(true);
    FillSalinityTable();
    table_->Grid()->show();
    excelLabel_->show();
}

void OutputPage::SeeHydrButtonClick() {
    if (!ReadOutput()) return;
    table_->Grid()->hide();
    seeHydrButton_->setEnabled(false);
    seeSaltButton_->setEnabled(true);
    FillHydrologyTable();
    table_->Grid()->show();
    excelLabel_->show();
}

void OutputPage::FillSalinityTable() {
    table_->ShowSalinity(view_.data, view_.results);
}

void OutputPage::FillHydrologyTable() {
    table_->ShowHydrology(view_.data, view_.results);
}

void OutputPage::CopyButtonClick() {
    table_->CopyToClipboard(dialogs_);
}

void OutputPage::SaveCsvButtonClick() {
    csv_->Save();
}

}  // namespace halosoil
