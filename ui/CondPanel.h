// The panel of initial and boundary conditions; saving it completes the input.
#pragma once

#include <array>

#include "InputPanelFrame.h"

class QLineEdit;
class QPushButton;

namespace halosoil {

class CondPanel : public InputPanelFrame {
    Q_OBJECT
public:
    CondPanel(InputData& data, const InputWorkflow& workflow, Dialogs& dialogs, QWidget* parent);

    void SaveButtonClick() override;

    // The panel's fields, in the order it shows them; each holds one number of the record.
    enum class Field { SaltIrrig, WTdepth, CritDepth, Moist, IrrEff, GrwtInf, GrwtOut, SalInf };
    static constexpr int kFieldCount = 8;
    QLineEdit* Edit(Field field) const { return edits_[static_cast<int>(field)]; }

private:
    std::array<QLineEdit*, kFieldCount> edits_{};
};

}  // namespace halosoil
