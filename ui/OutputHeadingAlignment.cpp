// The grey heading boxes of the Output page name the grid's columns word by word: their last
// line holds one name per column from column 1 on, the step column having none. The box is
// moved right to where column 1 begins, and its characters are spaced so that each name starts
// over its own column, whatever the layer count and whatever font size the desktop uses.
#include <QBoxLayout>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSpacerItem>
#include <QTextDocument>

#include "OutputPage.h"
#include "StringGrid.h"

namespace halosoil {

namespace {

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

void OutputPage::AlignHeading(QPlainTextEdit* heading) {
    const QStringList lines = heading->toPlainText().split('\n');
    QString columnLine;
    for (const QString& line : lines)
        if (!line.trimmed().isEmpty()) columnLine = line;
    const std::vector<qsizetype> starts = NameStarts(columnLine);
    const int columns = std::min(static_cast<int>(starts.size()), outGrid_->ColCount() - 1);
    if (columns < 1) return;

    // The characters are spaced so that the names come nearest to the columns' left edges:
    // least squares over the spacing in percent of the characters' own advances, with each
    // name's shift per percent measured as the text layout applies it. The same spacing for
    // every character keeps the upper lines (zones, layers) in place above the names; unlike
    // a point size, a percentage can be met exactly, however the glyphs are rounded.
    auto columnLeft = [this](int col) { return outGrid_->columnViewportPosition(col); };
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
    const int columnOne = outGrid_->frameWidth() + columnLeft(1);
    headingIndent_->changeSize(std::max(0, columnOne - firstName), 0, QSizePolicy::Fixed,
                               QSizePolicy::Minimum);
    pageLayout_->invalidate();
}

}  // namespace halosoil
