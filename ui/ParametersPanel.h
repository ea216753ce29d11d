// The Parameters tab of the Calibration page: the parameters a study may move with their
// bounds, the weights of the observed quantities in the objective, and the seed and the
// threads of the studies' runs.
#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

#include "Calibration.h"
#include "InputData.h"

class QLabel;
class QSpinBox;
class QTableWidget;

namespace halosoil {

class ParameterTable;

class ParametersPanel : public QWidget {
    Q_OBJECT
public:
    explicit ParametersPanel(QWidget* parent = nullptr);

    // The page's project; fresh when it has another shape, which sets the table and the
    // weights up afresh; otherwise the table shows the project's values in its bounds.
    void SetProject(const InputData& project, bool fresh);

    // The checked parameters with their bounds; throws the table's refusal.
    std::vector<study::Parameter> Checked() const;
    // Throws a message naming the quantity whose weight is not a number of 0 or more.
    study::Weights Weights() const;
    std::uint64_t Seed() const;
    int Threads() const;

private:
    void FillWeights(const InputData& project);

    ParameterTable* table_ = nullptr;
    QLabel* status_ = nullptr;
    QTableWidget* weightTable_ = nullptr;
    QSpinBox* seedSpin_ = nullptr;
    QSpinBox* threadsSpin_ = nullptr;
};

}  // namespace halosoil
