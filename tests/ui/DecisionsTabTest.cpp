// The Decisions tab of the Calibration page: a crop's relative yield per step (with an
// ensemble's bands), the drain-design calculator worked by hand, and a design run on the
// worker that can be cancelled, saved and applied to the input.
#include <QDoubleSpinBox>
#include <QPlainTextEdit>

#include "CalibrationPageFixture.h"
#include "DecisionsTab.h"
#include "ManagementDesign.h"

namespace halosoil::test {
namespace {

class DecisionsTabTest : public CalibrationPageTest {
protected:
    DecisionsTab* Tab() { return W<DecisionsTab>("DecisionsTab"); }
    void ChooseOwnCrop(double threshold, double slope) {
        auto* combo = W<QComboBox>("CropCombo");
        combo->setCurrentIndex(combo->count() - 1);
        W<QDoubleSpinBox>("CropThresholdSpin")->setValue(threshold);
        W<QDoubleSpinBox>("CropSlopeSpin")->setValue(slope);
    }
    void ComputeYield() {
        Click("ComputeYieldButton");
        Tab()->WaitForWork();
    }
    double Number(const char* table, int row, int col) {
        const QTableWidgetItem* item = Table(table)->item(row, col);
        return item ? item->text().toDouble() : std::nan("");
    }
    QString Text(const char* name) { return W<QPlainTextEdit>(name)->toPlainText(); }
    void Type(const char* name, const QString& text) { W<QLineEdit>(name)->setText(text); }
    // A control of the design checked with its bounds.
    void CheckControl(const char* name, const QString& low, const QString& high) {
        ParameterTable* controls = W<ParameterTable>("DesignControlTable");
        const int row = controls->RowOf(name);
        ASSERT_GE(row, 0) << name;
        controls->item(row, ParameterTable::NameColumn)->setCheckState(Qt::Checked);
        controls->item(row, ParameterTable::LowColumn)->setText(low);
        controls->item(row, ParameterTable::HighColumn)->setText(high);
    }
    void ChooseGoal(const QString& goal) {
        auto* combo = W<QComboBox>("DesignGoalCombo");
        const int index = combo->findText(goal);
        ASSERT_GE(index, 0) << goal.toStdString();
        combo->setCurrentIndex(index);
    }
};

TEST_F(DecisionsTabTest, TheYieldFollowsTheCropsThresholdAndSlopeStepByStep) {
    OpenExample();
    const int steps = BatchProject().NrTst;

    // Barley, the table's first crop: 8.0 dS/m and 5 % per dS/m.
    EXPECT_EQ(W<QComboBox>("CropCombo")->currentText(), "barley");
    EXPECT_DOUBLE_EQ(W<QDoubleSpinBox>("CropThresholdSpin")->value(), 8.0);
    EXPECT_DOUBLE_EQ(W<QDoubleSpinBox>("CropSlopeSpin")->value(), 5.0);
    EXPECT_TRUE(W<QDoubleSpinBox>("CropThresholdSpin")->isReadOnly());

    // A threshold no soil moisture of this example reaches: the full yield at every step.
    ChooseOwnCrop(1000, 1);
    ComputeYield();
    ASSERT_EQ(Table("YieldTable")->rowCount(), steps);
    for (int row = 0; row < steps; ++row) {
        EXPECT_EQ(Number("YieldTable", row, 0), row + 1);
        EXPECT_DOUBLE_EQ(Number("YieldTable", row, 2), 100.0) << row;
    }

    // Threshold 0 and 10 % per dS/m: Yr = 100 - 10 ECe, kept at 0 or above, from the ECe shown
    // (four decimals, so the yield to 0.001 and its two decimals' rounding).
    ChooseOwnCrop(0, 10);
    EXPECT_EQ(Table("YieldTable")->rowCount(), 0) << "a yield of another crop stays shown";
    ComputeYield();
    ASSERT_EQ(Table("YieldTable")->rowCount(), steps);
    for (int row = 0; row < steps; ++row) {
        const double ece = Number("YieldTable", row, 1);
        EXPECT_GT(ece, 0);
        EXPECT_NEAR(Number("YieldTable", row, 2), std::max(0.0, 100 - 10 * ece), 0.006) << row;
    }
    // The irrigation's 1.2 dS/m against a threshold of 0: LR = 1.2 / (0 - 1.2) is no share,
    // so no amount of water keeps the threshold and the cell stays empty.
    EXPECT_TRUE(Table("YieldTable")->item(0, 3)->text().isEmpty());

    // Half the soil moisture's salinity by default; twice the factor, twice the ECe.
    const double half = Number("YieldTable", steps - 1, 1);
    W<QDoubleSpinBox>("EceFactorSpin")->setValue(1.0);
    ComputeYield();
    EXPECT_NEAR(Number("YieldTable", steps - 1, 1), 2 * half, 2e-4);
    QXYSeries* project = XY(W<StudyChart>("YieldChart"), "the project");
    ASSERT_NE(project, nullptr);
    EXPECT_EQ(project->count(), steps);

    // The table saves as CSV, a line a step under the headings; the chart as SVG or PNG.
    dialogs.files.push_back(Path("yield.csv"));
    Click("SaveYieldCsvButton");
    dialogs.files.push_back(Path("yield.svg"));
    Click("SaveYieldChartButton");
    dialogs.files.push_back(Path("yield.png"));
    Click("SaveYieldChartButton");
    const auto bytes = [this](const char* name) {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QList<QByteArray> lines = bytes("yield.csv").trimmed().split('\n');
    ASSERT_EQ(lines.size(), steps + 1);
    EXPECT_TRUE(lines[0].startsWith("step,ECe (dS/m),relative yield (%),"));
    EXPECT_TRUE(lines[1].startsWith("1,"));
    // Without an ensemble the bands' columns are neither shown nor saved.
    EXPECT_TRUE(lines[0].endsWith("irrigation needed (mm)")) << lines[0].toStdString();
    EXPECT_TRUE(bytes("yield.svg").contains("<svg"));
    EXPECT_TRUE(bytes("yield.png").startsWith("\x89PNG\r\n\x1a\n"));
}

TEST_F(DecisionsTabTest, AnEnsemblesBandsOfTheYieldAreTabledAndCharted) {
    OpenExample();
    Check("leaching_efficiency_layer1", "30", "100");
    ChooseOwnCrop(0, 10);
    W<QComboBox>("YieldSourceCombo")->setCurrentIndex(2);
    W<QSpinBox>("YieldMembersSpin")->setValue(20);
    ComputeYield();
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
    const int steps = Table("YieldTable")->rowCount();
    ASSERT_GT(steps, 0);
    EXPECT_FALSE(Table("YieldTable")->isColumnHidden(5));
    for (int row = 0; row < steps; ++row) {
        const double median = Number("YieldTable", row, 5), q05 = Number("YieldTable", row, 6),
                     q95 = Number("YieldTable", row, 7);
        EXPECT_LE(q05, median) << row;
        EXPECT_LE(median, q95) << row;
        EXPECT_GE(q05, 0);
        EXPECT_LE(q95, 100);
    }
    EXPECT_EQ(SeriesNames(W<StudyChart>("YieldChart")),
              QStringList({"5-95 %", "25-75 %", "median", "the project"}));
    EXPECT_TRUE(W<QLabel>("YieldStatusLabel")->text().contains("bands of 20 members"));

    // Members from a calibration that has not been made are refused, by name.
    W<QComboBox>("YieldSourceCombo")->setCurrentIndex(1);
    Click("ComputeYieldButton");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].startsWith("There is no calibration to draw the members from"));
}

TEST_F(DecisionsTabTest, TheDrainCalculatorGivesHooghoudtsFactorsAndTheInverse) {
    OpenExample();
    // K1 = K2 = 1 m/day, D = 5 m, r = 0.1 m, L = 50 m: D/L = 0.1, so Moody's first form,
    // d = 5 / (1 + 0.1 (8/pi ln 50 - 3.4)) = 5 / (1 + 0.1 (2.546479 x 3.912023 - 3.4))
    //   = 5 / 1.6561887 = 3.018980 m; QH1 = 8 x 1 x 3.018980 / 2500 = 0.00966074 and
    // QH2 = 4 x 1 / 2500 = 0.0016.
    Type("DrainKAboveEdit", "1");
    Type("DrainKBelowEdit", "1");
    Type("DrainImperviousEdit", "5");
    Type("DrainRadiusEdit", "0.1");
    Type("DrainSpacingEdit", "50");
    Click("DrainFactorsButton");
    EXPECT_EQ(Text("DrainResultText"),
              "Drain spacing L (m): 50\nEquivalent depth d (m): 3.01898\n"
              "Drainage reaction factor QH1 (m/day/m): 0.00966074\n"
              "Drainage reaction factor QH2 (m/day/msq): 0.0016\n");

    // The spacing of that QH1 is the 50 m again.
    Type("DrainWantedQh1Edit", "0.00966074");
    Click("DrainSpacingButton");
    EXPECT_NEAR(W<QLineEdit>("DrainSpacingEdit")->text().toDouble(), 50, 1e-3);

    // A letter or a zero is refused by the field's name, not by an option of the batch runner.
    Type("DrainKBelowEdit", "1x");
    Click("DrainFactorsButton");
    EXPECT_EQ(Text("DrainResultText"),
              "Hydraulic conductivity below drain level K2 (m/day): \"1x\" is not a number.");
    Type("DrainKBelowEdit", "1");
    Type("DrainRadiusEdit", "0");
    Click("DrainFactorsButton");
    EXPECT_EQ(Text("DrainResultText"), "Drain radius r (m): 0 must be a number above 0.");
}

TEST_F(DecisionsTabTest, ADesignMinimisingAControlFindsItsLowBoundAndIsAppliedAndSaved) {
    OpenExample();
    // Nothing asked of the yield: the least groundwater inflow the bounds allow, 1 mm/day.
    ChooseOwnCrop(0, 10);
    W<QDoubleSpinBox>("RequiredYieldSpin")->setValue(0);
    CheckControl("groundwater_inflow", "1", "4");
    ChooseGoal("groundwater_inflow");
    EXPECT_FALSE(On("DesignApplyButton"));
    Click("DesignButton");
    Tab()->WaitForWork();
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
    ASSERT_EQ(Table("DesignTable")->rowCount(), 1);
    EXPECT_EQ(Table("DesignTable")->item(0, 0)->text(), "groundwater_inflow");
    const double value = Number("DesignTable", 0, 1);
    EXPECT_NEAR(value, 1.0, 1e-3);
    EXPECT_TRUE(Text("DesignSummaryText").startsWith("Design after "));

    dialogs.files.push_back(Path("design.json"));
    Click("SaveDesignReportButton");
    QFile report(Path("design.json"));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const auto json = nlohmann::json::parse(report.readAll().toStdString());
    EXPECT_NEAR(json["controls"]["groundwater_inflow"]["value"].get<double>(), value, 1e-6);

    Click("DesignApplyButton");
    EXPECT_NEAR(form->Data().GrwtInf, value, 1e-6);
}

TEST_F(DecisionsTabTest, ADesignNoControlMeetsSaysSoAndACancelledOneLeavesNoResult) {
    OpenExample();
    // Threshold 0 and 100 % per dS/m: 90 % needs an ECe of 0.1 dS/m or less, which the
    // irrigation's 1.2 dS/m never leaves the root zone.
    ChooseOwnCrop(0, 100);
    CheckControl("groundwater_inflow", "1", "4");
    Click("DesignButton");
    Tab()->WaitForWork();
    EXPECT_TRUE(
        Text("DesignSummaryText")
            .startsWith("No design within the bounds meets relative_yield>=90; the nearest"))
        << Text("DesignSummaryText").toStdString();

    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    Tab()->Worker().SetStartGate([released] { released.wait(); });
    Click("DesignButton");
    EXPECT_TRUE(On("DecisionsCancelButton"));
    EXPECT_FALSE(On("DesignButton"));
    EXPECT_FALSE(On("ComputeYieldButton"));
    Click("DecisionsCancelButton");
    release.set_value();
    Tab()->WaitForWork();
    Tab()->Worker().SetStartGate(nullptr);
    EXPECT_EQ(W<QLabel>("DecisionsStatusLabel")->text(), "The study was cancelled.");
    EXPECT_TRUE(On("DesignButton"));
    EXPECT_FALSE(On("DecisionsCancelButton"));
}

}  // namespace
}  // namespace halosoil::test
