// "Save as CSV" on the Output page: the table on display, as it stands in the grid, written
// as CSV beside the specified buttons. The expected rows were read by hand off the hand-written
// one-layer output under tests/data/output-view and its input file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "OutputPageFixture.h"
#include "TestFiles.h"

namespace halosoil {
namespace {

const QByteArray kSalinityCsv =
    "Time step,Root zone calculated (dS/m),Root zone measured (dS/m),"
    "Transition zone calculated (dS/m),Transition zone measured (dS/m),"
    "Aquifer calculated (dS/m),Aquifer measured (dS/m)\n"
    "1,3.45,4.50,2.10,3.25,1.23,2.10\n"
    "2,3.60,,2.15,,1.25,\n"
    "3,3.71,,2.20,5.00,1.26,\n";

const QByteArray kHydrologyCsv =
    "Time step,Rainfall (mm),Irrigation (mm),Potential evaporation (mm),Percolation (mm),"
    "Capillary rise (mm),Actual evaporation (mm),Drainage (mm),Depth of water table (m)\n"
    "1,120.5,300,150.25,12.3,0,45.6,1.2,1.5\n"
    "2,0,85.75,160,10,2.5,50.1,0.8,1.62\n"
    "3,33.1,0,140.4,8.7,3.1,48,0,1.7\n";

// The Output page with the hand-written output file open.
class OutputCsvExportTest : public OutputPageTest {
protected:
    void SetUp() override {
        OutputPageTest::SetUp();
        dialogs_.files.push_back(CopyData("delta") + ".out");
        Click("OpenOutButton");
        dialogs_.messages.clear();
    }

    void Click(const char* name) { QTest::mouseClick(Button(name), Qt::LeftButton); }
    QByteArray Bytes(const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    // Saves the table on display under name; returns the messages shown.
    QStringList SaveAs(const QString& name) {
        dialogs_.messages.clear();
        dialogs_.files.push_back(name);
        Click("SaveCsvButton");
        return dialogs_.messages;
    }
};

TEST_F(OutputCsvExportTest, TheButtonStandsBesideCopyToClipboardOnlyWhileATableIsShown) {
    ASSERT_NE(Button("SaveCsvButton"), nullptr);
    EXPECT_EQ(Button("SaveCsvButton")->text(), "Save as CSV");
    EXPECT_FALSE(Button("SaveCsvButton")->isVisible());
    Click("SeeSaltButton");
    EXPECT_TRUE(Button("SaveCsvButton")->isVisible());
    EXPECT_TRUE(Button("CopyButton")->isVisible());
    dialogs_.files.push_back(folder_.filePath("delta.out"));
    Click("OpenOutButton");
    EXPECT_FALSE(Button("SaveCsvButton")->isVisible());
}

TEST_F(OutputCsvExportTest, SavesTheSalinityTableAndThenTheHydrologyTable) {
    Click("SeeSaltButton");
    const QString salinity = folder_.filePath("salinity.csv");
    EXPECT_EQ(SaveAs(salinity), QStringList{"The table was saved as  " + salinity});
    ASSERT_EQ(dialogs_.fileSpecs.size(), 2);
    EXPECT_EQ(dialogs_.fileSpecs[1].filter, "CSV files (*.csv)|*.csv");
    EXPECT_EQ(dialogs_.fileSpecs[1].defaultExtension, "csv");
    EXPECT_EQ(Bytes(salinity), kSalinityCsv);

    Click("SeeHydrButton");
    const QString hydrology = folder_.filePath("hydrology.csv");
    EXPECT_EQ(SaveAs(hydrology), QStringList{"The table was saved as  " + hydrology});
    EXPECT_EQ(Bytes(hydrology), kHydrologyCsv);
}

TEST_F(OutputCsvExportTest, AnEditedCellIsSavedAsItStandsAndQuotedWhenItHoldsAComma) {
    Click("SeeSaltButton");
    page_->findChild<StringGrid*>("OutGrid")->SetCell(2, 2, "4,2 \"est.\"");
    const QString name = folder_.filePath("edited.csv");
    SaveAs(name);
    EXPECT_TRUE(Bytes(name).contains("\n2,3.60,\"4,2 \"\"est.\"\"\",2.15,,1.25,\n"))
        << Bytes(name).toStdString();
}

TEST_F(OutputCsvExportTest, CancelRefusedOverwriteAndUnwritableFolderLeaveFilesAsTheyWere) {
    Click("SeeSaltButton");
    dialogs_.messages.clear();
    dialogs_.files.push_back(std::nullopt);
    Click("SaveCsvButton");
    EXPECT_EQ(dialogs_.messages, QStringList{"The table was not saved"});

    const QString existing = folder_.filePath("kept.csv");
    ASSERT_NO_FATAL_FAILURE(test::WriteBytes(existing, "earlier"));
    dialogs_.answers.push_back(false);
    EXPECT_TRUE(SaveAs(existing).isEmpty());
    EXPECT_EQ(dialogs_.questions.last(), "The file already exists, overwrite?");
    EXPECT_EQ(Bytes(existing), "earlier");

    dialogs_.answers.push_back(true);
    SaveAs(existing);
    EXPECT_EQ(Bytes(existing), kSalinityCsv);

    const QString unwritable = folder_.filePath("no-such-folder/t.csv");
    const QStringList messages = SaveAs(unwritable);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Cannot create file \"" + unwritable + "\". "))
        << messages[0].toStdString();
    EXPECT_GT(messages[0].size(), ("Cannot create file \"" + unwritable + "\". ").size());
}

}  // namespace
}  // namespace halosoil
