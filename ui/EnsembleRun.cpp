// The Calibration page's uncertainty study: an ensemble drawn uniformly within the checked
// parameters' bounds or from the last calibration's estimates, and for a chosen quantity its
// bands per step (median, 25-75 % and 5-95 %) with the observations, an optional threshold
// and the share of members beyond it.
#include <QAreaSeries>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>

#include "ActionGuard.h"
#include "CalibrationPage.h"
#include "Errors.h"
#include "ParameterTable.h"
#include "StringToFloat.h"
#include "StudyChart.h"
#include "StudyWidgets.h"

namespace halosoil {

namespace {

QAreaSeries* Band(const QString& name, QLineSeries* upper, QLineSeries* lower, QColor color) {
    auto* band = new QAreaSeries(upper, lower);
    band->setName(name);
    band->setColor(color);
    band->setBorderColor(color);
    return band;
}

}  // namespace

QWidget* CalibrationPage::BuildUncertaintyTab() {
    auto* tab = Named(new QWidget, "UncertaintyTab", "Uncertainty");
    auto* layout = new QVBoxLayout(tab);
    ensembleSourceCombo_ =
        Named(new QComboBox, "EnsembleSourceCombo", "Where the members are drawn from");
    ensembleSourceCombo_->addItems(
        {"uniform within the checked parameters' bounds", "the last calibration's estimates"});
    membersSpin_ = Named(new QSpinBox, "EnsembleMembersSpin", "Members of the ensemble");
    membersSpin_->setRange(2, 1000000);
    membersSpin_->setValue(200);
    ensembleButton_ =
        Button("EnsembleButton", "Run ensemble", &CalibrationPage::EnsembleButtonClick);
    saveBandsButton_ = Button("SaveBandsCsvButton", "Save bands as CSV",
                              &CalibrationPage::SaveBandsCsvButtonClick);
    layout->addLayout(ButtonRow({ensembleSourceCombo_, new QLabel("members"), membersSpin_,
                                 ensembleButton_, saveBandsButton_}));

    auto* plotRow = new QHBoxLayout;
    bandQuantityCombo_ = Named(new QComboBox, "BandQuantityCombo", "Quantity of the band plot");
    thresholdCheck_ = Named(new QCheckBox("threshold"), "ThresholdCheck", "Show a threshold");
    thresholdSideCombo_ =
        Named(new QComboBox, "ThresholdSideCombo", "Exceeding means above or below");
    thresholdSideCombo_->addItems({"above", "below"});
    thresholdEdit_ = Named(new QLineEdit, "ThresholdEdit", "Threshold value");
    bandChart_ = new StudyChart("BandChart");
    exceedChart_ = new StudyChart("ExceedChart");
    auto* saveBand = SaveChartButton("SaveBandChartButton", "Save band picture", bandChart_);
    auto* saveExceed =
        SaveChartButton("SaveExceedChartButton", "Save exceedance picture", exceedChart_);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{bandQuantityCombo_, thresholdCheck_, thresholdSideCombo_,
                                         thresholdEdit_, saveBand, saveExceed})
        plotRow->addWidget(widget);
    layout->addLayout(plotRow);
    ensembleStatus_ = Named(new QLabel, "EnsembleStatusLabel", "State of the ensemble");
    bandValueLabel_ = Named(new QLabel, "BandValueLabel", "Value under the pointer");
    layout->addWidget(ensembleStatus_);
    layout->addWidget(bandValueLabel_);
    auto* charts = new QHBoxLayout;
    bandChart_->SetValueLabel(bandValueLabel_);
    exceedChart_->SetValueLabel(bandValueLabel_);
    charts->addWidget(bandChart_, 3);
    charts->addWidget(exceedChart_, 2);
    layout->addLayout(charts, 1);

    const auto replot = [this] { RunGuarded(dialogs_, [this] { PlotBands(); }); };
    connect(bandQuantityCombo_, &QComboBox::currentIndexChanged, this, replot);
    connect(thresholdCheck_, &QCheckBox::toggled, this, replot);
    connect(thresholdSideCombo_, &QComboBox::currentIndexChanged, this, replot);
    connect(thresholdEdit_, &QLineEdit::editingFinished, this, replot);
    return tab;
}

void CalibrationPage::EnsembleButtonClick() {
    if (!project_) throw HalosoilError(projectLabel_->text().toStdString());
    study::EnsembleSettings settings;
    if (ensembleSourceCombo_->currentIndex() == 1) {
        if (!calibration_) throw HalosoilError("There is no calibration to draw the members from.");
        // Through the report, so the members are those halosoil-batch ensemble draws from it.
        settings.fromReport = study::ParseReportEstimates(study::ReportJson(*calibration_),
                                                          *project_, "the last calibration");
        settings.parameters = settings.fromReport->parameters;
    } else {
        settings.parameters = parameterTable_->Checked();
        for (const study::Parameter& parameter : settings.parameters)
            settings.distributions.push_back(study::Uniform(parameter.low, parameter.high));
    }
    settings.members = membersSpin_->value();
    settings.seed = static_cast<std::uint64_t>(seedSpin_->value());
    StartStudy(
        "Running the ensemble", settings, &study::RunEnsemble,
        [this](study::EnsembleResult result) {
            ensemble_ = std::move(result);
            statusLabel_->setText(QString("Ensemble of %1 members.").arg(ensemble_->members));
            {
                const QSignalBlocker quiet(bandQuantityCombo_);
                bandQuantityCombo_->clear();
                for (study::Quantity quantity : ensemble_->quantities)
                    bandQuantityCombo_->addItem(study::InfoOf(quantity).name);
            }
            PlotBands();
        });
}

void CalibrationPage::PlotBands() {
    bandChart_->Clear();
    exceedChart_->Clear();
    bandChart_->chart()->setTitle("Prediction bands");
    exceedChart_->chart()->setTitle("Probability of exceeding the threshold");
    bands_.clear();
    ensembleStatus_->clear();
    if (!ensemble_ || bandQuantityCombo_->currentIndex() < 0) {
        EnableControls();
        return;
    }
    const auto quantity = study::QuantityNamed(bandQuantityCombo_->currentText().toStdString());
    if (!quantity) return;
    std::vector<study::Threshold> thresholds;
    if (thresholdCheck_->isChecked()) {
        study::Threshold threshold;
        threshold.quantity = *quantity;
        threshold.above = thresholdSideCombo_->currentIndex() == 0;
        try {
            threshold.value = PointStringToFloat(thresholdEdit_->text().trimmed().toStdString());
            thresholds.push_back(threshold);
        } catch (const ConversionError& error) {
            ensembleStatus_->setText(QString("Threshold: ") + error.what());
        }
    }
    bands_ = study::Bands(*ensemble_, thresholds);
    const study::QuantityInfo& info = study::InfoOf(*quantity);

    auto line = [](const QString& name) {
        auto* series = new QLineSeries;
        series->setName(name);
        return series;
    };
    QLineSeries* q05 = line("5 %");
    QLineSeries* q25 = line("25 %");
    QLineSeries* q75 = line("75 %");
    QLineSeries* q95 = line("95 %");
    QLineSeries* median = line("median");
    QLineSeries* exceed = line("probability of exceeding");
    double low = 0, high = 0;
    bool first = true;
    const auto widen = [&](double v) {
        if (!std::isfinite(v)) return;
        low = first ? v : std::min(low, v);
        high = first ? v : std::max(high, v);
        first = false;
    };
    for (const study::BandRow& row : bands_) {
        if (row.quantity != *quantity) continue;
        q05->append(row.step, row.q05);
        q25->append(row.step, row.q25);
        q75->append(row.step, row.q75);
        q95->append(row.step, row.q95);
        median->append(row.step, row.q50);
        if (!thresholds.empty()) exceed->append(row.step, row.pExceed);
        widen(row.q05);
        widen(row.q95);
    }
    QChart* chart = bandChart_->chart();
    chart->setTitle(QString("Prediction bands of %1").arg(info.name));
    QAreaSeries* wide = Band("5-95 %", q95, q05, QColor(180, 200, 240));
    QAreaSeries* narrow = Band("25-75 %", q75, q25, QColor(110, 150, 220));
    std::vector<QAbstractSeries*> series{wide, narrow, median};
    median->setColor(Qt::black);
    auto* observed = new QScatterSeries;
    observed->setName("observations");
    observed->setMarkerSize(7);
    try {
        // Held here: a loop over a part of the temporary would outlive it.
        const study::Observations observations = CurrentObservations();
        for (const study::Observed& point : observations.Of(*quantity)) {
            observed->append(point.step, point.value);
            widen(point.value);
        }
    } catch (const HalosoilError&) {
        // A damaged grid is told on the Observations tab; the bands stand without its points.
    }
    series.push_back(observed);
    if (!thresholds.empty()) {
        QLineSeries* threshold = line("threshold");
        threshold->append(1, thresholds[0].value);
        threshold->append(ensemble_->steps, thresholds[0].value);
        threshold->setColor(Qt::red);
        widen(thresholds[0].value);
        series.push_back(threshold);
    }
    QValueAxis* x = StepAxis(ensemble_->steps);
    QValueAxis* y = ValueAxis(QString("%1 (%2)").arg(info.name, info.unit));
    const double margin = high > low ? (high - low) * 0.05 : 0.1;
    y->setRange(low - margin, high + margin);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s : series) {
        chart->addSeries(s);
        s->attachAxis(x);
        s->attachAxis(y);
    }
    bandChart_->WatchHover(median);
    bandChart_->WatchHover(observed);
    // An area leaves its edges without an owner once the chart has taken it; they go with it.
    q95->setParent(wide);
    q05->setParent(wide);
    q75->setParent(narrow);
    q25->setParent(narrow);

    if (!thresholds.empty()) {
        QChart* pChart = exceedChart_->chart();
        pChart->addSeries(exceed);
        QValueAxis* px = StepAxis(ensemble_->steps);
        QValueAxis* py = ValueAxis("probability");
        py->setRange(0, 1);
        pChart->addAxis(px, Qt::AlignBottom);
        pChart->addAxis(py, Qt::AlignLeft);
        exceed->attachAxis(px);
        exceed->attachAxis(py);
        exceedChart_->WatchHover(exceed);
    } else {
        delete exceed;
    }
    const int stopped = ensemble_->Stopped(), refused = ensemble_->Refused();
    if (stopped + refused > 0)
        ensembleStatus_->setText(
            QString("%1 member(s) stopped early and %2 were refused; the bands leave them out.")
                .arg(stopped)
                .arg(refused));
    EnableControls();
}

void CalibrationPage::SaveBandsCsvButtonClick() {
    if (bands_.empty()) return;
    saving_.Bytes("CSV files (*.csv)|*.csv", "csv", study::BandsCsv(bands_));
}

}  // namespace halosoil
