#include "HydrPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "ActionGuard.h"
#include "PanelWidgets.h"
#include "StringGrid.h"
#include "StringToFloat.h"

namespace halosoil {

HydrPanel::HydrPanel(InputData& data, const InputWorkflow& workflow, Dialogs& dialogs,
                     QWidget* parent)
    : InputPanelFrame(data, workflow, dialogs, "HydrPanel", parent) {
    HydrGrid = MakeStepGrid(this, "HydrGrid", "Hydrological data (mm per time step)", 4, 90);
    // The note and the import button share the place at the foot's left. The button is made
    // before the foot's Cancel and Save, right of it, so that the Tab key meets it first.
    auto* footLeft = new QWidget(this);
    WeatherButton = MakeButton(footLeft, "HydrWeatherButton", "Import weather...");
    WeatherButton->setAccessibleName("Import rainfall and evaporation from a station's weather");
    ConnectGuarded<HydrPanel>(this, dialogs_, {{WeatherButton, &HydrPanel::WeatherButtonClick}});
    MakeFootButtons("HydrQuitButton", "HydrSaveButton");

    // The column labels stand above the grid's data columns.
    auto* columnLabels = new QHBoxLayout;
    columnLabels->setSpacing(0);
    columnLabels->addSpacing(90);
    for (const char* text : {"Rainfall", "Irrigation", "Evaporation"}) {
        QLabel* label = MakeLabel(this, text);
        label->setFixedWidth(90);
        label->setAlignment(Qt::AlignCenter);
        columnLabels->addWidget(label);
    }
    columnLabels->addStretch(1);

    auto* content = new QVBoxLayout;
    content->addLayout(columnLabels);
    content->addWidget(HydrGrid, 1);
    auto* footLeftLayout = new QHBoxLayout(footLeft);
    footLeftLayout->setContentsMargins(0, 0, 0, 0);
    footLeftLayout->addWidget(MakeLabel(footLeft, "Data can be pasted here", "HydrNoteLabel"));
    footLeftLayout->addWidget(WeatherButton);
    LayOut(MakeHeading(this, HydrGrid->accessibleName(), true), content, true, footLeft);
    HydrGrid->setMinimumWidth(4 * 90 + 24);
}

void HydrPanel::WeatherButtonClick() {
    auto* dialog =
        new WeatherImportDialog(data_.TstLength, data_.HydrRows, weatherChoices_, dialogs_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        RunGuarded(dialogs_, [this, dialog] {
            weatherChoices_ = dialog->Chosen();
            FillFromWeather(dialog->Steps());
        });
    });
    dialog->open();
}

void HydrPanel::FillFromWeather(const std::vector<weather::WeatherStep>& steps) {
    for (const weather::WeatherStep& step : steps) {
        if (step.step < 1 || step.step > data_.HydrRows) continue;
        HydrGrid->SetCell(1, step.step, WeatherImportDialog::GridText(step.rain));
        HydrGrid->SetCell(3, step.step, WeatherImportDialog::GridText(step.evap));
    }
}

void HydrPanel::SaveButtonClick() {
    SizeSeries(data_.Rain, data_.HydrRows);
    SizeSeries(data_.Irrig, data_.HydrRows);
    SizeSeries(data_.Evap, data_.HydrRows);
    for (int row = 1; row <= data_.HydrRows; ++row) {
        for (int col = 1; col <= 3; ++col) {
            if (HydrGrid->Cell(col, row).isEmpty()) {
                dialogs_.Message("There are empty cells, please correct.");
                return;
            }
        }
        data_.Rain[row] = StringToFloat(HydrGrid->Cell(1, row).toStdString());
        data_.Irrig[row] = StringToFloat(HydrGrid->Cell(2, row).toStdString());
        data_.Evap[row] = StringToFloat(HydrGrid->Cell(3, row).toStdString());
    }
    SavedMessage("The hydrological data were saved.",
                 "The hydrological data were saved. Continue with the Soil properties.");
    emit Saved();
}

}  // namespace halosoil
