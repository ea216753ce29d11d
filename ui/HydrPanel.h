// The hydrological data panel: rainfall, irrigation and evaporation per time step.
#pragma once

#include <vector>

#include "InputPanelFrame.h"
#include "WeatherImportDialog.h"

class QPushButton;

namespace halosoil {

class StringGrid;

class HydrPanel : public InputPanelFrame {
    Q_OBJECT
public:
    HydrPanel(InputData& data, const InputWorkflow& workflow, Dialogs& dialogs, QWidget* parent);

    void SaveButtonClick() override;
    // Opens the import of a station's weather without waiting for it: the dialog is modal to
    // the window, and its OK fills the grid.
    void WeatherButtonClick();

    StringGrid* HydrGrid = nullptr;
    QPushButton* WeatherButton = nullptr;

private:
    // The steps' rainfall and evaporation into the grid; the irrigation, which no weather
    // record gives, stays as it is, and nothing reaches the record before Save.
    void FillFromWeather(const std::vector<weather::WeatherStep>& steps);

    // The last import's inputs, for the next one.
    WeatherImportDialog::Choices weatherChoices_ = WeatherImportDialog::DefaultChoices();
};

}  // namespace halosoil
