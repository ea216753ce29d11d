// What the window shares with the Calibration page: the project as "Save all - Run" saves it,
// and the calibrated values put back into the record and the panels.
#include <QVBoxLayout>

#include "CalibrationPage.h"
#include "Errors.h"
#include "GenPanel.h"
#include "InputFile.h"
#include "InputReadDisplay.h"
#include "MainForm.h"

namespace halosoil {

void MainForm::BuildCalibrationPage(QWidget* page) {
    calibrationPage = new CalibrationPage(dialogs_, page);
    calibrationPage->setObjectName("CalibrationPage");
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(calibrationPage);
    connect(
        calibrationPage, &CalibrationPage::ApplyRequested, this,
        [this](const std::vector<study::Parameter>& parameters, const std::vector<double>& values) {
            Guarded([&] { ApplyStudyValues(parameters, values); });
        });
}

InputData MainForm::ProjectAsSaved() {
    InputData saved = data_;
    // The run of "Save all - Run" takes the step length the general data show.
    saved.TstLength = panels_.general->ChosenStepLength();
    // The writer's checks and its settling of the number of rows; the run then takes the
    // record itself, not the file's rounded text, and so does a study.
    InputFileText(saved);
    return AsWritten(saved);
}

void MainForm::CalTabShow() {
    if (!workflow_.Complete()) {
        calibrationPage->SetProject(
            std::nullopt,
            "The input is not complete: enter or open a project on the Input page first, as "
            "\"Save all - Run\" requires.");
        return;
    }
    try {
        calibrationPage->SetProject(ProjectAsSaved(), {});
    } catch (const HalosoilError& error) {
        calibrationPage->SetProject(std::nullopt, QString("The input cannot be saved: ") +
                                                      QString::fromStdString(error.what()));
    }
}

void MainForm::ApplyStudyValues(const std::vector<study::Parameter>& parameters,
                                const std::vector<double>& values) {
    data_ = study::Variant(data_, parameters, values.data());
    ShowRecordInPanels();
    CalTabShow();
}

void MainForm::ShowRecordInPanels() {
    InputReadDisplay display(data_, workflow_, panels_);
    if (data_.DrainPresent)
        for (InputItem item : {InputItem::DrainDepth, InputItem::QH1, InputItem::QH2})
            display.ItemRead(item, 0);
    for (InputItem item :
         {InputItem::SaltIrrig, InputItem::WTdepth, InputItem::CritDepth, InputItem::MoistAndIrrEff,
          InputItem::GrwtInf, InputItem::GrwtOut, InputItem::SalInf})
        display.ItemRead(item, 0);
    for (int step = 1; step <= data_.NrTst; ++step)
        for (InputItem item :
             {InputItem::Rain, InputItem::Irrig, InputItem::Evap, InputItem::IrrSal})
            display.ItemRead(item, step);
    for (int zone : ZonesOf(LayerCount(data_)))
        for (InputItem item : {InputItem::Thick, InputItem::TotPor, InputItem::EffPor,
                               InputItem::LeachEff, InputItem::InitSalt})
            display.ItemRead(item, zone);
}

}  // namespace halosoil
