// The Calibration page's joint calibration: its settings from the page, the run on the worker,
// and its results: the estimates with their intervals, the fit per quantity, the warnings,
// the observed against the simulated series, the report and "Apply to input".
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>

#include "ActionGuard.h"
#include "CalibrationPage.h"
#include "DecisionsTab.h"
#include "Errors.h"
#include "ObservationGrid.h"
#include "ParameterTable.h"
#include "StudyChart.h"
#include "StudyWidgets.h"

namespace halosoil {

namespace {

QString Number(double value) {
    if (std::isnan(value)) return "-";
    if (std::isinf(value)) return "undetermined";
    return QString::number(value, 'g', 6);
}

QTableWidgetItem* Cell(const QString& text) {
    auto* cell = new QTableWidgetItem(text);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return cell;
}

void SetRow(QTableWidget* table, int row, const QStringList& texts) {
    for (int col = 0; col < static_cast<int>(texts.size()); ++col)
        table->setItem(row, col, Cell(texts[col]));
}

}  // namespace

QWidget* CalibrationPage::BuildCalibrationTab() {
    auto* tab = Named(new QWidget, "CalibrationResultsTab", "Calibration");
    auto* layout = new QVBoxLayout(tab);
    calibrateButton_ =
        Button("CalibrateButton", "Calibrate", &CalibrationPage::CalibrateButtonClick);
    applyButton_ =
        Button("ApplyCalibrationButton", "Apply to input", &CalibrationPage::ApplyButtonClick);
    saveReportButton_ =
        Button("SaveReportButton", "Save report", &CalibrationPage::SaveReportButtonClick);
    saveEstimatesButton_ = Button("SaveEstimatesCsvButton", "Save estimates as CSV",
                                  &CalibrationPage::SaveEstimatesCsvButtonClick);
    saveFitButton_ =
        Button("SaveFitCsvButton", "Save fit as CSV", &CalibrationPage::SaveFitCsvButtonClick);
    layout->addLayout(ButtonRow(
        {calibrateButton_, applyButton_, saveReportButton_, saveEstimatesButton_, saveFitButton_}));

    estimateTable_ =
        Table("EstimateTable", "Calibrated parameters",
              {"parameter", "start", "value", "std. error", "95 % low", "95 % high", "at a bound"});
    fitTable_ =
        Table("FitTable", "Fit per quantity", {"quantity", "n", "RMSE", "bias", "NSE", "R²"});
    auto* tables = new QHBoxLayout;
    tables->addWidget(estimateTable_, 3);
    tables->addWidget(fitTable_, 2);
    layout->addLayout(tables, 2);
    warnings_ = Named(new QPlainTextEdit, "CalibrationWarnings", "Warnings of the calibration");
    warnings_->setReadOnly(true);
    warnings_->setMaximumHeight(70);
    layout->addWidget(warnings_);

    fitQuantityCombo_ = Named(new QComboBox, "FitQuantityCombo", "Quantity of the fit plot");
    fitValueLabel_ = Named(new QLabel, "FitValueLabel", "Value under the pointer");
    fitChart_ = new StudyChart("FitChart");
    layout->addLayout(ChartRow(fitQuantityCombo_, "SaveFitChartButton", fitValueLabel_, fitChart_,
                               &CalibrationPage::PlotFit));
    layout->addWidget(fitChart_, 3);
    return tab;
}

void CalibrationPage::CalibrateButtonClick() {
    if (!project_) throw HalosoilError(projectLabel_->text().toStdString());
    study::CalibrationSettings settings;
    settings.parameters = parameterTable_->Checked();
    settings.observations = CurrentObservations();
    settings.weights = CurrentWeights();
    settings.seed = static_cast<std::uint64_t>(seedSpin_->value());
    StartStudy("Calibrating", settings, &study::Calibrate,
               [this, observations = settings.observations](study::CalibrationResult result) {
                   calibration_ = std::move(result);
                   decisions_->SetCalibration(calibration_);
                   calibrationObservations_ = observations;
                   statusLabel_->setText(QString("Calibrated in %1 runs.").arg(calibration_->runs));
                   ShowCalibration();
               });
}

void CalibrationPage::ShowCalibration() {
    estimateTable_->setRowCount(0);
    fitTable_->setRowCount(0);
    warnings_->clear();
    {
        const QSignalBlocker quiet(fitQuantityCombo_);
        fitQuantityCombo_->clear();
        if (calibration_)
            for (const study::QuantityFit& fit : calibration_->fit)
                fitQuantityCombo_->addItem(study::InfoOf(fit.quantity).name);
    }
    if (calibration_) {
        const study::CalibrationResult& result = *calibration_;
        estimateTable_->setRowCount(static_cast<int>(result.estimates.size()));
        for (int row = 0; row < estimateTable_->rowCount(); ++row) {
            const study::ParameterEstimate& e = result.estimates[static_cast<std::size_t>(row)];
            SetRow(estimateTable_, row,
                   {QString::fromStdString(e.parameter.Name()), Number(e.start), Number(e.value),
                    Number(e.standardError), Number(e.ciLow), Number(e.ciHigh),
                    e.atBound ? "yes" : "no"});
        }
        fitTable_->setRowCount(static_cast<int>(result.fit.size()));
        for (int row = 0; row < fitTable_->rowCount(); ++row) {
            const study::QuantityFit& fit = result.fit[static_cast<std::size_t>(row)];
            SetRow(fitTable_, row,
                   {study::InfoOf(fit.quantity).name, QString::number(fit.n), Number(fit.rmse),
                    Number(fit.bias), Number(fit.nse), Number(fit.r2)});
        }
        QStringList warnings;
        for (const std::string& warning : result.warnings)
            warnings << QString::fromStdString(warning);
        warnings_->setPlainText(warnings.join('\n'));
        estimateTable_->resizeColumnsToContents();
        fitTable_->resizeColumnsToContents();
    }
    PlotFit();
    EnableControls();
}

// The calibrated run's series of the chosen quantity as a line, its observations as points.
void CalibrationPage::PlotFit() {
    fitChart_->Clear();
    fitChart_->chart()->setTitle("Observed and simulated");
    if (!calibration_ || fitQuantityCombo_->currentIndex() < 0) return;
    const auto quantity = study::QuantityNamed(fitQuantityCombo_->currentText().toStdString());
    if (!quantity) return;
    const study::QuantityInfo& info = study::InfoOf(*quantity);
    auto* simulated = new QLineSeries;
    simulated->setName("simulated");
    const Series& series = study::SeriesOf(calibration_->state, *quantity);
    const int steps = calibration_->project.NrTst;
    for (int step = 1; step <= steps && step < static_cast<int>(series.size()); ++step)
        simulated->append(step, series[static_cast<std::size_t>(step)]);
    auto* observed = new QScatterSeries;
    observed->setName("observed");
    observed->setMarkerSize(7);
    const study::Observations& fitted = calibrationObservations_;
    for (const study::Observed& point : fitted.Of(*quantity))
        observed->append(point.step, point.value);
    QChart* chart = fitChart_->chart();
    chart->setTitle(QString("Observed and simulated %1").arg(info.name));
    chart->addSeries(simulated);
    chart->addSeries(observed);
    QValueAxis* x = StepAxis(steps);
    QValueAxis* y = ValueAxis(QString("%1 (%2)").arg(info.name, info.unit));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QXYSeries* s : {static_cast<QXYSeries*>(simulated), static_cast<QXYSeries*>(observed)}) {
        s->attachAxis(x);
        s->attachAxis(y);
        fitChart_->WatchHover(s);
    }
    double low = 0, high = 0;
    bool first = true;
    for (const QXYSeries* s :
         {static_cast<QXYSeries*>(simulated), static_cast<QXYSeries*>(observed)})
        for (const QPointF& p : s->points()) {
            low = first ? p.y() : std::min(low, p.y());
            high = first ? p.y() : std::max(high, p.y());
            first = false;
        }
    // Attaching the series may have fitted the axis to their points; it shows the whole run.
    x->setRange(1, std::max(steps, 2));
    const double margin = high > low ? (high - low) * 0.05 : std::max(std::abs(high) * 0.05, 0.1);
    y->setRange(low - margin, high + margin);
}

void CalibrationPage::ApplyButtonClick() {
    if (!calibration_) return;
    std::vector<study::Parameter> parameters;
    std::vector<double> values;
    for (const study::ParameterEstimate& estimate : calibration_->estimates) {
        parameters.push_back(estimate.parameter);
        values.push_back(estimate.value);
    }
    emit ApplyRequested(parameters, values);
    statusLabel_->setText("The calibrated values were applied to the input.");
}

void CalibrationPage::SaveReportButtonClick() {
    if (!calibration_) return;
    saving_.Bytes("calibration reports (*.json)|*.json", "json", study::ReportJson(*calibration_));
}

void CalibrationPage::SaveEstimatesCsvButtonClick() {
    saving_.Table(estimateTable_);
}

void CalibrationPage::SaveFitCsvButtonClick() {
    saving_.Table(fitTable_);
}

}  // namespace halosoil
