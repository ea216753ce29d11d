// The Output page under test, on scripted dialogs in a folder of its own. The files under
// tests/data/output-view were written by hand from the file layouts: a one-layer output of
// three steps and its input file.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "FindChild.h"
#include "OutputPage.h"
#include "ScriptedDialogs.h"
#include "StringGrid.h"

namespace halosoil {
namespace {

const QString kHyphen = "            -";  // 12 blanks and a hyphen
const QString kCouldNot = "could not be opened. It may be damaged or in use by another program.";

class OutputPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        window_.StartFolder = folder_.path();
        window_.OutputOpenFolder = window_.InputOpenFolder = window_.InputSaveFolder =
            folder_.path();
        page_ =
            std::make_unique<OutputPage>(OutputOnView{data_, state_, readBack_, window_}, dialogs_);
        page_->resize(806, 600);
        page_->show();
    }
    void TearDown() override {
        EXPECT_TRUE(dialogs_.unexpected.isEmpty()) << dialogs_.unexpected.join("; ").toStdString();
    }

    template <class T>
    T* Find(const char* name) {
        return test::FindChild<T>(page_.get(), name);
    }
    QPushButton* Button(const char* name) { return Find<QPushButton>(name); }
    StringGrid* Grid() { return Find<StringGrid>("OutGrid"); }
    QPlainTextEdit* Box(const char* name) { return Find<QPlainTextEdit>(name); }
    QLabel* Label(const char* name) { return Find<QLabel>(name); }

    // Copies the hand-written files into the test's folder under the given base name.
    QString CopyData(const QString& base) {
        const QString from = QString(HALOSOIL_TEST_DATA) + "/output-view/delta";
        const QString to = folder_.filePath(base);
        EXPECT_TRUE(QFile::copy(from + ".out", to + ".out"));
        EXPECT_TRUE(QFile::copy(from + ".inp", to + ".inp"));
        return to;
    }

    // The state a three-step one-layer run leaves, with its output file beside its input.
    void AfterOneLayerRun() {
        const QString base = CopyData("run");
        data_.InputFileName = (base + ".inp").toStdString();
        data_.NrTst = 3;
        data_.NrLayers = 1;
        data_.SetLayerFlags(1);
        state_.SalRoot1 = {0, 3.456, 4.1, 12.347};
        state_.SalTrans = {0, 2.5, 2.61, 3};
        state_.SalAquif = {0, 1.2, 1.25, 1.3};
        data_.MeasSalt[Layer1] = {0, 4.5, -1, 0};
        data_.MeasSalt[Trans] = {0, -1, 2.7, -1};
        data_.MeasSalt[Aquif] = {0, 1.1, -1, 1.4};
        page_->ShowRunOutput();
    }

    // A run of two steps with every series set and every measurement missing.
    void AfterRunOfLayers(int layers) {
        data_.NrTst = 2;
        data_.NrLayers = layers;
        data_.SetLayerFlags(layers);
        for (Series* s : {&state_.SalRoot1, &state_.SalRoot2, &state_.SalRoot3, &state_.SalTrans,
                          &state_.SalAquif})
            *s = {0, 1.5, 1.75};
        for (int zone = Layer1; zone <= Aquif; ++zone) data_.MeasSalt[zone] = {0, -1, -1};
    }

    QStringList MemoLines() { return Box("OutputMemo")->toPlainText().split('\n'); }

    // The left edge of a widget on the page.
    int Left(QWidget* widget) {
        QApplication::processEvents();
        return widget->mapTo(page_.get(), QPoint(0, 0)).x();
    }

    QTemporaryDir folder_;
    InputData data_;
    RunState state_;
    OutputReadBack readBack_;
    WindowState window_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<OutputPage> page_;
};

}  // namespace
}  // namespace halosoil
