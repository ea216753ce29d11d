// A main window on the offscreen platform with scripted dialogs, run from a temporary working
// folder, and the steps a user takes to enter the seven input groups.
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <tuple>
#include <utility>

#include "CloseForm.h"
#include "CondPanel.h"
#include "DrainForm.h"
#include "DrainPanel.h"
#include "EditMenu.h"
#include "GenPanel.h"
#include "GraphPage.h"
#include "HydrPanel.h"
#include "InputPage.h"
#include "IrrSalPanel.h"
#include "MainForm.h"
#include "OutputPage.h"
#include "SaltPanel.h"
#include "ScriptedDialogs.h"
#include "SoilPanel.h"
#include "StringGrid.h"

// Readable failure output for texts and lists of texts.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace halosoil::test {

// The values a user types into the panels for one project.
struct ProjectEntry {
    QString title1 = "Test plain";
    QString title2 = "Entered by hand";
    int nrTst = 11;
    int stepChoice = 1;  // "Month"
    int layers = 1;
    // Per step: rainfall, irrigation, evaporation.
    std::vector<std::array<QString, 3>> hydro;
    // Per soil grid row: thickness, total and effective porosity, leaching efficiency, initial
    // salinity.
    std::vector<std::array<QString, 5>> soil;
    // Measured salinity cells: (column, row, text).
    std::vector<std::tuple<int, int, QString>> measured;
    std::vector<QString> irrSal;
    bool drains = false;
    QString drainDepth, qh1, qh2;
    // SaltIrrig, WTdepth, CritDepth, Moist, IrrEff, GrwtInf, GrwtOut, SalInf.
    std::array<QString, 8> conditions = {"1.2", "1.6", "1.8", "50", "70", "0.4", "0.5", "2"};
};

// A project of 11 monthly steps for a layer count; the drained ones for two and three layers.
inline ProjectEntry SampleEntry(int layers) {
    ProjectEntry e;
    e.layers = layers;
    const char* rain[] = {"42", "38", "30", "18", "6", "0", "0", "0", "2", "12", "28"};
    const char* irrig[] = {"40", "40", "70", "110", "150", "190", "200", "190", "150", "100", "60"};
    const char* evap[] = {"55", "70", "110", "150", "200", "240", "260", "240", "185", "125", "75"};
    for (int i = 0; i < 11; ++i) {
        e.hydro.push_back({rain[i], irrig[i], evap[i]});
        e.irrSal.push_back(i < 6 ? "1.2" : "1.5");
    }
    if (layers == 1) {
        e.soil = {{"0.6", "45", "8", "80", "6"},
                  {"1.4", "42", "10", "70", "4"},
                  {"10", "38", "15", "100", "2.5"}};
    } else if (layers == 2) {
        e.soil = {{"0.3", "46", "8", "80", "6"},
                  {"0.3", "44", "9", "75", "5.5"},
                  {"1.4", "42", "10", "70", "4"},
                  {"10", "38", "15", "100", "2.5"}};
    } else {
        e.soil = {{"0.2", "46", "8", "80", "6"},
                  {"0.2", "45", "8", "78", "5.8"},
                  {"0.2", "44", "9", "75", "5.5"},
                  {"1.4", "42", "10", "70", "4"},
                  {"10", "38", "15", "100", "2.5"}};
    }
    // Three measurements in the first column: too few to offer the optimisation.
    e.measured = {{1, 2, "6.5"}, {1, 5, "7.25"}, {1, 9, "8"}};
    if (layers > 1) {
        e.drains = true;
        e.drainDepth = "1.5";
        e.qh1 = "0.01";
        e.qh2 = "0.002";
    }
    return e;
}

// The fields of the initial and boundary conditions, in the order of the panel.
inline constexpr const char* kConditionEdits[] = {"SaltIrrigEdit", "WTdepthEdit", "CritDepthEdit",
                                                  "MoistEdit",     "IrrEffEdit",  "GrwtInfEdit",
                                                  "GrwtOutEdit",   "SalInfEdit"};

// The fixture with the dialogs a test needs: scripted ones, or ones that also fail.
template <class DialogsType>
class MainFormTestWith : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        previousFolder = QDir::currentPath();
        QDir::setCurrent(dir.path());
        form = std::make_unique<MainForm>(dialogs);
    }
    void TearDown() override {
        form.reset();
        QDir::setCurrent(previousFolder);
        EXPECT_TRUE(dialogs.unexpected.isEmpty()) << dialogs.unexpected.join("\n").toStdString();
    }

    template <class T>
    T* W(const QString& name) {
        T* widget = form->findChild<T*>(name);
        if (!widget) ADD_FAILURE() << "no widget " << name.toStdString();
        return widget;
    }
    QPushButton* B(const QString& name) { return W<QPushButton>(name); }
    StringGrid* G(const QString& name) { return W<StringGrid>(name); }
    QLineEdit* E(const QString& name) { return W<QLineEdit>(name); }
    QComboBox* C(const QString& name) { return W<QComboBox>(name); }
    QTabWidget* Pages() { return W<QTabWidget>("PageControl"); }
    bool On(const QString& name) { return B(name)->isEnabled(); }
    // Whether a panel is the one on view (the window itself is not shown in most tests).
    bool Shown(const QString& name) { return !W<QWidget>(name)->isHidden(); }
    void Click(const QString& name) { B(name)->click(); }
    void SetText(const QString& name, const QString& text) { E(name)->setText(text); }
    // A user's edit of a cell, reported by the grid as typed.
    void Type(StringGrid* grid, int col, int row, const QString& text) {
        grid->item(row, col)->setText(text);
    }
    void GoToInput() { Pages()->setCurrentIndex(static_cast<int>(WindowPage::Input)); }
    QString LastMessage() const {
        return dialogs.messages.isEmpty() ? QString() : dialogs.messages.last();
    }
    // The names of the enabled buttons among the seven groups and "Save all - Run".
    QStringList EnabledGroupButtons() {
        QStringList enabled;
        for (const char* name :
             {"GenOpenButton", "HydrOpenButton", "SoilOpenButton", "SaltOpenButton", "IrrSalButton",
              "DrainOpenButton", "CondOpenButton", "SaveAllButton"})
            if (On(name)) enabled << name;
        return enabled;
    }
    QStringList ShownPanels() {
        QStringList shown;
        for (const char* name :
             {"GenPanel", "HydrPanel", "Soil1Panel", "Soil2Panel", "Soil3Panel", "Salt1Panel",
              "Salt2Panel", "Salt3Panel", "IrrSalPanel", "DrainPanel", "CondPanel"})
            if (Shown(name)) shown << name;
        return shown;
    }

    void FillGeneral(const ProjectEntry& e) {
        SetText("Tit1Edit", e.title1);
        SetText("Tit2Edit", e.title2);
        SetText("NrTstEdit", QString::number(e.nrTst));
        C("TstCombo")->setCurrentIndex(e.stepChoice);
        C("LayersCombo")->setCurrentIndex(e.layers - 1);
    }
    void FillHydro(const ProjectEntry& e) {
        StringGrid* grid = G("HydrGrid");
        for (int i = 0; i < static_cast<int>(e.hydro.size()); ++i)
            for (int c = 0; c < 3; ++c) Type(grid, c + 1, i + 1, e.hydro[i][c]);
    }
    void FillSoil(const ProjectEntry& e) {
        StringGrid* grid = G(QString("Soil%1Grid").arg(e.layers));
        for (int r = 0; r < static_cast<int>(e.soil.size()); ++r)
            for (int c = 0; c < 5; ++c) Type(grid, c, r, e.soil[r][c]);
    }
    void FillSalinity(const ProjectEntry& e) {
        StringGrid* grid = G(QString("SaltGrid%1").arg(e.layers));
        for (const auto& [col, row, text] : e.measured) Type(grid, col, row, text);
    }
    void FillIrrSal(const ProjectEntry& e) {
        for (int i = 0; i < static_cast<int>(e.irrSal.size()); ++i)
            Type(G("IrrSalGrid"), 1, i + 1, e.irrSal[i]);
    }
    void FillDrainage(const ProjectEntry& e) {
        C("DrainPresentCombo")->setCurrentIndex(e.drains ? 1 : 0);
        W<DrainPanel>("DrainPanel")->DrainPresentComboChange();
        if (e.drains) {
            SetText("DrainDepthEdit", e.drainDepth);
            SetText("DrainQH1Edit", e.qh1);
            SetText("DrainQH2Edit", e.qh2);
        }
    }
    void FillConditions(const ProjectEntry& e) {
        for (int i = 0; i < 8; ++i) SetText(kConditionEdits[i], e.conditions[i]);
    }
    // The texts of the eight condition fields, in the order of ProjectEntry::conditions.
    QStringList ConditionsShown() {
        QStringList texts;
        for (const char* name : kConditionEdits) texts << E(name)->text();
        return texts;
    }

    // The first pass up to the soil group: general and hydrological data saved, the soil
    // grid filled and not yet saved.
    void EnterUpToSoil(const ProjectEntry& e) {
        GoToInput();
        Click("GenOpenButton");
        FillGeneral(e);
        Click("GenSaveButton");
        FillHydro(e);
        Click("HydrSaveButton");
        FillSoil(e);
    }
    // The first pass through the seven groups, each filled and saved in turn.
    void EnterProject(const ProjectEntry& e) {
        EnterUpToSoil(e);
        Click(QString("Soil%1SaveButton").arg(e.layers));
        FillSalinity(e);
        Click(QString("Salt%1SaveButton").arg(e.layers));
        FillIrrSal(e);
        Click("IrrSalSaveButton");
        FillDrainage(e);
        Click("DrainSaveButton");
        FillConditions(e);
        Click("CondSaveButton");
    }
    // "Save all - Run" with the input saved as fileName in the test's folder: the
    // calculations, without refining the drainage capacity.
    void SaveAndRun(const QString& fileName) {
        dialogs.files.push_back(dir.filePath(fileName));
        dialogs.answers = {true, false};
        Click("SaveAllButton");
    }
    // Each named field shows its text: a line edit its text, a combo box its choice.
    void ExpectShown(std::initializer_list<std::pair<const char*, QString>> fields) {
        for (const auto& [name, text] : fields) {
            QWidget* widget = W<QWidget>(name);
            if (auto* edit = qobject_cast<QLineEdit*>(widget))
                EXPECT_EQ(edit->text(), text) << name;
            else if (auto* combo = qobject_cast<QComboBox*>(widget))
                EXPECT_EQ(combo->currentText(), text) << name;
            else
                ADD_FAILURE() << name << " is neither a line edit nor a combo box";
        }
    }
    // Each cell (grid, column, row) holds its text.
    void ExpectCells(std::initializer_list<std::tuple<const char*, int, int, QString>> cells) {
        for (const auto& [grid, col, row, text] : cells)
            EXPECT_EQ(G(grid)->Cell(col, row), text) << grid << " (" << col << ", " << row << ")";
    }

    QTemporaryDir dir;
    QString previousFolder;
    DialogsType dialogs;
    std::unique_ptr<MainForm> form;
};

using MainFormTest = MainFormTestWith<ScriptedDialogs>;

}  // namespace halosoil::test
