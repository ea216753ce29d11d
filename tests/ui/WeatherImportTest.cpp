// "Import weather..." on the hydrological data panel: a station's daily record of January and
// February 2001, written here, becomes the rainfall and evaporation of a project of monthly
// steps. The dialog is opened from the panel's button and driven through its widgets; the
// file dialog answers from the script.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QTableWidget>
#include <map>

#include "MainFormFixture.h"
#include "TestFiles.h"
#include "WeatherImportDialog.h"

namespace halosoil::test {
namespace {

// The days of January and February 2001 (a year of 28 days in February).
constexpr int kDaysIn[] = {31, 28};

QString IsoDay(int month, int day) {
    return QString("2001-%1-%2").arg(month, 2, 10, QChar('0')).arg(day, 2, 10, QChar('0'));
}

// Rain on four days, two of them either side of the month's end, so that a day put into the
// wrong month shows in both sums: January 12.5 + 4 = 16.5 mm, February 6 + 1.25 = 7.25 mm.
const std::map<QString, QString> kRain = {
    {"2001-01-05", "12.5"}, {"2001-01-31", "4"}, {"2001-02-01", "6"}, {"2001-02-28", "1.25"}};
// ET0 of 1.5 mm every day of January and of 2.25 mm every day of February: 31 x 1.5 = 46.5 mm
// and 28 x 2.25 = 63 mm.
const char* const kEt0[] = {"1.5", "2.25"};

// The record with rain and ET0 given on every day. Days in withoutEt0 give their temperatures
// instead, for FAO-56 Penman-Monteith with humidity, wind and radiation estimated.
QByteArray StationRecordText(const QStringList& withoutEt0 = {}) {
    QByteArray text = "date,tmax,tmin,rain,et0\n";
    for (int month = 1; month <= 2; ++month) {
        for (int day = 1; day <= kDaysIn[month - 1]; ++day) {
            const QString date = IsoDay(month, day);
            const auto rain = kRain.find(date);
            const bool computed = withoutEt0.contains(date);
            text += (date + "," + (computed ? "14,3" : ",") + "," +
                     (rain == kRain.end() ? QString("0") : rain->second) + "," +
                     (computed ? QString() : kEt0[month - 1]) + "\n")
                        .toUtf8();
        }
    }
    return text;
}

class WeatherImport : public MainFormTest {
protected:
    // The general data of a project of monthly steps saved, the hydrological panel open with
    // its irrigation typed in and its other cells as the test gives them.
    void OpenHydrology(int steps) {
        GoToInput();
        Click("GenOpenButton");
        SetText("NrTstEdit", QString::number(steps));
        C("TstCombo")->setCurrentIndex(1);  // month
        Click("GenSaveButton");
        ASSERT_EQ(ShownPanels(), QStringList({"HydrPanel"}));
        ASSERT_EQ(form->Data().TstLength, 30);
        for (int row = 1; row <= steps; ++row) {
            Type(G("HydrGrid"), 1, row, QString("rain %1").arg(row));
            Type(G("HydrGrid"), 2, row, QString::number(30 + 10 * row));
            Type(G("HydrGrid"), 3, row, QString("evap %1").arg(row));
        }
        dialogs.messages.clear();
    }
    QString WriteStation(const QString& name, const QByteArray& text) {
        const QString path = dir.filePath(name);
        WriteBytes(path, text);
        return path;
    }
    // The panel's button pressed: the dialog it opens, not waited for.
    WeatherImportDialog* OpenDialog() {
        // A dialog closed before is gone once its deletion is through.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Click("HydrWeatherButton");
        auto* dialog = form->findChild<WeatherImportDialog*>("WeatherImportDialog");
        if (!dialog) ADD_FAILURE() << "the button opened no dialog";
        return dialog;
    }
    // The station file chosen through Browse... and the station described; Kc left as it is.
    void ChooseStation(WeatherImportDialog* dialog, const QString& path) {
        dialogs.files.push_back(path);
        dialog->findChild<QPushButton*>("WeatherBrowseButton")->click();
        dialog->findChild<QLineEdit*>("WeatherLatitudeEdit")->setText("35");
        dialog->findChild<QLineEdit*>("WeatherElevationEdit")->setText("10");
    }
    static QLineEdit* Field(WeatherImportDialog* dialog, const char* name) {
        return dialog->findChild<QLineEdit*>(name);
    }
    static QStringList PreviewRow(WeatherImportDialog* dialog, int row) {
        auto* table = dialog->findChild<QTableWidget*>("WeatherPreviewTable");
        QStringList cells;
        for (int col = 0; col < table->columnCount(); ++col)
            cells << (table->item(row, col) ? table->item(row, col)->text() : QString());
        return cells;
    }
    static int PreviewRows(WeatherImportDialog* dialog) {
        return dialog->findChild<QTableWidget*>("WeatherPreviewTable")->rowCount();
    }
    static QString ErrorShown(WeatherImportDialog* dialog) {
        return dialog->findChild<QLabel*>("WeatherErrorLabel")->text();
    }
    static QString EstimatedShown(WeatherImportDialog* dialog) {
        return dialog->findChild<QLabel*>("WeatherEstimatedLabel")->text();
    }
    static bool OkEnabled(WeatherImportDialog* dialog) {
        return dialog->findChild<QPushButton*>("WeatherOkButton")->isEnabled();
    }
    // The grid's cells of a row: rainfall, irrigation, evaporation.
    QStringList GridRow(int row) {
        StringGrid* grid = G("HydrGrid");
        return {grid->Cell(1, row), grid->Cell(2, row), grid->Cell(3, row)};
    }
};

TEST_F(WeatherImport, TheMonthsOfTheRecordFillRainfallAndEvaporationUntilSaveStoresThem) {
    ASSERT_NO_FATAL_FAILURE(OpenHydrology(2));
    const QString path = WriteStation("station.csv", StationRecordText());
    const Series rainBefore = form->Data().Rain;
    const Series evapBefore = form->Data().Evap;

    WeatherImportDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(OkEnabled(dialog));
    ChooseStation(dialog, path);
    ASSERT_EQ(dialogs.fileSpecs.size(), 1);
    EXPECT_EQ(dialogs.fileSpecs[0].filter, "station files (*.csv)|*.csv");
    EXPECT_EQ(dialogs.fileSpecs[0].defaultExtension, "csv");
    EXPECT_EQ(Field(dialog, "WeatherFileEdit")->text(), path);
    EXPECT_EQ(Field(dialog, "WeatherWindHeightEdit")->text(), "2");
    EXPECT_EQ(Field(dialog, "WeatherKcEdit")->text(), "1.0");

    // Kc 1: the evaporation is the ET0, 46.5 and 63 mm.
    EXPECT_EQ(ErrorShown(dialog), "");
    ASSERT_EQ(PreviewRows(dialog), 2);
    EXPECT_EQ(PreviewRow(dialog, 0),
              QStringList({"1", "2001-01-01", "2001-01-31", "16.50", "46.50"}));
    EXPECT_EQ(PreviewRow(dialog, 1),
              QStringList({"2", "2001-02-01", "2001-02-28", "7.25", "63.00"}));
    EXPECT_EQ(EstimatedShown(dialog), "None of the 59 days rests on estimated inputs.");
    EXPECT_TRUE(OkEnabled(dialog));

    // Kc 0.8: 46.5 x 0.8 = 37.2 and 63 x 0.8 = 50.4 mm; the rain stays.
    Field(dialog, "WeatherKcEdit")->setText("0.8");
    EXPECT_EQ(PreviewRow(dialog, 0),
              QStringList({"1", "2001-01-01", "2001-01-31", "16.50", "37.20"}));
    EXPECT_EQ(PreviewRow(dialog, 1),
              QStringList({"2", "2001-02-01", "2001-02-28", "7.25", "50.40"}));

    QPointer<WeatherImportDialog> watched = dialog;
    dialog->findChild<QPushButton*>("WeatherOkButton")->click();
    EXPECT_TRUE(watched.isNull() || !watched->isVisible());
    EXPECT_EQ(GridRow(1), QStringList({"16.50", "40", "37.20"}));
    EXPECT_EQ(GridRow(2), QStringList({"7.25", "50", "50.40"}));
    // Nothing reaches the record before Save.
    EXPECT_EQ(form->Data().Rain, rainBefore);
    EXPECT_EQ(form->Data().Evap, evapBefore);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();

    Click("HydrSaveButton");
    EXPECT_EQ(LastMessage(),
              "The hydrological data were saved. Continue with the Soil properties.");
    const InputData& data = form->Data();
    ASSERT_GE(data.Rain.size(), 3u);
    ASSERT_GE(data.Evap.size(), 3u);
    EXPECT_DOUBLE_EQ(data.Rain[1], 16.5);
    EXPECT_DOUBLE_EQ(data.Rain[2], 7.25);
    EXPECT_DOUBLE_EQ(data.Irrig[1], 40);
    EXPECT_DOUBLE_EQ(data.Irrig[2], 50);
    EXPECT_DOUBLE_EQ(data.Evap[1], 37.2);
    EXPECT_DOUBLE_EQ(data.Evap[2], 50.4);
}

TEST_F(WeatherImport, ASecondImportStartsFromTheFirstOnesInputs) {
    ASSERT_NO_FATAL_FAILURE(OpenHydrology(2));
    const QString path = WriteStation("station.csv", StationRecordText());
    WeatherImportDialog* first = OpenDialog();
    ASSERT_NE(first, nullptr);
    ChooseStation(first, path);
    Field(first, "WeatherKcEdit")->setText("0.8");
    QPointer<WeatherImportDialog> watched = first;
    first->findChild<QPushButton*>("WeatherOkButton")->click();

    WeatherImportDialog* second = OpenDialog();
    ASSERT_NE(second, nullptr);
    // A closed dialog is not kept.
    EXPECT_TRUE(watched.isNull());
    EXPECT_EQ(Field(second, "WeatherFileEdit")->text(), path);
    EXPECT_EQ(Field(second, "WeatherLatitudeEdit")->text(), "35");
    EXPECT_EQ(Field(second, "WeatherElevationEdit")->text(), "10");
    EXPECT_EQ(Field(second, "WeatherKcEdit")->text(), "0.8");
    // The file is read again at once: the preview stands without a keystroke.
    ASSERT_EQ(PreviewRows(second), 2);
    EXPECT_EQ(PreviewRow(second, 1)[4], "50.40");
    EXPECT_TRUE(OkEnabled(second));
    second->findChild<QPushButton*>("WeatherCancelButton")->click();
}

TEST_F(WeatherImport, ADamagedFileIsNamedWithItsLineAndColumnAndOkStaysDisabled) {
    ASSERT_NO_FATAL_FAILURE(OpenHydrology(2));
    const QString path = WriteStation("damaged.csv",
                                      "date,rain,et0\n"
                                      "2001-01-01,0,1.5\n"
                                      "2001-01-02,x1,1.5\n");
    WeatherImportDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    ChooseStation(dialog, path);
    const QString error = ErrorShown(dialog);
    EXPECT_TRUE(error.startsWith(path + ", line 3, column 2: ")) << error.toStdString();
    EXPECT_TRUE(error.contains("'x1'")) << error.toStdString();
    EXPECT_FALSE(OkEnabled(dialog));
    EXPECT_EQ(PreviewRows(dialog), 0);

    // Changing another field keeps the file's message: the record is still refused.
    Field(dialog, "WeatherKcEdit")->setText("0.9");
    EXPECT_EQ(ErrorShown(dialog), error);
    EXPECT_FALSE(OkEnabled(dialog));

    dialog->findChild<QPushButton*>("WeatherCancelButton")->click();
    EXPECT_EQ(GridRow(1), QStringList({"rain 1", "40", "evap 1"}));
    EXPECT_EQ(GridRow(2), QStringList({"rain 2", "50", "evap 2"}));
}

TEST_F(WeatherImport, AColumnOfAnotherNameIsNamedAndTheRecordStillTaken) {
    ASSERT_NO_FATAL_FAILURE(OpenHydrology(1));
    // January with 1 mm ET0 a day: 31 mm of evaporation, no rain.
    QByteArray text = "date,rain,et0,pressure\n";
    for (int day = 1; day <= 31; ++day) text += (IsoDay(1, day) + ",0,1,101.3\n").toUtf8();
    const QString path = WriteStation("pressure.csv", text);
    WeatherImportDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    ChooseStation(dialog, path);
    EXPECT_EQ(dialog->findChild<QLabel*>("WeatherWarningLabel")->text(),
              path + ": column 4 'pressure' is not a weather variable and is ignored");
    EXPECT_EQ(ErrorShown(dialog), "");
    ASSERT_EQ(PreviewRows(dialog), 1);
    EXPECT_EQ(PreviewRow(dialog, 0),
              QStringList({"1", "2001-01-01", "2001-01-31", "0.00", "31.00"}));
    EXPECT_TRUE(OkEnabled(dialog));
    dialog->findChild<QPushButton*>("WeatherCancelButton")->click();
}

TEST_F(WeatherImport, CancelLeavesTheGridAsItWas) {
    ASSERT_NO_FATAL_FAILURE(OpenHydrology(2));
    const QString path = WriteStation("station.csv", StationRecordText());
    WeatherImportDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    ChooseStation(dialog, path);
    ASSERT_TRUE(OkEnabled(dialog));
    QPointer<WeatherImportDialog> watched = dialog;
    dialog->findChild<QPushButton*>("WeatherCancelButton")->click();
    EXPECT_TRUE(watched.isNull() || !watched->isVisible());
    EXPECT_EQ(GridRow(1), QStringList({"rain 1", "40", "evap 1"}));
    EXPECT_EQ(GridRow(2), QStringList({"rain 2", "50", "evap 2"}));
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // A cancelled import is not remembered either.
    WeatherImportDialog* again = OpenDialog();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(Field(again, "WeatherFileEdit")->text(), "");
    EXPECT_FALSE(OkEnabled(again));
    again->findChild<QPushButton*>("WeatherCancelButton")->click();
}

TEST_F(WeatherImport, AMissingDayIsRefusedUntilGapsAreFilled) {
    ASSERT_NO_FATAL_FAILURE(OpenHydrology(2));
    // 31 January left out: it lies between a day of 4 mm (made 30 January's here) and
    // 1 February's 6 mm, each of their ET0 the month's.
    QByteArray text = StationRecordText();
    text.replace("2001-01-30,,,0,1.5\n", "2001-01-30,,,4,1.5\n");
    text.replace("2001-01-31,,,4,1.5\n", "");
    const QString path = WriteStation("gap.csv", text);
    WeatherImportDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    ChooseStation(dialog, path);
    EXPECT_TRUE(ErrorShown(dialog).contains("2001-01-31 missing from the record"))
        << ErrorShown(dialog).toStdString();
    EXPECT_FALSE(OkEnabled(dialog));
    dialog->findChild<QCheckBox*>("WeatherFillCheck")->setChecked(true);
    ASSERT_TRUE(OkEnabled(dialog)) << ErrorShown(dialog).toStdString();
    // The filled day: rain halfway between 4 and 6 mm, ET0 halfway between 1.5 and 2.25 mm.
    // January: 12.5 + 4 + 5 = 21.5 mm of rain, 30 x 1.5 + 1.875 = 46.875 mm of evaporation.
    EXPECT_EQ(PreviewRow(dialog, 0)[3], WeatherImportDialog::GridText(21.5));
    EXPECT_EQ(PreviewRow(dialog, 0)[4], WeatherImportDialog::GridText(46.875));
    EXPECT_TRUE(EstimatedShown(dialog).startsWith("1 of")) << EstimatedShown(dialog).toStdString();
    dialog->findChild<QPushButton*>("WeatherCancelButton")->click();
}

TEST_F(WeatherImport, ARecordShorterThanTheGridIsRefusedWithTheStepItLacks) {
    ASSERT_NO_FATAL_FAILURE(OpenHydrology(3));
    const QString path = WriteStation("station.csv", StationRecordText());
    WeatherImportDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    ChooseStation(dialog, path);
    const QString error = ErrorShown(dialog);
    EXPECT_TRUE(error.startsWith("step 3 (2001-03-01 to 2001-03-31) is not covered"))
        << error.toStdString();
    EXPECT_TRUE(error.contains("2001-02-28")) << error.toStdString();
    EXPECT_FALSE(OkEnabled(dialog));
    EXPECT_EQ(PreviewRows(dialog), 0);
    dialog->findChild<QPushButton*>("WeatherCancelButton")->click();
}

TEST_F(WeatherImport, TheStationsFieldsAreCheckedAsTheyAreTyped) {
    ASSERT_NO_FATAL_FAILURE(OpenHydrology(2));
    const QString path = WriteStation("station.csv", StationRecordText());
    WeatherImportDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    ChooseStation(dialog, path);
    ASSERT_TRUE(OkEnabled(dialog));

    Field(dialog, "WeatherLatitudeEdit")->setText("95");
    EXPECT_EQ(ErrorShown(dialog), "latitude 95 lies outside -90 to 90 degrees");
    EXPECT_FALSE(OkEnabled(dialog));
    EXPECT_EQ(PreviewRows(dialog), 0);
    Field(dialog, "WeatherLatitudeEdit")->setText("-");
    EXPECT_EQ(ErrorShown(dialog), "latitude: '-' is not a valid floating point value");
    Field(dialog, "WeatherLatitudeEdit")->setText("");
    EXPECT_TRUE(ErrorShown(dialog).startsWith("latitude: ")) << ErrorShown(dialog).toStdString();
    EXPECT_FALSE(OkEnabled(dialog));
    Field(dialog, "WeatherLatitudeEdit")->setText("-35");
    EXPECT_EQ(ErrorShown(dialog), "");
    EXPECT_TRUE(OkEnabled(dialog));

    Field(dialog, "WeatherKcEdit")->setText("2.5");
    EXPECT_EQ(ErrorShown(dialog), "Kc 2.5 lies outside 0 to 2");
    EXPECT_FALSE(OkEnabled(dialog));
    Field(dialog, "WeatherKcEdit")->setText("1");

    Field(dialog, "WeatherStartEdit")->setText("2001-02-30");
    EXPECT_EQ(ErrorShown(dialog),
              "first day of step 1: '2001-02-30' is not a date of the form YYYY-MM-DD");
    EXPECT_FALSE(OkEnabled(dialog));
    // From February on, the record lacks the second month.
    Field(dialog, "WeatherStartEdit")->setText("2001-02-01");
    EXPECT_TRUE(ErrorShown(dialog).startsWith("step 2 (2001-03-01 to 2001-03-31) is not covered"))
        << ErrorShown(dialog).toStdString();
    EXPECT_FALSE(OkEnabled(dialog));
    Field(dialog, "WeatherStartEdit")->setText("");
    EXPECT_TRUE(OkEnabled(dialog));
    dialog->findChild<QPushButton*>("WeatherCancelButton")->click();
    // A refusal is shown in the dialog alone.
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
}

TEST_F(WeatherImport, AStartDateMovesTheSteps) {
    ASSERT_NO_FATAL_FAILURE(OpenHydrology(1));
    const QString path = WriteStation("station.csv", StationRecordText());
    WeatherImportDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    ChooseStation(dialog, path);
    ASSERT_EQ(PreviewRows(dialog), 1);
    EXPECT_EQ(PreviewRow(dialog, 0),
              QStringList({"1", "2001-01-01", "2001-01-31", "16.50", "46.50"}));
    Field(dialog, "WeatherStartEdit")->setText("2001-02-01");
    ASSERT_EQ(PreviewRows(dialog), 1);
    EXPECT_EQ(PreviewRow(dialog, 0),
              QStringList({"1", "2001-02-01", "2001-02-28", "7.25", "63.00"}));
    dialog->findChild<QPushButton*>("WeatherOkButton")->click();
    EXPECT_EQ(GridRow(1), QStringList({"7.25", "40", "63.00"}));
}

TEST_F(WeatherImport, DaysWithoutEt0AreCountedByWhatTheirEvaporationRestsOn) {
    ASSERT_NO_FATAL_FAILURE(OpenHydrology(2));
    // Three days of February give temperatures alone: Penman-Monteith estimates their
    // humidity (from Tmin), wind (2 m/s) and radiation (from the temperature range).
    const QString path =
        WriteStation("station.csv", StationRecordText({"2001-02-10", "2001-02-11", "2001-02-12"}));
    WeatherImportDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    ChooseStation(dialog, path);
    ASSERT_EQ(PreviewRows(dialog), 2);
    EXPECT_EQ(PreviewRow(dialog, 0)[4], "46.50");
    const QString penmanMonteith = PreviewRow(dialog, 1)[4];
    // The other 25 days give 25 x 2.25 = 56.25 mm; the three computed ones add to it.
    EXPECT_GT(penmanMonteith.toDouble(), 56.25);
    EXPECT_EQ(EstimatedShown(dialog),
              "3 of 59 days rest on estimated inputs: humidity 3, wind 3, radiation 3");

    // Inland and coastal stations estimate the radiation differently.
    dialog->findChild<QCheckBox*>("WeatherCoastalCheck")->setChecked(true);
    const QString coastal = PreviewRow(dialog, 1)[4];
    EXPECT_NE(coastal, penmanMonteith);
    EXPECT_EQ(PreviewRow(dialog, 0)[4], "46.50");

    // Hargreaves takes the temperatures alone and estimates nothing.
    dialog->findChild<QComboBox*>("WeatherMethodCombo")->setCurrentIndex(1);
    EXPECT_EQ(EstimatedShown(dialog), "None of the 59 days rests on estimated inputs.");
    EXPECT_NE(PreviewRow(dialog, 1)[4], coastal);
    EXPECT_GT(PreviewRow(dialog, 1)[4].toDouble(), 56.25);
    dialog->findChild<QPushButton*>("WeatherCancelButton")->click();
}

TEST_F(WeatherImport, EveryControlOfTheDialogHasANameAndALabel) {
    ASSERT_NO_FATAL_FAILURE(OpenHydrology(2));
    QPushButton* button = B("HydrWeatherButton");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "Import weather...");
    EXPECT_FALSE(button->accessibleName().isEmpty());
    WeatherImportDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    for (const char* name :
         {"WeatherFileEdit", "WeatherBrowseButton", "WeatherLatitudeEdit", "WeatherElevationEdit",
          "WeatherWindHeightEdit", "WeatherKcEdit", "WeatherStartEdit", "WeatherMethodCombo",
          "WeatherCoastalCheck", "WeatherFillCheck", "WeatherPreviewTable", "WeatherOkButton",
          "WeatherCancelButton"}) {
        SCOPED_TRACE(name);
        auto* control = dialog->findChild<QWidget*>(name);
        ASSERT_NE(control, nullptr);
        EXPECT_FALSE(control->accessibleName().trimmed().isEmpty());
        // A field is named by the label beside it; a button and the tick box by their text.
        bool labelled = false;
        for (QLabel* label : dialog->findChildren<QLabel*>())
            labelled = labelled || label->buddy() == control;
        if (auto* pushButton = qobject_cast<QAbstractButton*>(control))
            labelled = labelled || !pushButton->text().isEmpty();
        EXPECT_TRUE(labelled);
    }
    dialog->findChild<QPushButton*>("WeatherCancelButton")->click();
}

}  // namespace
}  // namespace halosoil::test
