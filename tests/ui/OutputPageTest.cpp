// The Output page: its controls and heading boxes, the output of a run and its tables.
#include "OutputPageFixture.h"

namespace halosoil {
namespace {

TEST_F(OutputPageTest, HasNamedControlsWithTheirTexts) {
    EXPECT_EQ(Button("OpenOutButton")->text(), "Open output");
    EXPECT_EQ(Button("SeeGraphsButton")->text(), "See graphs");
    EXPECT_EQ(Button("SeeSaltButton")->text(), "See salinity output");
    EXPECT_EQ(Button("SeeHydrButton")->text(), "See hydrological output");
    EXPECT_EQ(Button("CopyButton")->text(), "Copy to clipboard");
    EXPECT_EQ(Label("OutLabel")->text(), "  See output file  (*.out) for all data");
    EXPECT_EQ(Label("ClickLabel")->text(), "Click table and:");
    EXPECT_EQ(Label("ExcelLabel")->text(),
              "The data of the table can be copied to a spreadsheet like Excel via the "
              "clipboard");
    EXPECT_NE(Box("OutputMemo"), nullptr);

    StringGrid* grid = Grid();
    EXPECT_EQ(grid->horizontalHeader()->defaultSectionSize(), 64);
    grid->SetRowCount(3);
    EXPECT_FALSE(grid->item(0, 1)->flags() & Qt::ItemIsEditable);  // the fixed row
    EXPECT_FALSE(grid->item(1, 0)->flags() & Qt::ItemIsEditable);  // the fixed column
    EXPECT_TRUE(grid->item(1, 1)->flags() & Qt::ItemIsEditable);
}

TEST_F(OutputPageTest, HeadingBoxesAreGreyReadOnlyAndCarryTheirLines) {
    const std::pair<const char*, QStringList> boxes[] = {
        {"HydrOutMemo",
         {"Rainfall         Irrigation        Pot. Evapor.   Percolation   Capillary rise    "
          "Act. Evapor.  Drainage       Depth WT"}},
        {"OutSalt1Memo",
         {"                                      S A L I N I T Y    D A T A",
          "       R o o t z o n e             T r a n s i t i o n   z o n e             A q u "
          "i f e r",
          "calculated    measured      calculated     measured      calculated     measured"}},
        {"OutSalt2Memo",
         {"                                                      S A L I N I T Y    D A T A",
          "                          R o o t z o n e                                     T r "
          "a n s i t i o n   z o n e               A q u i f e r",
          "             Layer1                                Layer2",
          "calculated     measured      calculated     measured       calculated     "
          "measured       calculated     measured",
          " "}},
        {"OutSalt3Memo",
         {"                                                                                 S "
          "A L I N I T Y    D A T A",
          "                                             R o o t z o n e                      "
          "                                               ",
          "             - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - "
          "- - - - - - - - - - - - - -                   T r a n s i t i o n  z o n e      "
          "         A q u i f e r",
          "             Layer1                               Layer2                          "
          "       Layer3                          ",
          "calculated     measured      calculated     measured      calculated      measured"
          "      calculated     measured      calculated     measured",
          " "}}};
    for (const auto& [name, lines] : boxes) {
        SCOPED_TRACE(name);
        QPlainTextEdit* box = Box(name);
        EXPECT_EQ(box->toPlainText().split('\n'), lines);
        EXPECT_TRUE(box->isReadOnly());
        EXPECT_NE(box->palette().color(QPalette::Base), QColor(Qt::white));
        EXPECT_FALSE(box->isVisible());
    }
}

TEST_F(OutputPageTest, ShowsRunOutputWithTableButtonsAndNoTable) {
    EXPECT_FALSE(Button("SeeGraphsButton")->isEnabled());
    EXPECT_FALSE(Button("SeeSaltButton")->isVisible());
    AfterOneLayerRun();
    EXPECT_TRUE(window_.OutputFromRun);
    const QStringList lines = MemoLines();
    ASSERT_EQ(lines.size(), 19);
    EXPECT_EQ(lines[0], "OUTPUT OF Halosoil");
    EXPECT_EQ(lines[18],
              "        3      8.7      3.1     48.0       0.0      1.70      3.71         2.20"
              "     1.26");
    EXPECT_TRUE(Button("SeeGraphsButton")->isEnabled());
    EXPECT_TRUE(Label("OutLabel")->isVisible());
    for (const char* name : {"SeeSaltButton", "SeeHydrButton"}) {
        EXPECT_TRUE(Button(name)->isVisible()) << name;
        EXPECT_TRUE(Button(name)->isEnabled()) << name;
    }
    for (QWidget* hidden :
         {static_cast<QWidget*>(Grid()), static_cast<QWidget*>(Label("ExcelLabel")),
          static_cast<QWidget*>(Label("ClickLabel")), static_cast<QWidget*>(Button("CopyButton")),
          static_cast<QWidget*>(Box("HydrOutMemo")), static_cast<QWidget*>(Box("OutSalt1Memo"))})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_TRUE(dialogs_.messages.isEmpty());
}

TEST_F(OutputPageTest, SalinityTableAfterRunShowsRunValuesWithoutReadingFiles) {
    AfterOneLayerRun();
    // Without its files the table still comes from memory.
    QFile::remove(folder_.filePath("run.out"));
    QFile::remove(folder_.filePath("run.inp"));
    QTest::mouseClick(Button("SeeSaltButton"), Qt::LeftButton);
    EXPECT_TRUE(dialogs_.messages.isEmpty());
    StringGrid* grid = Grid();
    ASSERT_EQ(grid->RowCount(), 4);
    ASSERT_EQ(grid->ColCount(), 7);
    const QStringList rows[] = {
        {"Time step", "dS/m", "dS/m", "dS/m", "dS/m", "dS/m", "dS/m"},
        {"1", "         3.46", "         4.50", "     2.50", kHyphen, "     1.20", "     1.10"},
        {"2", "         4.10", kHyphen, "     2.61", "     2.70", "     1.25", kHyphen},
        {"3", "        12.35", kHyphen, "     3.00", kHyphen, "     1.30", "     1.40"}};
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 7; ++col) {
            EXPECT_EQ(grid->Cell(col, row), rows[row][col]) << col << "," << row;
            EXPECT_EQ(grid->item(row, col)->text(), rows[row][col]) << col << "," << row;
        }
    EXPECT_TRUE(grid->isVisible());
    EXPECT_TRUE(Label("ExcelLabel")->isVisible());
    EXPECT_FALSE(Button("SeeSaltButton")->isEnabled());
    EXPECT_TRUE(Button("SeeHydrButton")->isEnabled());
}

TEST_F(OutputPageTest, CopiesThreeStepOneLayerTableAsItStands) {
    AfterOneLayerRun();
    QTest::mouseClick(Button("SeeSaltButton"), Qt::LeftButton);
    QTest::mouseClick(Button("CopyButton"), Qt::LeftButton);
    EXPECT_EQ(dialogs_.messages,
              QStringList{"The data are on the clipboard to be pasted elsewhere."});
    const QString expected =
        "Time step\tdS/m\tdS/m\tdS/m\tdS/m\tdS/m\tdS/m\r"
        "1\t         3.46\t         4.50\t     2.50\t            -\t     1.20\t     1.10\r"
        "2\t         4.10\t            -\t     2.61\t     2.70\t     1.25\t            -\r"
        "3\t        12.35\t            -\t     3.00\t            -\t     1.30\t     1.40";
    EXPECT_EQ(dialogs_.clipboard, expected);
    const QStringList rows = dialogs_.clipboard.split('\r');
    ASSERT_EQ(rows.size(), 4);
    for (const QString& row : rows) EXPECT_EQ(row.count('\t'), 6);
    EXPECT_EQ(dialogs_.clipboard.count('\r'), 3);
    EXPECT_FALSE(dialogs_.clipboard.contains('\n'));

    // A cell the user edited is copied as edited.
    Grid()->item(2, 3)->setText("7.5");
    QTest::mouseClick(Button("CopyButton"), Qt::LeftButton);
    EXPECT_EQ(dialogs_.clipboard.split('\r')[2],
              "2\t         4.10\t            -\t7.5\t     2.70\t     1.25\t            -");
}

TEST_F(OutputPageTest, LaysOutSalinityTableByLayerCount) {
    struct Layout {
        int layers, columns, left, width, clickLeft, copyLeft;
        const char* heading;
    };
    const Layout layouts[] = {{1, 7, 100, 480, 106, 102, "OutSalt1Memo"},
                              {2, 9, 50, 610, 56, 52, "OutSalt2Memo"},
                              {3, 11, 10, 740, 16, 12, "OutSalt3Memo"}};
    for (const Layout& l : layouts) {
        SCOPED_TRACE(l.layers);
        AfterRunOfLayers(l.layers);
        page_->FillSalinityTable();
        StringGrid* grid = Grid();
        grid->show();
        EXPECT_EQ(grid->ColCount(), l.columns);
        EXPECT_EQ(grid->RowCount(), 3);
        EXPECT_EQ(grid->width(), l.width);
        EXPECT_EQ(Left(grid), l.left);
        EXPECT_EQ(Left(Label("ClickLabel")), l.clickLeft);
        EXPECT_EQ(Left(Button("CopyButton")), l.copyLeft);
        EXPECT_TRUE(Label("ClickLabel")->isVisible());
        EXPECT_TRUE(Button("CopyButton")->isVisible());
        EXPECT_TRUE(Box(l.heading)->isVisible());
        EXPECT_FALSE(Box("HydrOutMemo")->isVisible());
        // Every measured column shows the hyphen for the missing values.
        for (int col = 2; col < l.columns; col += 2) {
            EXPECT_EQ(grid->Cell(col, 1), kHyphen) << col;
            EXPECT_EQ(grid->Cell(col, 2), kHyphen) << col;
        }
        // The unit heading stands in all ten columns, hidden ones included.
        for (int col = 1; col <= 10; ++col) EXPECT_EQ(grid->Cell(col, 0), "dS/m") << col;
    }
    // Each salinity layout shows its own heading box; the others keep their visibility.
    EXPECT_TRUE(Box("OutSalt1Memo")->isVisible());
}

TEST_F(OutputPageTest, HydrologyTableReadsOutputFileFirst) {
    AfterOneLayerRun();
    data_.Rain = {0, 120.5, 0, 33.1};
    data_.Irrig = {0, 300, 85.75, 0};
    data_.Evap = {0, 150.25, 160, 140.4};
    state_.Percol = {0, 99, 99, 99};  // differs from the file, which must win
    QTest::mouseClick(Button("SeeSaltButton"), Qt::LeftButton);
    QTest::mouseClick(Button("SeeHydrButton"), Qt::LeftButton);
    EXPECT_TRUE(dialogs_.messages.isEmpty());
    StringGrid* grid = Grid();
    ASSERT_EQ(grid->ColCount(), 9);
    ASSERT_EQ(grid->RowCount(), 4);
    const QStringList rows[] = {{"Time step", "mm", "mm", "mm", "mm", "mm", "mm", "mm", " m"},
                                {"1", "120.5", "300", "150.25", "12.3", "0", "45.6", "1.2", "1.5"},
                                {"2", "0", "85.75", "160", "10", "2.5", "50.1", "0.8", "1.62"},
                                {"3", "33.1", "0", "140.4", "8.7", "3.1", "48", "0", "1.7"}};
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 9; ++col)
            EXPECT_EQ(grid->Cell(col, row), rows[row][col]) << col << "," << row;
    EXPECT_EQ(grid->width(), 612);
    EXPECT_EQ(Left(grid), 50);
    EXPECT_EQ(Left(Label("ClickLabel")), 56);
    EXPECT_EQ(Left(Button("CopyButton")), 52);
    EXPECT_TRUE(Box("HydrOutMemo")->isVisible());
    for (const char* name : {"OutSalt1Memo", "OutSalt2Memo", "OutSalt3Memo"})
        EXPECT_FALSE(Box(name)->isVisible()) << name;
    EXPECT_FALSE(Button("SeeHydrButton")->isEnabled());
    EXPECT_TRUE(Button("SeeSaltButton")->isEnabled());
}

TEST_F(OutputPageTest, HydrologyTableStopsWhenOutputFileIsGone) {
    AfterOneLayerRun();
    const QString outName = folder_.filePath("run.out");
    QFile::remove(outName);
    QTest::mouseClick(Button("SeeHydrButton"), Qt::LeftButton);
    EXPECT_EQ(dialogs_.messages, QStringList{"The file " + outName + kCouldNot});
    EXPECT_FALSE(Grid()->isVisible());
    EXPECT_TRUE(Button("SeeHydrButton")->isEnabled());
}

}  // namespace
}  // namespace halosoil
