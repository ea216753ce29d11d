#include "OutputHeadings.h"

#include <QBoxLayout>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSpacerItem>
#include <QTextDocument>

#include "StringGrid.h"

namespace halosoil {

namespace {

const QStringList kHydrOutLines = {
    "Rainfall         Irrigation        Pot. Evapor.   Percolation   Capillary rise    Act. "
    "Evapor.  Drainage       Depth WT"};
const QStringList kOutSalt1Lines = {
    "                                      S A L I N I T Y    D A T A",
    "       R o o t z o n e             T r a n s i t i o n   z o n e             A q u i f e r",
    "calculated    measured      calculated     measured      calculated     measured"};
const QStringList kOutSalt2Lines = {
    "                                                      S A L I N I T Y    D A T A",
    "                          R o o t z o n e                                     T r a n s i "
    "t i o n   z o n e               A q u i f e r",
    "             Layer1                                Layer2",
    "calculated     measured      calculated     measured       calculated     measured       "
    "calculated     measured",
    " "};
const QStringList kOutSalt3Lines = {
    "                                                                                 S A L I N "
    "I T Y    D A T A",
    "                                             R o o t z o n e                              "
    "                                       ",
    "             - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - "
    "- - - - - - - - - -                   T r a n s i t i o n  z o n e               A q u i f "
    "e r",
    "             Layer1                               Layer2                                 "
    "Layer3                          ",
    "calculated     measured      calculated     measured      calculated      measured      "
    "calculated     measured      calculated     measured",
    " "};

// Where each column name of the line begins, in characters: names are separated by two
// blanks or more ("Pot. Evapor." is one name).
std::vector<qsizetype> NameStarts(const QString& line) {
    std::vector<qsizetype> starts;
    static const QRegularExpression kName(R"((\S+(?: \S+)*))");
    for (auto match = kName.globalMatch(line); match.hasNext();)
        starts.push_back(match.next().capturedStart());
    return starts;
}

}  // namespace

OutputHeadings::OutputHeadings(QWidget* page) : page_(page) {
    hydrology_ = Box("HydrOutMemo", kHydrOutLines);
    salinity_ = {Box("OutSalt1Memo", kOutSalt1Lines), Box("OutSalt2Memo", kOutSalt2Lines),
                 Box("OutSalt3Memo", kOutSalt3Lines)};
    auto* boxes = new QVBoxLayout;
    boxes->setSpacing(0);
    boxes->addWidget(hydrology_);
    for (QWidget* heading : salinity_) boxes->addWidget(heading);
    row_ = new QHBoxLayout;
    row_->setSpacing(0);
    indent_ = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    row_->addSpacerItem(indent_);
    row_->addLayout(boxes, 1);
}

QLayout* OutputHeadings::Row() const {
    return row_;
}

void OutputHeadings::ShowSalinity(int layers, const StringGrid& grid) {
    QPlainTextEdit* heading = salinity_[static_cast<std::size_t>(layers - 1)];
    heading->show();
    Align(heading, grid);
    hydrology_->hide();
}

void OutputHeadings::ShowHydrology(const StringGrid& grid) {
    hydrology_->show();
    Align(hydrology_, grid);
    for (QPlainTextEdit* heading : salinity_) heading->hide();
}

void OutputHeadings::Hide() {
    hydrology_->hide();
    for (QPlainTextEdit* heading : salinity_) heading->hide();
}

bool OutputHeadings::HydrologyShown() const {
    return !hydrology_->isHidden();
}

QPlainTextEdit* OutputHeadings::Box(const char* name, const QStringList& lines) {
    auto* box = new QPlainTextEdit(page_);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setFocusPolicy(Qt::NoFocus);
    QPalette grey = box->palette();
    grey.setColor(QPalette::Base, page_->palette().color(QPalette::Button));
    box->setPalette(grey);
    QFont font = box->font();
    font.setPointSize(7);
    box->setFont(font);
    box->setPlainText(lines.join('\n'));
    const int margins =
        2 * (box->frameWidth() + static_cast<int>(box->document()->documentMargin()));
    box->setFixedHeight(static_cast<int>(lines.size()) * box->fontMetrics().lineSpacing() +
                        margins);
    return box;
}

void OutputHeadings::Align(QPlainTextEdit* heading, const StringGrid& grid) {
    const QStringList lines = heading->toPlainText().split('\n');
    QString columnLine;
    for (const QString& line : lines)
        if (!line.trimmed().isEmpty()) columnLine = line;
    const std::vector<qsizetype> starts = NameStarts(columnLine);
    const int columns = std::min(static_cast<int>(starts.size()), grid.ColCount() - 1);
    if (columns < 1) return;

    // The characters are spaced so that the names come nearest to the columns' left edges:
    // least squares over the spacing in percent of the characters' own advances, with each
    // name's shift per percent measured as the text layout applies it. The same spacing for
    // every character keeps the upper lines (zones, layers) in place above the names; unlike
    // a point size, a percentage can be met exactly, however the glyphs are rounded.
    auto columnLeft = [&grid](int col) { return grid.columnViewportPosition(col); };
    QFont font = heading->font();
    auto namePositions = [&](double percent) {
        font.setLetterSpacing(QFont::PercentageSpacing, percent);
        const QFontMetricsF metrics(font);
        const double firstAt = metrics.horizontalAdvance(columnLine.left(starts[0]));
        std::vector<double> positions;
        for (int k = 0; k < columns; ++k)
            positions.push_back(metrics.horizontalAdvance(columnLine.left(starts[k])) - firstAt);
        return positions;
    };
    double percent = 100;
    // Twice: the second pass corrects what the rounding of the advances left.
    for (int pass = 0; pass < 2; ++pass) {
        constexpr double kProbe = 10;
        const std::vector<double> at = namePositions(percent);
        const std::vector<double> wider = namePositions(percent + kProbe);
        double along = 0, across = 0;
        for (int k = 1; k < columns; ++k) {
            const double shift = (wider[k] - at[k]) / kProbe;
            const double target = columnLeft(k + 1) - columnLeft(1);
            along += shift * (target - at[k]);
            across += shift * shift;
        }
        if (across > 0) percent += along / across;
    }
    font.setLetterSpacing(QFont::PercentageSpacing, percent);
    heading->setFont(font);
    const QFontMetrics fitted(heading->font());
    const int margins =
        heading->frameWidth() + static_cast<int>(heading->document()->documentMargin());
    heading->setFixedHeight(static_cast<int>(lines.size()) * fitted.lineSpacing() + 2 * margins);

    // The first name stands where column 1 begins.
    const int firstName =
        margins +
        static_cast<int>(
            QFontMetricsF(heading->font()).horizontalAdvance(columnLine.left(starts[0])) + 0.5);
    const int columnOne = grid.frameWidth() + columnLeft(1);
    indent_->changeSize(std::max(0, columnOne - firstName), 0, QSizePolicy::Fixed,
                        QSizePolicy::Minimum);
}

}  // namespace halosoil
