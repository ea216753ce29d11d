// The Calibration page's study panels driven alone through what they read of the page (the
// project, the checked parameters, the observations, the weights, the seed and the threads)
// and the run row they share: a refusal of what they read stops the study before it starts,
// and what they read is what the study runs with.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>

#include "EnsemblePanel.h"
#include "Errors.h"
#include "FindChild.h"
#include "InputFile.h"
#include "ScriptedDialogs.h"
#include "SensitivityPanel.h"
#include "StudyProgress.h"
#include "StudySaving.h"

namespace halosoil::test {
namespace {

class StudyPanelsTest : public ::testing::Test {
protected:
    void SetUp() override {
        project_.InputFileName = HALOSOIL_EXAMPLES "/one_layer_monthly.inp";
        ReadInputFile(project_);
        PrepareIrrigSpread(project_);
        parameters_ = {study::MakeParameter("groundwater_inflow", 0, 5, project_),
                       study::MakeParameter("leaching_efficiency_layer1", 30, 100, project_)};
        inputs_.project = [this]() -> const InputData& {
            if (!hasProject_) throw HalosoilError("The input is not complete.");
            return project_;
        };
        inputs_.checkedParameters = [this] {
            if (!refusal_.empty()) throw HalosoilError(refusal_);
            return parameters_;
        };
        inputs_.observations = [] { return study::Observations{}; };
        inputs_.weights = [] { return study::Weights{}; };
        inputs_.seed = [] { return std::uint64_t{7}; };
        inputs_.threads = [] { return 1; };
    }
    void TearDown() override {
        EXPECT_TRUE(dialogs_.unexpected.isEmpty()) << dialogs_.unexpected.join("; ").toStdString();
    }

    EnsemblePanel& Ensemble() {
        if (!ensemble_)
            ensemble_ = std::make_unique<EnsemblePanel>(dialogs_, saving_, progress_, inputs_,
                                                        [this] { return calibration_; });
        return *ensemble_;
    }
    QString Status() { return FindChild<QLabel>(&progress_, "StudyStatusLabel")->text(); }
    QPushButton* Button(QWidget* panel, const char* name) {
        return FindChild<QPushButton>(panel, name);
    }

    ScriptedDialogs dialogs_;
    QString folder_;
    StudySaving saving_{dialogs_, folder_, [](const QString&) {}};
    StudyProgress progress_{dialogs_};
    InputData project_;
    bool hasProject_ = true;
    std::vector<study::Parameter> parameters_;
    std::string refusal_;
    const study::CalibrationResult* calibration_ = nullptr;
    StudyInputs inputs_;
    std::unique_ptr<EnsemblePanel> ensemble_;
};

TEST_F(StudyPanelsTest, AnEnsembleRunsWithTheParametersAndSeedItReads) {
    EnsemblePanel& panel = Ensemble();
    FindChild<QSpinBox>(&panel, "EnsembleMembersSpin")->setValue(3);
    Button(&panel, "EnsembleButton")->click();
    progress_.Wait();
    ASSERT_TRUE(panel.Last().has_value());
    EXPECT_EQ(Status(), "Ensemble of 3 members.");
    EXPECT_EQ(FindChild<QProgressBar>(&progress_, "StudyProgressBar")->value(), 100);
    EXPECT_TRUE(Button(&panel, "SaveBandsCsvButton")->isEnabled());

    // The same members drawn by the library: uniformly within the two bounds, seed 7.
    study::EnsembleSettings settings;
    settings.parameters = parameters_;
    for (const study::Parameter& parameter : parameters_)
        settings.distributions.push_back(study::Uniform(parameter.low, parameter.high));
    settings.members = 3;
    settings.seed = 7;
    settings.options.threads = 1;
    const study::EnsembleResult library = study::RunEnsemble(project_, settings);
    EXPECT_EQ(study::BandsCsv(study::Bands(*panel.Last(), {})),
              study::BandsCsv(study::Bands(library, {})));

    // A project of another shape drops the ensemble and what would save it.
    panel.StartAfresh();
    EXPECT_FALSE(panel.Last().has_value());
    EXPECT_FALSE(Button(&panel, "SaveBandsCsvButton")->isEnabled());
    EXPECT_TRUE(dialogs_.messages.isEmpty()) << dialogs_.messages.join("; ").toStdString();
}

TEST_F(StudyPanelsTest, WhatThePanelCannotReadStopsTheStudyBeforeItStarts) {
    EnsemblePanel& panel = Ensemble();
    refusal_ = "Check at least one parameter.";
    Button(&panel, "EnsembleButton")->click();
    hasProject_ = false;
    Button(&panel, "EnsembleButton")->click();
    hasProject_ = true;
    refusal_.clear();
    // Drawn from a calibration there is none of.
    FindChild<QComboBox>(&panel, "EnsembleSourceCombo")->setCurrentIndex(1);
    Button(&panel, "EnsembleButton")->click();
    EXPECT_EQ(dialogs_.messages,
              QStringList({"Check at least one parameter.", "The input is not complete.",
                           "There is no calibration to draw the members from."}));
    EXPECT_FALSE(progress_.Busy());
    EXPECT_FALSE(panel.Last().has_value());
    EXPECT_EQ(Status(), "");
}

TEST_F(StudyPanelsTest, TheSensitivityTargetsAreTheProjectsAndOneMustBeChosen) {
    SensitivityPanel panel(dialogs_, saving_, progress_, inputs_);
    panel.StartAfresh(project_);
    auto* targets = FindChild<QListWidget>(&panel, "SensitivityTargetList");
    ASSERT_GT(targets->count(), 0);
    EXPECT_EQ(targets->item(targets->count() - 1)->text(), "objective");
    Button(&panel, "SensitivityButton")->click();
    EXPECT_EQ(dialogs_.messages, QStringList({"Choose at least one target."}));
    EXPECT_FALSE(progress_.Busy());

    panel.EnableStart(false);
    EXPECT_FALSE(Button(&panel, "SensitivityButton")->isEnabled());
    EXPECT_FALSE(Button(&panel, "SaveSensitivityCsvButton")->isEnabled());
}

}  // namespace
}  // namespace halosoil::test
