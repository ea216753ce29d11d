// A grid cell has one text: whether it came from the user's typing, from the program, from a
// paste or from a Cut, every reader sees the same, and the cells beyond the grid's size keep
// theirs until the grid grows over them again.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "StringGrid.h"

namespace halosoil::test {
namespace {

class StringGridTest : public ::testing::Test {
protected:
    // The cell editors open on a grid on view only.
    StringGridTest() {
        grid.show();
        grid.setFocus();
        QApplication::processEvents();
    }
    // Opens the cell's editor, replaces its text by typing and commits it with Return.
    void TypeInEditor(int col, int row, const QString& text) {
        grid.setCurrentCell(row, col);
        grid.editItem(grid.item(row, col));
        auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(grid.model()->index(row, col)));
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();  // the delegate commits the editor's text when posted
    }
    bool Editable(int col, int row) {
        return grid.item(row, col)->flags().testFlag(Qt::ItemIsEditable);
    }
    void ExpectEdit(int index, int col, int row, const QString& text) {
        ASSERT_LT(index, edits.count());
        const QList<QVariant>& edit = edits.at(index);
        EXPECT_EQ(edit.at(0).toInt(), col);
        EXPECT_EQ(edit.at(1).toInt(), row);
        EXPECT_EQ(edit.at(2).toString(), text);
    }

    StringGrid grid{4, 12};
    QSignalSpy edits{&grid, &StringGrid::CellEdited};
};

TEST_F(StringGridTest, TypedTextIsTheCellsTextAndIsReportedOnce) {
    TypeInEditor(2, 3, "12.5");
    EXPECT_EQ(grid.Cell(2, 3), "12.5");
    EXPECT_EQ(grid.item(3, 2)->text(), "12.5");
    ASSERT_EQ(edits.count(), 1);
    ExpectEdit(0, 2, 3, "12.5");
}

TEST_F(StringGridTest, TextSetByTheProgramShowsInTheCellAndIsNoEdit) {
    grid.SetCell(1, 1, "7");
    grid.SetCell(0, 0, "Time step");
    EXPECT_EQ(grid.item(1, 1)->text(), "7");
    EXPECT_EQ(grid.item(0, 0)->text(), "Time step");
    EXPECT_EQ(grid.Cell(1, 1), "7");
    EXPECT_TRUE(edits.isEmpty());

    TypeInEditor(1, 1, "8");  // the user overwrites the program's text
    EXPECT_EQ(grid.Cell(1, 1), "8");
    grid.SetCell(1, 1, "9");  // and the program the user's
    EXPECT_EQ(grid.item(1, 1)->text(), "9");
    EXPECT_EQ(edits.count(), 1);
}

TEST_F(StringGridTest, HiddenRowsComeBackWithTheirTexts) {
    grid.SetCell(1, 10, "from the program");
    TypeInEditor(2, 11, "66");
    grid.SetRowCount(6);
    EXPECT_EQ(grid.RowCount(), 6);
    EXPECT_EQ(grid.item(10, 1), nullptr);
    EXPECT_FALSE(grid.IsEditableCell(1, 10));
    // Hidden, the cells still answer with their texts.
    EXPECT_EQ(grid.Cell(1, 10), "from the program");
    EXPECT_EQ(grid.Cell(2, 11), "66");

    grid.SetRowCount(12);
    EXPECT_EQ(grid.item(10, 1)->text(), "from the program");
    EXPECT_EQ(grid.item(11, 2)->text(), "66");
    EXPECT_EQ(grid.Cell(2, 11), "66");
    EXPECT_EQ(edits.count(), 1);  // hiding and showing rows is no edit
}

TEST_F(StringGridTest, HiddenColumnsComeBackWithTheirTexts) {
    grid.SetCell(3, 2, "4.5");
    grid.SetCell(3, 0, "mm");
    grid.SetColCount(2);
    EXPECT_EQ(grid.ColCount(), 2);
    EXPECT_EQ(grid.Cell(3, 2), "4.5");
    grid.SetColCount(4);
    EXPECT_EQ(grid.item(2, 3)->text(), "4.5");
    EXPECT_EQ(grid.item(0, 3)->text(), "mm");
}

TEST_F(StringGridTest, TheLastTextWrittenToAHiddenCellIsTheOneThatComesBack) {
    TypeInEditor(1, 8, "1");
    grid.SetRowCount(3);
    grid.SetCell(1, 8, "2");   // written while hidden
    grid.SetCell(2, 20, "3");  // beyond any size the grid had
    EXPECT_EQ(grid.Cell(1, 8), "2");
    EXPECT_EQ(grid.Cell(2, 20), "3");
    grid.SetRowCount(21);
    EXPECT_EQ(grid.item(8, 1)->text(), "2");
    EXPECT_EQ(grid.item(20, 2)->text(), "3");
    EXPECT_EQ(grid.item(15, 1)->text(), "");  // never written: empty, but a cell to type in
    EXPECT_EQ(grid.Cell(1, 15), "");
}

TEST_F(StringGridTest, TheFixedRowAndColumnStayFixedThroughHidingAndGrowing) {
    grid.SetCell(0, 9, "9");
    grid.SetRowCount(1);
    grid.SetColCount(1);
    grid.SetCell(0, 15, "15");  // written while hidden
    grid.SetCell(2, 15, "x");
    grid.SetColCount(4);
    grid.SetRowCount(16);
    for (int row : {0, 9, 15}) EXPECT_FALSE(Editable(0, row)) << row;
    for (int col : {1, 2, 3}) EXPECT_FALSE(Editable(col, 0)) << col;
    for (int row : {1, 9, 15}) EXPECT_TRUE(Editable(2, row)) << row;
    EXPECT_FALSE(grid.IsEditableCell(0, 15));
    EXPECT_TRUE(grid.IsEditableCell(2, 15));
    EXPECT_EQ(grid.item(15, 0)->text(), "15");
    EXPECT_EQ(grid.item(9, 0)->text(), "9");

    StringGrid soil(5, 3, nullptr, false);  // the soil grids have no fixed cells
    soil.SetRowCount(1);
    soil.SetRowCount(4);
    EXPECT_TRUE(soil.item(0, 0)->flags().testFlag(Qt::ItemIsEditable));
    EXPECT_TRUE(soil.item(3, 0)->flags().testFlag(Qt::ItemIsEditable));
}

TEST_F(StringGridTest, APasteOnASelectedCellIsOneEditThatEveryReaderSees) {
    grid.setCurrentCell(2, 1);
    EXPECT_TRUE(grid.PasteText("1\t2\r\n3\t4\r\n"));
    EXPECT_EQ(grid.Cell(1, 2), "1\t2\r\n3\t4\r\n");
    EXPECT_EQ(grid.item(2, 1)->text(), "1\t2\r\n3\t4\r\n");
    ASSERT_EQ(edits.count(), 1);
    ExpectEdit(0, 1, 2, "1\t2\r\n3\t4\r\n");

    grid.setCurrentCell(0, 1);  // the fixed row takes no paste
    EXPECT_FALSE(grid.PasteText("5"));
    EXPECT_EQ(grid.Cell(1, 0), "");
    EXPECT_EQ(edits.count(), 1);
}

TEST_F(StringGridTest, CutEmptiesTheCellForEveryReader) {
    QString clipboard;
    grid.SetClipboardSink([&clipboard](const QString& text) { clipboard = text; });
    grid.SetCell(2, 2, "9");
    grid.setCurrentCell(2, 2);
    grid.CutCurrent();
    EXPECT_EQ(clipboard, "9");
    EXPECT_EQ(grid.Cell(2, 2), "");
    EXPECT_EQ(grid.item(2, 2)->text(), "");
    ASSERT_EQ(edits.count(), 1);
    ExpectEdit(0, 2, 2, "");
}

}  // namespace
}  // namespace halosoil::test
