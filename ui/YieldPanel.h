// The yield section of the Decisions tab: where the members of the bands come from, the table
// per step (ECe, relative yield, leaching requirement and the irrigation it implies, with the
// bands' median and 5-95 % when an ensemble ran) and the chart of the relative yield with its
// bands; both saved as the other studies' are.
#pragma once

#include <QWidget>
#include <optional>

#include "YieldComputation.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace halosoil {

class Dialogs;
class StudyChart;
class StudySaving;

class YieldPanel : public QWidget {
    Q_OBJECT
public:
    enum Source { ProjectAsItIs, FromCalibration, UniformWithinBounds };

    YieldPanel(Dialogs& dialogs, StudySaving& saving, QWidget* parent = nullptr);

    Source MembersFrom() const;
    int Members() const;
    QPushButton* ComputeButton() const { return computeButton_; }

    void Show(YieldOutcome outcome, const QString& cropName);
    void Clear();
    const std::optional<YieldOutcome>& Last() const { return last_; }

private:
    void FillTable();
    void Plot(const QString& cropName);

    QComboBox* sourceCombo_ = nullptr;
    QSpinBox* membersSpin_ = nullptr;
    QPushButton* computeButton_ = nullptr;
    QPushButton* saveTableButton_ = nullptr;
    QPushButton* saveChartButton_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QLabel* valueLabel_ = nullptr;
    QTableWidget* table_ = nullptr;
    StudyChart* chart_ = nullptr;
    std::optional<YieldOutcome> last_;
};

}  // namespace halosoil
