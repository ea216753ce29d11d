// Shows each value of an input file in its panel control as soon as the reader has stored
// it, so that the controls keep what was read when a later field fails.
#pragma once

#include "InputFile.h"
#include "InputPanels.h"

namespace halosoil {

class InputReadDisplay : public InputReadListener {
public:
    InputReadDisplay(InputData& data, InputWorkflow& workflow, const InputPanels& panels)
        : data_(data), workflow_(workflow), panels_(panels) {}

    void ItemRead(InputItem item, int index) override;
    void MeasuredRowRead(int step, const std::array<std::string, kZoneCount + 1>& texts) override;
    // After a successful read: a file of no time steps had no measured row to size by.
    void ReadingEnded();

private:
    // Shows the number or numbers the item stands for in their fields.
    void ShowNumbers(InputItem item);
    void ShowDrainage();
    void ShowHydrologicalFrame();
    void ShowMeasuredFrame();
    void ShowHydrologicalValue(InputItem item, int step);
    void ShowSoilValue(int column, double value, int zone);

    InputData& data_;
    InputWorkflow& workflow_;
    const InputPanels& panels_;
};

}  // namespace halosoil
