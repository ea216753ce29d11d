#include "CalibrationRunPanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>

#include "StudyButtons.h"
#include "StudyChart.h"
#include "StudyProgress.h"
#include "StudySaving.h"
#include "StudyWidgets.h"

namespace halosoil {

namespace {

QString EstimateText(double value) {
    if (std::isnan(value)) return "-";
    if (std::isinf(value)) return "undetermined";
    return QString::number(value, 'g', 6);
}

QTableWidgetItem* ReadOnlyCell(const QString& text) {
    auto* cell = new QTableWidgetItem(text);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return cell;
}

void SetRow(QTableWidget* table, int row, const QStringList& texts) {
    for (int col = 0; col < static_cast<int>(texts.size()); ++col)
        table->setItem(row, col, ReadOnlyCell(texts[col]));
}

}  // namespace

CalibrationRunPanel::CalibrationRunPanel(Dialogs& dialogs, StudySaving& saving,
                                         StudyProgress& progress, StudyInputs inputs,
                                         QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      saving_(saving),
      progress_(progress),
      inputs_(std::move(inputs)) {
    auto* layout = new QVBoxLayout(this);
    calibrateButton_ = StudyButton(this, dialogs_, "CalibrateButton", "Calibrate",
                                   &CalibrationRunPanel::CalibrateButtonClick);
    applyButton_ = StudyButton(this, dialogs_, "ApplyCalibrationButton", "Apply to input",
                               &CalibrationRunPanel::ApplyButtonClick);
    saveReportButton_ = StudyButton(this, dialogs_, "SaveReportButton", "Save report",
                                    &CalibrationRunPanel::SaveReportButtonClick);
    saveEstimatesButton_ =
        StudyButton(this, dialogs_, "SaveEstimatesCsvButton", "Save estimates as CSV",
                    &CalibrationRunPanel::SaveEstimatesCsvButtonClick);
    saveFitButton_ = StudyButton(this, dialogs_, "SaveFitCsvButton", "Save fit as CSV",
                                 &CalibrationRunPanel::SaveFitCsvButtonClick);
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

    quantityCombo_ = Named(new QComboBox, "FitQuantityCombo", "Quantity of the fit plot");
    valueLabel_ = Named(new QLabel, "FitValueLabel", "Value under the pointer");
    chart_ = new StudyChart("FitChart");
    layout->addLayout(ChartRow(this, dialogs_, saving_, quantityCombo_, "SaveFitChartButton",
                               valueLabel_, chart_, [this] { PlotFit(); }));
    layout->addWidget(chart_, 3);
}

void CalibrationRunPanel::StartAfresh() {
    calibration_.reset();
    emit Calibrated(calibration_);
    Show();
}

void CalibrationRunPanel::EnableStart(bool canStart) {
    canStart_ = canStart;
    calibrateButton_->setEnabled(canStart);
    EnableSaving();
}

void CalibrationRunPanel::EnableSaving() {
    applyButton_->setEnabled(canStart_ && calibration_.has_value());
    for (QPushButton* save : {saveReportButton_, saveEstimatesButton_, saveFitButton_})
        save->setEnabled(calibration_.has_value());
}

void CalibrationRunPanel::CalibrateButtonClick() {
    const InputData& project = inputs_.project();
    study::CalibrationSettings settings;
    settings.parameters = inputs_.checkedParameters();
    settings.observations = inputs_.observations();
    settings.weights = inputs_.weights();
    settings.seed = inputs_.seed();
    progress_.Run(
        "Calibrating", inputs_.threads(), project, settings, &study::Calibrate,
        [this, observations = settings.observations](study::CalibrationResult result) {
            calibration_ = std::move(result);
            emit Calibrated(calibration_);
            observations_ = observations;
            progress_.SetStatus(QString("Calibrated in %1 runs.").arg(calibration_->runs));
            Show();
        });
}

void CalibrationRunPanel::Show() {
    estimateTable_->setRowCount(0);
    fitTable_->setRowCount(0);
    warnings_->clear();
    {
        const QSignalBlocker quiet(quantityCombo_);
        quantityCombo_->clear();
        if (calibration_)
            for (const study::QuantityFit& fit : calibration_->fit)
                quantityCombo_->addItem(study::InfoOf(fit.quantity).name);
    }
    if (calibration_) {
        const study::CalibrationResult& result = *calibration_;
        estimateTable_->setRowCount(static_cast<int>(result.estimates.size()));
        for (int row = 0; row < estimateTable_->rowCount(); ++row) {
            const study::ParameterEstimate& e = result.estimates[static_cast<std::size_t>(row)];
            SetRow(estimateTable_, row,
                   {QString::fromStdString(e.parameter.Name()), EstimateText(e.start),
                    EstimateText(e.value), EstimateText(e.standardError), EstimateText(e.ciLow),
                    EstimateText(e.ciHigh), e.atBound ? "yes" : "no"});
        }
        fitTable_->setRowCount(static_cast<int>(result.fit.size()));
        for (int row = 0; row < fitTable_->rowCount(); ++row) {
            const study::QuantityFit& fit = result.fit[static_cast<std::size_t>(row)];
            SetRow(
                fitTable_, row,
                {study::InfoOf(fit.quantity).name, QString::number(fit.n), EstimateText(fit.rmse),
                 EstimateText(fit.bias), EstimateText(fit.nse), EstimateText(fit.r2)});
        }
        QStringList warnings;
        for (const std::string& warning : result.warnings)
            warnings << QString::fromStdString(warning);
        warnings_->setPlainText(warnings.join('\n'));
        estimateTable_->resizeColumnsToContents();
        fitTable_->resizeColumnsToContents();
    }
    PlotFit();
    EnableSaving();
}

// The calibrated run's series of the chosen quantity as a line, its observations as points.
void CalibrationRunPanel::PlotFit() {
    chart_->Clear();
    chart_->chart()->setTitle("Observed and simulated");
    if (!calibration_ || quantityCombo_->currentIndex() < 0) return;
    const auto quantity = study::QuantityNamed(quantityCombo_->currentText().toStdString());
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
    const study::Observations& fitted = observations_;
    for (const study::Observed& point : fitted.Of(*quantity))
        observed->append(point.step, point.value);
    QChart* chart = chart_->chart();
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
        chart_->WatchHover(s);
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

void CalibrationRunPanel::ApplyButtonClick() {
    if (!calibration_) return;
    std::vector<study::Parameter> parameters;
    std::vector<double> values;
    for (const study::ParameterEstimate& estimate : calibration_->estimates) {
        parameters.push_back(estimate.parameter);
        values.push_back(estimate.value);
    }
    emit ApplyRequested(parameters, values);
    progress_.SetStatus("The calibrated values were applied to the input.");
}

void CalibrationRunPanel::SaveReportButtonClick() {
    if (!calibration_) return;
    saving_.Bytes("calibration reports (*.json)|*.json", "json", study::ReportJson(*calibration_));
}

void CalibrationRunPanel::SaveEstimatesCsvButtonClick() {
    saving_.Table(estimateTable_);
}

void CalibrationRunPanel::SaveFitCsvButtonClick() {
    saving_.Table(fitTable_);
}

}  // namespace halosoil
