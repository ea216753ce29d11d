// The Graphs page under test: a one-layer output file written line by line, and the page on
// scripted dialogs in a folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "../core/FileTestSupport.h"
#include "DrawGraph.h"
#include "FindChild.h"
#include "GraphPage.h"
#include "NumberFormat.h"
#include "QtCanvas.h"
#include "ScriptedDialogs.h"

namespace halosoil {
namespace {

// An output file of one root-zone layer and three time steps, written line by line after
// the output layout: header, efficiency lines, units, the four-line column header and one
// data line per step in fields of 9, 9, 9, 9, 10, 10, 10, 13 and 9 columns.
inline QByteArray OneLayerOutputFile(const QString& name) {
    const char* eol = "\r\n";
    std::string text = std::string("OUTPUT OF Halosoil") + eol;
    text += "Name of this file :" + name.toStdString() + eol;
    text += eol;
    text += std::string("Graph title one") + eol + "Graph title two" + eol;
    text += std::string(
                " 1      3    30      (resp.:  nr. of root zone layers,    tot. nr. of "
                "time steps,    length of time step in days)") +
            eol;
    const char* labels[] = {" Leaching efficiency layer 1   :", " Leaching eff. transit. zone   :",
                            " Leaching efficiency aquifer   :"};
    for (const char* label : labels)
        text += std::string(label) +
                "    0.80  (given),       Coeff. of determination (%) :  n.a." + eol;
    text += std::string(" Units:") + eol;
    text += std::string(
                " Water flow in mm/time step,  Salinity in dS/m,   Depth water table "
                "(DepthWT) in m") +
            eol + eol;
    text += std::string(
                "           Percol.  Cap. rise  Act. Evap  Drainage                    "
                "Salinity (dS/m)") +
            eol;
    text += std::string(
                " Time step - - - - - - - - - - - - - - - - - - - - DepthWT   - - - - - "
                "- - - - - - - - - - -") +
            eol;
    text += std::string(
                "                      (mm/time step)               (m)        Rootzone "
                " Trans. zone  Aquifer") +
            eol;
    text += std::string(
                " - - - - - - - - - - - - - - -- - - - - - - - - - - - - - - - - - - - - "
                "- - - - -") +
            eol;
    for (int i = 1; i <= 3; ++i) {
        text += Whole(i, 9) + Fixed(10.0 * i, 9, 1) + Fixed(1.0, 9, 1) + Fixed(50.0, 9, 1) +
                Fixed(2.5, 10, 1) + Fixed(0.5 + 0.5 * i, 10, 2) + Fixed(2.0 + i, 10, 2) +
                Fixed(1.5, 13, 2) + Fixed(1.2, 9, 2) + eol;
    }
    return QByteArray::fromStdString(text);
}

class GraphPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        window.StartFolder = folder.path();
        data.NrLayers = 1;
        data.SetLayerFlags(1);
        for (Series* s : {&data.Rain, &data.Irrig, &data.Evap}) SizeSeries(*s, 3);
        for (int z = 1; z <= kZoneCount; ++z) data.MeasSalt[z].assign(4, kMissing);
        page = std::make_unique<GraphPage>(OutputOnView{data, state, readBack, window}, dialogs);
        page->show();
    }

    template <typename T>
    T* Child(const char* name) {
        return test::FindChild<T>(page.get(), name);
    }
    QRadioButton* Radio(const char* name) { return Child<QRadioButton>(name); }
    void Click(const char* button) {
        QTest::mouseClick(Child<QPushButton>(button), Qt::LeftButton);
    }
    // "Save graph" with the name chosen in its dialog.
    void SaveGraphAs(const QString& name) {
        dialogs.files.push_back(name);
        Click("SaveGraphButton");
    }
    bool ImageShown() { return Child<QLabel>("GraphImage")->isVisible(); }
    bool PanelShown() { return Child<QGroupBox>("GraphPanel")->isVisible(); }
    bool Enabled(const char* button) { return Child<QPushButton>(button)->isEnabled(); }

    // Writes the output file and makes it the one on display, as "Open output" does.
    QString OpenedOutput() {
        const QString name = folder.filePath("graphs.out");
        QFile file(name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(OneLayerOutputFile(name));
        file.close();
        window.OutputFromRun = false;
        window.OutputFileName = name;
        return name;
    }

    // Draws the water-table graph from the opened output.
    void DrawWaterTable() {
        OpenedOutput();
        page->SeeGraphs();
        Radio("GraphWTRadioButton")->setChecked(true);
        Click("GoButton");
    }

    QByteArray FileBytes(const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    InputData data;
    RunState state;
    OutputReadBack readBack;
    WindowState window;
    ScriptedDialogs dialogs;
    std::unique_ptr<GraphPage> page;
};

}  // namespace
}  // namespace halosoil
