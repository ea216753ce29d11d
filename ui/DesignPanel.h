// The design section of the Decisions tab: the controls (movable parameters with the bounds
// they may take), the yield required at every step or at the last, optionally with a
// probability over an ensemble's members, and what to minimise; after a design, the controls
// found, its summary, "Apply to input" and the report.
#pragma once

#include <QWidget>
#include <optional>

#include "InputData.h"
#include "ManagementDesign.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace halosoil {

class ParameterTable;

class DesignPanel : public QWidget {
    Q_OBJECT
public:
    enum Uncertainty { FromCalibration, UniformWithinBounds };

    explicit DesignPanel(QWidget* parent = nullptr);

    // A project of another shape: the controls afresh. The same shape: only their values.
    void SetUp(const InputData& project);
    void ShowValues(const InputData& project);

    // The controls, the requirement, the goal and (with a probability) the members' count and
    // seed; the uncertain parameters are the caller's. Throws the parameter table's refusal.
    study::DesignSettings Settings() const;
    bool WithProbability() const;
    Uncertainty UncertainFrom() const;

    void Show(const study::DesignSettings& settings, study::DesignResult result);
    void Clear();
    const std::optional<study::DesignResult>& Last() const { return last_; }
    const study::DesignSettings& LastSettings() const { return lastSettings_; }

    QPushButton* RunButton() const { return runButton_; }
    QPushButton* ApplyButton() const { return applyButton_; }
    QPushButton* SaveReportButton() const { return saveReportButton_; }

private:
    void FillGoals();

    ParameterTable* controls_ = nullptr;
    QDoubleSpinBox* yieldSpin_ = nullptr;
    QCheckBox* atFinalCheck_ = nullptr;
    QCheckBox* probabilityCheck_ = nullptr;
    QDoubleSpinBox* probabilitySpin_ = nullptr;
    QComboBox* uncertaintyCombo_ = nullptr;
    QSpinBox* membersSpin_ = nullptr;
    QSpinBox* seedSpin_ = nullptr;
    QComboBox* goalCombo_ = nullptr;
    QPushButton* runButton_ = nullptr;
    QPushButton* applyButton_ = nullptr;
    QPushButton* saveReportButton_ = nullptr;
    QTableWidget* resultTable_ = nullptr;
    QPlainTextEdit* summary_ = nullptr;
    std::optional<study::DesignResult> last_;
    study::DesignSettings lastSettings_;
};

}  // namespace halosoil
