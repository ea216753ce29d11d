// The Sensitivity tab of the Calibration page: the targets chosen from a list, Sobol's
// indices or Morris's elementary effects of the checked parameters run on the page's worker,
// their table, and a bar chart of the indices of one target per parameter with their 95 %
// intervals as lines over the bars.
#pragma once

#include <QWidget>
#include <optional>

#include "Dialogs.h"
#include "Sensitivity.h"
#include "StudyInputs.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace halosoil {

class StudyChart;
class StudyProgress;
class StudySaving;

class SensitivityPanel : public QWidget {
    Q_OBJECT
public:
    SensitivityPanel(Dialogs& dialogs, StudySaving& saving, StudyProgress& progress,
                     StudyInputs inputs, QWidget* parent = nullptr);

    // A project of another shape: the targets are its quantities', none checked, and the last
    // study is dropped.
    void StartAfresh(const InputData& project);
    // "Run sensitivity" may be pressed.
    void EnableStart(bool canStart);
    const std::optional<study::SensitivityResult>& Last() const { return sensitivity_; }

    void SensitivityButtonClick();
    void SaveCsvButtonClick();

private:
    void FillTargets(const InputData& project);
    void Show();
    void Plot();

    Dialogs& dialogs_;
    StudySaving& saving_;
    StudyProgress& progress_;
    StudyInputs inputs_;

    std::optional<study::SensitivityResult> sensitivity_;

    QListWidget* targetList_ = nullptr;
    QComboBox* methodCombo_ = nullptr;
    QSpinBox* samplesSpin_ = nullptr;
    QPushButton* runButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QComboBox* targetCombo_ = nullptr;
    QTableWidget* table_ = nullptr;
    StudyChart* chart_ = nullptr;
    QLabel* valueLabel_ = nullptr;
};

}  // namespace halosoil
