#include "OutputPage.h"

#include "ActionGuard.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QStringDecoder>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QVBoxLayout>
#include <exception>

#include "Errors.h"
#include "InputForView.h"
#include "NativeFileName.h"
#include "OutputFileName.h"
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

// Shows the table's numbers right-aligned and cut at the left rather than elided: the cells
// keep the leading blanks of their fixed formats for the clipboard, and in a column of 64
// pixels those blanks would otherwise push the digits out of sight.
class NumberCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->textElideMode = Qt::ElideNone;
        if (index.row() > 0 && index.column() > 0)
            option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
    }
};

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

void OutputPage::BuildWidgets() {
    openOutButton_ = MakeButton(this, "OpenOutButton", "Open output");
    seeGraphsButton_ = MakeButton(this, "SeeGraphsButton", "See graphs");
    seeSaltButton_ = MakeButton(this, "SeeSaltButton", "See salinity output");
    seeHydrButton_ = MakeButton(this, "SeeHydrButton", "See hydrological output");
    copyButton_ = MakeButton(this, "CopyButton", "Copy to clipboard");
    saveCsvButton_ = MakeButton(this, "SaveCsvButton", "Save as CSV");
    outLabel_ = MakeLabel(this, "  See output file  (*.out) for all data", "OutLabel");
    clickLabel_ = MakeLabel(this, "Click table and:", "ClickLabel");
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

    BuildHeadings();

    outGrid_ = new StringGrid(7, 2, this);
    outGrid_->setObjectName("OutGrid");
    outGrid_->setAccessibleName("Output table");
    outGrid_->setItemDelegate(new NumberCellDelegate(outGrid_));
    outGrid_->setWordWrap(false);
    outGrid_->setSelectionMode(QAbstractItemView::ContiguousSelection);

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

    // The table and its headings stand at the left of their layout; the indents follow it.
    auto* tableColumn = new QVBoxLayout;
    tableColumn->setSpacing(0);
    // The headings start where the grid's first column of values does (AlignHeading).
    auto* headings = new QVBoxLayout;
    headings->setSpacing(0);
    headings->addWidget(hydrOutMemo_);
    for (QWidget* heading : saltHeadings_) headings->addWidget(heading);
    auto* headingRow = new QHBoxLayout;
    headingRow->setSpacing(0);
    headingIndent_ = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    headingRow->addSpacerItem(headingIndent_);
    headingRow->addLayout(headings, 1);
    tableColumn->addLayout(headingRow);
    tableColumn->addWidget(outGrid_, 1);
    auto indented = [](QLayoutItem* item, QSpacerItem*& spacer) {
        auto* row = new QHBoxLayout;
        spacer = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
        row->addSpacerItem(spacer);
        row->addItem(item);
        row->addStretch();
        return row;
    };
    auto* clickItem = new QWidgetItem(clickLabel_);
    // The CSV export stands beside "Copy to clipboard" and comes and goes with it.
    auto* copyRow = new QHBoxLayout;
    copyRow->addWidget(copyButton_);
    copyRow->addWidget(saveCsvButton_);
    auto* copyItem = copyRow;

    pageLayout_ = new QVBoxLayout(this);
    pageLayout_->setContentsMargins(0, 8, 0, 8);
    pageLayout_->addLayout(top, 1);
    pageLayout_->addLayout(indented(tableColumn, tableIndent_), 2);
    pageLayout_->addLayout(indented(clickItem, clickIndent_));
    pageLayout_->addLayout(indented(copyItem, copyIndent_));

    ConnectGuarded<OutputPage>(this, dialogs_,
                               {
                                   {openOutButton_, &OutputPage::OpenOutButtonClick},
                                   {seeGraphsButton_, &OutputPage::SeeGraphsButtonClick},
                                   {seeSaltButton_, &OutputPage::SeeSaltButtonClick},
                                   {seeHydrButton_, &OutputPage::SeeHydrButtonClick},
                                   {copyButton_, &OutputPage::CopyButtonClick},
                                   {saveCsvButton_, &OutputPage::SaveCsvButtonClick},
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
    for (QWidget* widget :
         {static_cast<QWidget*>(hydrOutMemo_), static_cast<QWidget*>(saltHeadings_[0]),
          static_cast<QWidget*>(saltHeadings_[1]), static_cast<QWidget*>(saltHeadings_[2]),
          static_cast<QWidget*>(outGrid_), static_cast<QWidget*>(excelLabel_),
          static_cast<QWidget*>(clickLabel_), static_cast<QWidget*>(copyButton_),
          static_cast<QWidget*>(saveCsvButton_)})
        widget->hide();
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
    outGrid_->hide();
    seeSaltButton_->setEnabled(false);
    seeHydrButton_->setEnabled(true);
    FillSalinityTable();
    outGrid_->show();
    excelLabel_->show();
}

void OutputPage::SeeHydrButtonClick() {
    if (!ReadOutput()) return;
    outGrid_->hide();
    seeHydrButton_->setEnabled(false);
    seeSaltButton_->setEnabled(true);
    FillHydrologyTable();
    outGrid_->show();
    excelLabel_->show();
}

}  // namespace halosoil
