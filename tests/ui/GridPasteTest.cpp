// Spreading a pasted block over the time-step grids and the adjustment of the number of time
// steps after it, first on grids of their own, then through the window: Ctrl+V in an open
// cell editor, Ctrl+V on a selected cell and Edit > Paste.
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "GridPaste.h"
#include "MainFormFixture.h"

namespace halosoil::test {
namespace {

// Eleven lines of three tab-separated numbers, each ended by CR LF, as a spreadsheet copies
// them; the first value of line i is 10 * i, the others 10 * i + 1 and 10 * i + 2.
QString Block(int lines, const QString& lineEnd = "\r\n", bool endLastLine = true) {
    QString text;
    for (int i = 1; i <= lines; ++i) {
        text += QString("%1\t%2\t%3").arg(10 * i).arg(10 * i + 1).arg(10 * i + 2);
        if (i < lines || endLastLine) text += lineEnd;
    }
    return text;
}

class GridPasteTest : public ::testing::Test {
protected:
    GridPasteTest() {
        grids.hydr = &hydr;
        grids.salt[1] = &salt1;
        grids.salt[2] = &salt2;
        grids.salt[3] = &salt3;
        grids.irrSal = &irrSal;
        grids.nrTstEdit = &nrTstEdit;
        paste = std::make_unique<GridPaste>(data, window, dialogs, grids);
    }
    void TearDown() override { EXPECT_TRUE(dialogs.unexpected.isEmpty()); }
    // The grid stores the editor's text, then reports it, as a user edit does.
    void EditHydr(int col, int row, const QString& text) {
        hydr.SetCell(col, row, text);
        paste->HydrGridSetEditText(col, row, text);
    }
    void EditSalt(int layers, int col, int row, const QString& text) {
        StringGrid* grid = grids.salt[layers];
        grid->SetCell(col, row, text);
        if (layers == 1) paste->SaltGrid1SetEditText(col, row, text);
        if (layers == 2) paste->SaltGrid2SetEditText(col, row, text);
        if (layers == 3) paste->SaltGrid3SetEditText(col, row, text);
    }
    void EditIrrSal(int col, int row, const QString& text) {
        irrSal.SetCell(col, row, text);
        paste->IrrSalGridSetEditText(col, row, text);
    }
    // Each cell (column, row) of the hydrological grid holds its text.
    void ExpectHydr(std::initializer_list<std::tuple<int, int, QString>> cells) {
        for (const auto& [col, row, text] : cells)
            EXPECT_EQ(hydr.Cell(col, row), text) << "(" << col << ", " << row << ")";
    }

    StringGrid hydr{4, 12};
    StringGrid salt1{4, 12};
    StringGrid salt2{5, 12};
    StringGrid salt3{6, 12};
    StringGrid irrSal{2, 12};
    QLineEdit nrTstEdit;
    InputData data;
    WindowState window;
    ScriptedDialogs dialogs;
    TimeStepGrids grids;
    std::unique_ptr<GridPaste> paste;
};

const QString kLarger =
    "The number of time steps is larger than that given under Hydrological data. It will be "
    "reduced.";
const QString kSmaller =
    "The number of time steps is smaller than that given under Hydrological data. Missing data "
    "must be added";

TEST_F(GridPasteTest, ElevenLinesAtTheFirstCellFillTheTable) {
    data.NrTst = 5;
    data.HydrRows = 5;
    EditHydr(1, 1, Block(11));
    for (int row = 1; row <= 11; ++row)
        for (int col = 1; col <= 3; ++col)
            EXPECT_EQ(hydr.Cell(col, row), QString::number(10 * row + col - 1));
    EXPECT_EQ(data.NrTst, 11);
    EXPECT_EQ(data.HydrRows, 11);
    EXPECT_EQ(nrTstEdit.text(), "11");
    EXPECT_EQ(hydr.RowCount(), 12);
    EXPECT_EQ(hydr.ColCount(), 4);
    EXPECT_TRUE(window.LastEditedHydro);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(hydr.Cell(1, 12), "");  // the last line end opens no further row
}

TEST_F(GridPasteTest, ElevenLinesAtTheThirdRowAddTheRowsAbove) {
    EditHydr(1, 3, Block(11));
    EXPECT_EQ(hydr.Cell(1, 3), "10");
    EXPECT_EQ(hydr.Cell(3, 13), "112");
    EXPECT_EQ(data.NrTst, 11);
    EXPECT_EQ(data.HydrRows, 13);
    EXPECT_EQ(nrTstEdit.text(), "13");
    EXPECT_EQ(hydr.RowCount(), 14);
    EXPECT_EQ(hydr.Cell(0, 13), "13");
    // The salinity grids are numbered up to the number of time steps.
    EXPECT_EQ(salt2.Cell(0, 11), "11");
    EXPECT_EQ(salt2.Cell(0, 12), "");
}

TEST_F(GridPasteTest, ABlockBeyondTheLimitOfTimeStepsKeepsTheirNumber) {
    data.NrTst = 11;
    data.HydrRows = 11;
    nrTstEdit.setText("11");
    EditHydr(1, 3, Block(49999));  // 49999 lines from row 3 would make 50001 rows
    EXPECT_EQ(dialogs.messages,
              QStringList({"The number of time steps is 50001. It can be at most 50000."}));
    EXPECT_EQ(data.NrTst, 11);
    EXPECT_EQ(data.HydrRows, 11);
    EXPECT_EQ(nrTstEdit.text(), "11");
    EXPECT_EQ(hydr.RowCount(), 12);
}

TEST_F(GridPasteTest, WithoutLineEndAfterTheLastLineTenLinesCount) {
    EditHydr(1, 1, Block(11, "\r\n", false));
    EXPECT_EQ(data.NrTst, 10);
    EXPECT_EQ(data.HydrRows, 10);
    EXPECT_EQ(nrTstEdit.text(), "10");
    EXPECT_EQ(hydr.RowCount(), 11);
    // The eleventh line is kept beyond the rows and shows when the table grows.
    EXPECT_EQ(hydr.Cell(2, 11), "111");
    hydr.SetRowCount(12);
    EXPECT_EQ(hydr.item(11, 2)->text(), "111");
}

TEST_F(GridPasteTest, LineFeedsAloneKeepTheBlockInOneRow) {
    EditHydr(1, 1, Block(3, "\n"));
    ExpectHydr({{1, 1, "10"}, {2, 1, "11"}, {3, 1, "1220"}, {4, 1, "21"}, {5, 1, "2230"}});
    ExpectHydr({{7, 1, "32"}, {1, 2, ""}});
    EXPECT_EQ(data.NrTst, 0);
}

TEST_F(GridPasteTest, OnlyDigitsCommasMinusSignsAndPointsArrive) {
    EditHydr(1, 1, "-0.5\t1 234\t1.5E-3\r\n+7\tab9,5\t\r\n");
    ExpectHydr(
        {{1, 1, "-0.5"}, {2, 1, "1234"}, {3, 1, "1.5-3"}, {1, 2, "7"}, {2, 2, "9,5"}, {3, 2, ""}});
}

TEST_F(GridPasteTest, APasteEmptiesTheCellsItEnters) {
    for (int row = 1; row <= 3; ++row)
        for (int col = 1; col <= 3; ++col) hydr.SetCell(col, row, "9");
    EditHydr(1, 1, "5\t\t6\r\n7\r\n");
    ExpectHydr({{1, 1, "5"}, {2, 1, ""}, {3, 1, "6"}, {1, 2, "7"}});
    EXPECT_EQ(hydr.Cell(2, 2), "9");  // not entered by the block
    EXPECT_EQ(hydr.Cell(1, 3), "9");  // nothing follows the last line end
}

TEST_F(GridPasteTest, TwelveOrTenLinesIntoTheOneLayerSalinityGrid) {
    data.HydrRows = 11;
    data.NrTst = 11;
    EditSalt(1, 1, 1, Block(12));
    EXPECT_EQ(dialogs.messages, QStringList({kLarger}));
    EXPECT_EQ(data.NrTst, 11);
    EXPECT_EQ(salt1.RowCount(), 12);
    EXPECT_TRUE(data.OneLayer);
    EXPECT_FALSE(window.LastEditedHydro);
    dialogs.messages.clear();
    EditSalt(1, 1, 1, Block(10));
    EXPECT_EQ(dialogs.messages, QStringList({kSmaller}));
    EXPECT_EQ(data.NrTst, 11);
    dialogs.messages.clear();
    EditSalt(1, 1, 1, Block(11));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(GridPasteTest, ThreeLayersCompareWithTheStepsAndTheRows) {
    data.NrTst = 11;
    data.HydrRows = 13;
    EditSalt(3, 1, 1, Block(12));
    EXPECT_EQ(dialogs.messages, QStringList({kLarger, kSmaller}));
    EXPECT_EQ(data.NrTst, 13);
    EXPECT_EQ(salt3.RowCount(), 14);
    EXPECT_EQ(salt3.Cell(0, 13), "13");
    EXPECT_TRUE(data.ThreeLayers);
    EXPECT_FALSE(data.OneLayer);

    dialogs.messages.clear();
    data.NrTst = 11;
    EditSalt(1, 1, 1, Block(12));  // one layer: only the rows count
    EXPECT_EQ(dialogs.messages, QStringList({kSmaller}));
    EXPECT_EQ(data.NrTst, 13);
}

TEST_F(GridPasteTest, TwoLayerGridSetsItsFlags) {
    data.SetLayerFlags(1);
    EditSalt(2, 3, 4, "2.5");
    EXPECT_TRUE(data.TwoLayers);
    EXPECT_FALSE(data.OneLayer);
    EXPECT_EQ(salt2.Cell(3, 4), "2.5");
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(GridPasteTest, IrrigationSalinityRightAfterAHydrologicalEditActsAsHydrological) {
    EditHydr(2, 2, "5");
    ASSERT_TRUE(window.LastEditedHydro);
    EditIrrSal(1, 1, "1.1\r\n1.2\r\n1.3\r\n1.4\r\n1.5\r\n");
    EXPECT_EQ(irrSal.Cell(1, 5), "1.5");
    EXPECT_EQ(data.NrTst, 5);
    EXPECT_EQ(data.HydrRows, 5);
    EXPECT_EQ(hydr.RowCount(), 6);
    EXPECT_EQ(nrTstEdit.text(), "5");
    EXPECT_TRUE(window.LastEditedHydro);  // the irrigation-salinity grid leaves it as it is
}

TEST_F(GridPasteTest, IrrigationSalinityAfterASalinityEditChecksTheSalinityGrid) {
    data.SetLayerFlags(2);
    data.HydrRows = 11;
    EditSalt(2, 1, 1, "3");
    EditIrrSal(1, 1, "1.1\r\n1.2\r\n");
    EXPECT_EQ(dialogs.messages, QStringList({kSmaller}));
}

TEST_F(GridPasteTest, TypingOneDigitRenumbersTheSalinityGrids) {
    for (StringGrid* grid : {&salt1, &salt2, &salt3})
        for (int row = 1; row <= 11; ++row) grid->SetCell(0, row, "x");
    data.NrTst = 7;
    EditHydr(2, 2, "4");
    for (StringGrid* grid : {&salt1, &salt2, &salt3}) {
        for (int row = 1; row <= 7; ++row) EXPECT_EQ(grid->Cell(0, row), QString::number(row));
        EXPECT_EQ(grid->Cell(0, 8), "x");
    }
    EXPECT_EQ(data.NrTst, 7);
    EXPECT_EQ(hydr.Cell(2, 2), "4");
}

// Through the window: the paste reaches the handler however the user gives it.
class WindowPaste : public MainFormTest {
protected:
    StringGrid* OpenHydrological() {
        form->show();
        GoToInput();
        form->Input().HydrOpenButtonClick();
        StringGrid* grid = G("HydrGrid");
        grid->setFocus();
        grid->setCurrentCell(1, 1);
        QApplication::processEvents();
        return grid;
    }
    void TearDown() override {
        form->hide();
        MainFormTest::TearDown();
    }
};

TEST_F(WindowPaste, CtrlVInAnOpenCellEditorSpreadsTheBlock) {
    StringGrid* grid = OpenHydrological();
    grid->editItem(grid->item(1, 1));
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->model()->index(1, 1)));
    ASSERT_NE(editor, nullptr);
    editor->setText("7");
    dialogs.clipboard = Block(11);
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    QApplication::processEvents();
    // The editor held "7": the first value of the block follows it.
    EXPECT_EQ(grid->Cell(1, 1), "710");
    EXPECT_EQ(grid->Cell(3, 11), "112");
    EXPECT_EQ(form->Data().NrTst, 11);
    EXPECT_EQ(E("NrTstEdit")->text(), "11");
    EXPECT_EQ(grid->item(2, 2)->text(), "21");
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(WindowPaste, PasteFromTheCellEditorsMenuSpreadsTheBlock) {
    StringGrid* grid = OpenHydrological();
    grid->editItem(grid->item(1, 1));
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->model()->index(1, 1)));
    ASSERT_NE(editor, nullptr);
    dialogs.clipboard = Block(11);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2),
                            editor->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(editor, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction* paste = nullptr;
    for (QAction* action : menu->actions())
        if (action->text().startsWith("&Paste")) paste = action;
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    menu->close();
    EXPECT_EQ(grid->Cell(2, 11), "111");
    EXPECT_EQ(form->Data().NrTst, 11);
}

TEST_F(WindowPaste, CtrlVOnASelectedCellSpreadsTheBlock) {
    StringGrid* grid = OpenHydrological();
    grid->setCurrentCell(3, 1);
    dialogs.clipboard = Block(11);
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid->Cell(1, 3), "10");
    EXPECT_EQ(grid->Cell(3, 13), "112");
    EXPECT_EQ(form->Data().HydrRows, 13);
    EXPECT_EQ(grid->RowCount(), 14);
    // The rows the paste opened show the block's values, not cells of their own.
    EXPECT_EQ(grid->item(13, 3)->text(), "112");
    EXPECT_EQ(grid->item(12, 1)->text(), "100");
}

TEST_F(WindowPaste, EditPasteOnASelectedSalinityCell) {
    form->show();
    GoToInput();
    form->Data().SetLayerFlags(1);
    form->Input().SaltOpenButtonClick();
    StringGrid* grid = G("SaltGrid1");
    grid->setFocus();
    grid->setCurrentCell(1, 1);
    QApplication::processEvents();
    dialogs.clipboard = Block(12);
    form->findChild<QAction*>("PasteItem")->trigger();
    EXPECT_EQ(dialogs.messages,
              QStringList({"The number of time steps is larger than that given under "
                           "Hydrological data. It will be reduced."}));
    EXPECT_EQ(grid->RowCount(), 12);
    EXPECT_EQ(grid->Cell(3, 11), "112");
}

TEST_F(WindowPaste, PastedHydrologicalDataCanBeSaved) {
    StringGrid* grid = OpenHydrological();
    dialogs.clipboard = Block(11);
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
    Click("HydrSaveButton");
    EXPECT_EQ(LastMessage(),
              "The hydrological data were saved. Continue with the Soil properties.");
    EXPECT_EQ(form->Data().Rain[11], 110);
    EXPECT_EQ(form->Data().Evap[3], 32);
}

TEST_F(WindowPaste, TypingInTheCellEditorReachesTheHandler) {
    StringGrid* grid = OpenHydrological();
    for (int row = 1; row <= 11; ++row) G("SaltGrid2")->SetCell(0, row, "x");
    grid->setCurrentCell(2, 3);
    grid->editItem(grid->item(2, 3));
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->model()->index(2, 3)));
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "12.5");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(grid->Cell(3, 2), "12.5");
    EXPECT_TRUE(form->Window().LastEditedHydro);
    EXPECT_EQ(G("SaltGrid2")->Cell(0, 11), "11");
    EXPECT_EQ(form->Data().NrTst, 11);
}

TEST_F(WindowPaste, CopyAndDeleteOnASelectedCell) {
    StringGrid* grid = OpenHydrological();
    Type(grid, 1, 1, "42");
    grid->setCurrentCell(1, 1);
    form->Edit().EditCopy();
    EXPECT_EQ(dialogs.clipboard, "42");
    form->Edit().EditDelete();
    EXPECT_EQ(grid->Cell(1, 1), "");
    EXPECT_TRUE(form->Window().LastEditedHydro);
    Type(grid, 2, 1, "43");
    grid->setCurrentCell(1, 2);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(dialogs.clipboard, "43");
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(grid->Cell(2, 1), "");
    grid->setCurrentCell(0, 1);  // the fixed row cannot be changed
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(grid->Cell(1, 0), "mm/timestep");
}

}  // namespace
}  // namespace halosoil::test
