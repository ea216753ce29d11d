#include "EnsemblePanel.h"

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

#include "Errors.h"
#include "StringToFloat.h"
#include "StudyButtons.h"
#include "StudyChart.h"
#include "StudyProgress.h"
#include "StudySaving.h"
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

EnsemblePanel::EnsemblePanel(Dialogs& dialogs, StudySaving& saving, StudyProgress& progress,
                             StudyInputs inputs,
                             std::function<const study::CalibrationResult*()> lastCalibration,
                             QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      saving_(saving),
      progress_(progress),
      inputs_(std::move(inputs)),
      lastCalibration_(std::move(lastCalibration)) {
    auto* layout = new QVBoxLayout(this);
    sourceCombo_ = Named(new QComboBox, "EnsembleSourceCombo", "Where the members are drawn from");
    sourceCombo_->addItems(
        {"uniform within the checked parameters' bounds", "the last calibration's estimates"});
    membersSpin_ = Named(new QSpinBox, "EnsembleMembersSpin", "Members of the ensemble");
    membersSpin_->setRange(2, 1000000);
    membersSpin_->setValue(200);
    runButton_ = StudyButton(this, dialogs_, "EnsembleButton", "Run ensemble",
                             &EnsemblePanel::EnsembleButtonClick);
    saveBandsButton_ = StudyButton(this, dialogs_, "SaveBandsCsvButton", "Save bands as CSV",
                                   &EnsemblePanel::SaveBandsCsvButtonClick);
    layout->addLayout(ButtonRow(
        {sourceCombo_, new QLabel("members"), membersSpin_, runButton_, saveBandsButton_}));

    auto* plotRow = new QHBoxLayout;
    quantityCombo_ = Named(new QComboBox, "BandQuantityCombo", "Quantity of the band plot");
    thresholdCheck_ = Named(new QCheckBox("threshold"), "ThresholdCheck", "Show a threshold");
    thresholdSideCombo_ =
        Named(new QComboBox, "ThresholdSideCombo", "Exceeding means above or below");
    thresholdSideCombo_->addItems({"above", "below"});
    thresholdEdit_ = Named(new QLineEdit, "ThresholdEdit", "Threshold value");
    bandChart_ = new StudyChart("BandChart");
    exceedChart_ = new StudyChart("ExceedChart");
    auto* saveBand = SaveChartButton(this, dialogs_, saving_, "SaveBandChartButton",
                                     "Save band picture", bandChart_);
    auto* saveExceed = SaveChartButton(this, dialogs_, saving_, "SaveExceedChartButton",
                                       "Save exceedance picture", exceedChart_);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{quantityCombo_, thresholdCheck_, thresholdSideCombo_,
                                         thresholdEdit_, saveBand, saveExceed})
        plotRow->addWidget(widget);
    layout->addLayout(plotRow);
    status_ = Named(new QLabel, "EnsembleStatusLabel", "State of the ensemble");
    valueLabel_ = Named(new QLabel, "BandValueLabel", "Value under the pointer");
    layout->addWidget(status_);
    layout->addWidget(valueLabel_);
    auto* charts = new QHBoxLayout;
    bandChart_->SetValueLabel(valueLabel_);
    exceedChart_->SetValueLabel(valueLabel_);
    charts->addWidget(bandChart_, 3);
    charts->addWidget(exceedChart_, 2);
    layout->addLayout(charts, 1);

    const auto replot = [this] { RunGuarded(dialogs_, [this] { PlotBands(); }); };
    connect(quantityCombo_, &QComboBox::currentIndexChanged, this, replot);
    connect(thresholdCheck_, &QCheckBox::toggled, this, replot);
    connect(thresholdSideCombo_, &QComboBox::currentIndexChanged, this, replot);
    connect(thresholdEdit_, &QLineEdit::editingFinished, this, replot);
}

void EnsemblePanel::StartAfresh() {
    ensemble_.reset();
    bands_.clear();
    PlotBands();
}

void EnsemblePanel::EnableStart(bool canStart) {
    runButton_->setEnabled(canStart);
    saveBandsButton_->setEnabled(!bands_.empty());
}

void EnsemblePanel::EnsembleButtonClick() {
    const InputData& project = inputs_.project();
    study::EnsembleSettings settings;
    if (sourceCombo_->currentIndex() == 1) {
        const study::CalibrationResult* calibration = lastCalibration_();
        if (!calibration) throw HalosoilError("There is no calibration to draw the members from.");
        // Through the report, so the members are those halosoil-batch ensemble draws from it.
        settings.fromReport = study::ParseReportEstimates(study::ReportJson(*calibration), project,
                                                          "the last calibration");
        settings.parameters = settings.fromReport->parameters;
    } else {
        settings.parameters = inputs_.checkedParameters();
        for (const study::Parameter& parameter : settings.parameters)
            settings.distributions.push_back(study::Uniform(parameter.low, parameter.high));
    }
    settings.members = membersSpin_->value();
    settings.seed = inputs_.seed();
    progress_.Run(
        "Running the ensemble", inputs_.threads(), project, settings, &study::RunEnsemble,
        [this](study::EnsembleResult result) {
            ensemble_ = std::move(result);
            progress_.SetStatus(QString("Ensemble of %1 members.").arg(ensemble_->members));
            {
                const QSignalBlocker quiet(quantityCombo_);
                quantityCombo_->clear();
                for (study::Quantity quantity : ensemble_->quantities)
                    quantityCombo_->addItem(study::InfoOf(quantity).name);
            }
            PlotBands();
        });
}

void EnsemblePanel::PlotBands() {
    bandChart_->Clear();
    exceedChart_->Clear();
    bandChart_->chart()->setTitle("Prediction bands");
    exceedChart_->chart()->setTitle("Probability of exceeding the threshold");
    bands_.clear();
    status_->clear();
    if (!ensemble_ || quantityCombo_->currentIndex() < 0) {
        saveBandsButton_->setEnabled(false);
        return;
    }
    const auto quantity = study::QuantityNamed(quantityCombo_->currentText().toStdString());
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
            status_->setText(QString("Threshold: ") + error.what());
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
        const study::Observations observations = inputs_.observations();
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
        status_->setText(
            QString("%1 member(s) stopped early and %2 were refused; the bands leave them out.")
                .arg(stopped)
                .arg(refused));
    saveBandsButton_->setEnabled(!bands_.empty());
}

void EnsemblePanel::SaveBandsCsvButtonClick() {
    if (bands_.empty()) return;
    saving_.Bytes("CSV files (*.csv)|*.csv", "csv", study::BandsCsv(bands_));
}

}  // namespace halosoil
