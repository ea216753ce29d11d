// The grey heading boxes of the Output page stand over the grid's columns: each column name
// of a box's last line ("calculated", "measured", "Rainfall", ...) starts over the column it
// names, never over the step column, for every layer count and with a larger desktop font.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextDocument>
#include <memory>

#include "OutputPageFixture.h"

namespace halosoil {
namespace {

struct NameOnPage {
    QString name;
    int left;
};

// The column names of the box's last written line, with where each starts on the page.
std::vector<NameOnPage> ColumnNames(QPlainTextEdit* box, QWidget* page) {
    QString line;
    for (const QString& text : box->toPlainText().split('\n'))
        if (!text.trimmed().isEmpty()) line = text;
    const QFontMetricsF metrics(box->font());
    const int origin = box->mapTo(page, QPoint(0, 0)).x() + box->frameWidth() +
                       static_cast<int>(box->document()->documentMargin());
    std::vector<NameOnPage> names;
    static const QRegularExpression kName(R"(\S+(?: \S+)*)");
    for (auto match = kName.globalMatch(line); match.hasNext();) {
        const auto next = match.next();
        names.push_back({next.captured(), origin + static_cast<int>(metrics.horizontalAdvance(
                                                       line.left(next.capturedStart())))});
    }
    return names;
}

// The Output page of a run of the parameter's layer count, in a larger window.
class OutputHeadingAlignmentTest : public OutputPageTest,
                                   public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        OutputPageTest::SetUp();
        previousFont_ = QApplication::font();
    }
    void TearDown() override {
        QApplication::setFont(previousFont_);
        OutputPageTest::TearDown();
    }

    void ShowPage(int layers) {
        AfterRunOfLayers(layers);
        for (Series* s :
             {&state_.Percol, &state_.CapRise, &state_.ActEvap, &state_.Drain, &state_.DepthWT})
            *s = {0, 1.5, 1.75};
        for (Series* s : {&data_.Rain, &data_.Irrig, &data_.Evap}) *s = {0, 10, 20};
        for (int zone = Layer1; zone <= Aquif; ++zone) data_.MeasSalt[zone] = {0, -1, 2};
        page_ =
            std::make_unique<OutputPage>(OutputOnView{data_, state_, readBack_, window_}, dialogs_);
        page_->resize(1000, 700);
        page_->show();
    }

    // Fills the grid as the page's button does and shows it.
    void ShowTable(void (OutputPage::*fill)()) {
        (page_.get()->*fill)();
        page_->findChild<StringGrid*>("OutGrid")->show();
    }

    // Each name starts over its own column: at its left edge or a little to its right, and
    // well before the next column.
    void ExpectNamesOverColumns(const char* boxName) {
        QApplication::processEvents();
        auto* box = page_->findChild<QPlainTextEdit*>(boxName);
        auto* grid = page_->findChild<StringGrid*>("OutGrid");
        ASSERT_TRUE(box && grid && box->isVisible());
        const std::vector<NameOnPage> names = ColumnNames(box, page_.get());
        ASSERT_EQ(static_cast<int>(names.size()), grid->ColCount() - 1);
        for (std::size_t k = 0; k < names.size(); ++k) {
            const int column = static_cast<int>(k) + 1;
            const int left =
                grid->viewport()
                    ->mapTo(page_.get(), QPoint(grid->columnViewportPosition(column), 0))
                    .x();
            const int width = grid->columnWidth(column);
            SCOPED_TRACE(names[k].name.toStdString() + " over column " + std::to_string(column));
            EXPECT_GE(names[k].left, left - 6);
            EXPECT_LT(names[k].left, left + width / 2);
        }
    }

    QFont previousFont_;
};

TEST_P(OutputHeadingAlignmentTest, SalinityHeadingsStandOverTheirColumns) {
    const int layers = GetParam();
    ShowPage(layers);
    ShowTable(&OutputPage::FillSalinityTable);
    const char* boxes[] = {nullptr, "OutSalt1Memo", "OutSalt2Memo", "OutSalt3Memo"};
    ExpectNamesOverColumns(boxes[layers]);
}

TEST_P(OutputHeadingAlignmentTest, AlsoWithALargerDesktopFont) {
    QFont larger = QApplication::font();
    larger.setPointSizeF(larger.pointSizeF() * 1.5);
    QApplication::setFont(larger);
    const int layers = GetParam();
    ShowPage(layers);
    ShowTable(&OutputPage::FillSalinityTable);
    const char* boxes[] = {nullptr, "OutSalt1Memo", "OutSalt2Memo", "OutSalt3Memo"};
    ExpectNamesOverColumns(boxes[layers]);
    ShowTable(&OutputPage::FillHydrologyTable);
    ExpectNamesOverColumns("HydrOutMemo");
}

TEST_P(OutputHeadingAlignmentTest, HydrologyHeadingStandsOverItsColumns) {
    ShowPage(GetParam());
    ShowTable(&OutputPage::FillSalinityTable);
    ShowTable(&OutputPage::FillHydrologyTable);
    ExpectNamesOverColumns("HydrOutMemo");
}

INSTANTIATE_TEST_SUITE_P(LayerCounts, OutputHeadingAlignmentTest, ::testing::Values(1, 2, 3));

}  // namespace
}  // namespace halosoil
