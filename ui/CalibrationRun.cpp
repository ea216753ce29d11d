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
#include "Errors.h"
#include "ObservationGrid.h"
#include "ParameterTable.h"
#include "StudyChart.h"

namespace halosoil {

namespace {
// Values on the axes in four significant digits, whatever their size.
constexpr const char* kValueLabels = "%.4g";
}  // namespace

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
    auto* tab = new QWidget;
    tab->setObjectName("CalibrationResultsTab");
    tab->setAccessibleName("Calibration");
    auto* layout = new QVBoxLayout(tab);
    auto* buttons = new QHBoxLayout;
    calibrateButton_ = Button("CalibrateButton", "Calibrate");
    applyButton_ = Button("ApplyCalibrationButton", "Apply to input");
    saveReportButton_ = Button("SaveReportButton", "Save report");
    saveEstimatesButton_ = Button("SaveEstimatesCsvButton", "Save estimates as CSV");
    saveFitButton_ = Button("SaveFitCsvButton", "Save fit as CSV");
    for (QPushButton* button :
         {calibrateButton_, applyButton_, saveReportButton_, saveEstimatesButton_, saveFitButton_})
        buttons->addWidget(button);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    estimateTable_ = new QTableWidget(0, 7);
    estimateTable_->setObjectName("EstimateTable");
    estimateTable_->setAccessibleName("Calibrated parameters");
    estimateTable_->setHorizontalHeaderLabels(
        {"parameter", "start", "value", "std. error", "95 % low", "95 % high", "at a bound"});
    fitTable_ = new QTableWidget(0, 6);
    fitTable_->setObjectName("FitTable");
    fitTable_->setAccessibleName("Fit per quantity");
    fitTable_->setHorizontalHeaderLabels({"quantity", "n", "RMSE", "bias", "NSE", "R²"});
    for (QTableWidget* table : {estimateTable_, fitTable_}) {
        table->verticalHeader()->hide();
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    }
    auto* tables = new QHBoxLayout;
    tables->addWidget(estimateTable_, 3);
    tables->addWidget(fitTable_, 2);
    layout->addLayout(tables, 2);
    warnings_ = new QPlainTextEdit;
    warnings_->setObjectName("CalibrationWarnings");
    warnings_->setAccessibleName("Warnings of the calibration");
    warnings_->setReadOnly(true);
    warnings_->setMaximumHeight(70);
    layout->addWidget(warnings_);

    auto* plotRow = new QHBoxLayout;
    fitQuantityCombo_ = new QComboBox;
    fitQuantityCombo_->setObjectName("FitQuantityCombo");
    fitQuantityCombo_->setAccessibleName("Quantity of the fit plot");
    auto* saveChart = Button("SaveFitChartButton", "Save picture");
    fitValueLabel_ = new QLabel;
    fitValueLabel_->setObjectName("FitValueLabel");
    fitValueLabel_->setAccessibleName("Value under the pointer");
    plotRow->addWidget(fitQuantityCombo_);
    plotRow->addWidget(saveChart);
    plotRow->addWidget(fitValueLabel_, 1);
    layout->addLayout(plotRow);
    fitChart_ = new StudyChart("FitChart");
    fitChart_->SetValueLabel(fitValueLabel_);
    layout->addWidget(fitChart_, 3);
    connect(fitQuantityCombo_, &QComboBox::currentIndexChanged, this,
            [this] { RunGuarded(dialogs_, [this] { PlotFit(); }); });
    connect(saveChart, &QPushButton::clicked, this,
            [this] { RunGuarded(dialogs_, [this] { SaveChart(fitChart_); }); });
    return tab;
}

void CalibrationPage::CalibrateButtonClick() {
    if (!project_) throw HalosoilError(projectLabel_->text().toStdString());
    study::CalibrationSettings settings;
    settings.parameters = parameterTable_->Checked();
    settings.observations = CurrentObservations();
    settings.weights = CurrentWeights();
    settings.seed = static_cast<std::uint64_t>(seedSpin_->value());
    auto result = std::make_shared<study::CalibrationResult>();
    StartStudy(
        "Calibrating",
        [base = *project_, settings, result](const study::StudyOptions& options) mutable {
            settings.options = options;
            *result = study::Calibrate(base, settings);
        },
        [this, result, observations = settings.observations] {
            calibration_ = std::move(*result);
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
    auto* x = new QValueAxis;
    x->setTitleText("time step");
    x->setLabelFormat("%d");
    auto* y = new QValueAxis;
    y->setLabelFormat(kValueLabels);
    y->setTitleText(QString("%1 (%2)").arg(info.name, info.unit));
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
    SaveThroughDialog("calibration reports (*.json)|*.json", "json",
                      study::ReportJson(*calibration_));
}

void CalibrationPage::SaveEstimatesCsvButtonClick() {
    SaveTable(estimateTable_);
}

void CalibrationPage::SaveFitCsvButtonClick() {
    SaveTable(fitTable_);
}

}  // namespace halosoil
