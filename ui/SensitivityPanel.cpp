#include "SensitivityPanel.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include "Errors.h"
#include "StudyButtons.h"
#include "StudyChart.h"
#include "StudyProgress.h"
#include "StudySaving.h"
#include "StudyWidgets.h"

namespace halosoil {

namespace {

const char* const kStatistics[] = {"final", "mean", "max", "min"};

// A vertical line from low to high at x, left out of the legend.
void AddInterval(QChart* chart, QAbstractAxis* x, QAbstractAxis* y, const QString& name, double at,
                 double low, double high) {
    auto* line = new QLineSeries;
    line->setName(name);
    line->append(at, low);
    line->append(at, high);
    line->setColor(Qt::black);
    chart->addSeries(line);
    line->attachAxis(x);
    line->attachAxis(y);
    for (QLegendMarker* marker : chart->legend()->markers(line)) marker->setVisible(false);
}

}  // namespace

SensitivityPanel::SensitivityPanel(Dialogs& dialogs, StudySaving& saving, StudyProgress& progress,
                                   StudyInputs inputs, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      saving_(saving),
      progress_(progress),
      inputs_(std::move(inputs)) {
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("Targets"));
    targetList_ =
        Named(new QListWidget, "SensitivityTargetList", "Targets of the sensitivity study");
    left->addWidget(targetList_, 1);
    methodCombo_ =
        Named(new QComboBox, "SensitivityMethodCombo", "Method of the sensitivity study");
    methodCombo_->addItems({"Sobol", "Morris"});
    samplesSpin_ =
        Named(new QSpinBox, "SensitivitySamplesSpin", "Samples (Sobol) or trajectories (Morris)");
    samplesSpin_->setRange(2, 100000);
    samplesSpin_->setValue(256);
    left->addWidget(methodCombo_);
    left->addWidget(samplesSpin_);
    runButton_ = StudyButton(this, dialogs_, "SensitivityButton", "Run sensitivity",
                             &SensitivityPanel::SensitivityButtonClick);
    saveButton_ = StudyButton(this, dialogs_, "SaveSensitivityCsvButton", "Save as CSV",
                              &SensitivityPanel::SaveCsvButtonClick);
    left->addWidget(runButton_);
    left->addWidget(saveButton_);
    layout->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    targetCombo_ =
        Named(new QComboBox, "SensitivityPlotTargetCombo", "Target of the sensitivity chart");
    valueLabel_ = Named(new QLabel, "SensitivityValueLabel", "Value under the pointer");
    chart_ = new StudyChart("SensitivityChart");
    right->addLayout(ChartRow(this, dialogs_, saving_, targetCombo_, "SaveSensitivityChartButton",
                              valueLabel_, chart_, [this] { Plot(); }));
    right->addWidget(chart_, 2);
    // Show names the columns after the method.
    table_ = Table("SensitivityTable", "Sensitivity indices", 5);
    right->addWidget(table_, 1);
    layout->addLayout(right, 3);
}

void SensitivityPanel::StartAfresh(const InputData& project) {
    FillTargets(project);
    sensitivity_.reset();
    Show();
}

void SensitivityPanel::EnableStart(bool canStart) {
    runButton_->setEnabled(canStart);
    saveButton_->setEnabled(sensitivity_.has_value());
}

void SensitivityPanel::FillTargets(const InputData& project) {
    targetList_->clear();
    for (study::Quantity quantity : study::QuantitiesOf(project))
        for (const char* statistic : kStatistics)
            targetList_->addItem(QString("%1:%2").arg(study::InfoOf(quantity).name, statistic));
    targetList_->addItem("objective");
    for (int row = 0; row < targetList_->count(); ++row) {
        QListWidgetItem* item = targetList_->item(row);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void SensitivityPanel::SensitivityButtonClick() {
    const InputData& project = inputs_.project();
    study::SensitivitySettings settings;
    settings.parameters = inputs_.checkedParameters();
    bool objective = false;
    for (int row = 0; row < targetList_->count(); ++row) {
        const QListWidgetItem* item = targetList_->item(row);
        if (item->checkState() != Qt::Checked) continue;
        settings.targets.push_back(study::ParseTarget(item->text().toStdString(), project));
        objective = objective || settings.targets.back().objective;
    }
    if (settings.targets.empty()) throw HalosoilError("Choose at least one target.");
    if (objective) {
        settings.observations = inputs_.observations();
        settings.weights = inputs_.weights();
    }
    settings.method = methodCombo_->currentIndex() == 1 ? study::SensitivityMethod::Morris
                                                        : study::SensitivityMethod::Sobol;
    settings.samples = samplesSpin_->value();
    settings.seed = inputs_.seed();
    progress_.Run("Running the sensitivity study", inputs_.threads(), project, settings,
                  &study::RunSensitivity, [this](study::SensitivityResult result) {
                      sensitivity_ = std::move(result);
                      progress_.SetStatus(QString("Sensitivity from %1 runs (%2 failed).")
                                              .arg(sensitivity_->runs)
                                              .arg(sensitivity_->failedRuns));
                      Show();
                  });
}

void SensitivityPanel::Show() {
    const bool sobol = !sensitivity_ || sensitivity_->method == study::SensitivityMethod::Sobol;
    table_->setRowCount(0);
    table_->setColumnCount(sobol ? 8 : 6);
    table_->setHorizontalHeaderLabels(
        sobol ? QStringList{"target", "parameter", "S1", "S1 low", "S1 high", "ST", "ST low",
                            "ST high"}
              : QStringList{"target", "parameter", "mu*", "mu* low", "mu* high", "sigma"});
    {
        const QSignalBlocker quiet(targetCombo_);
        targetCombo_->clear();
    }
    if (sensitivity_) {
        QStringList targets;
        table_->setRowCount(static_cast<int>(sensitivity_->rows.size()));
        for (int row = 0; row < table_->rowCount(); ++row) {
            const study::SensitivityRow& r = sensitivity_->rows[static_cast<std::size_t>(row)];
            const QString target = QString::fromStdString(r.target);
            if (!targets.contains(target)) targets << target;
            QStringList cells{target, QString::fromStdString(r.parameter)};
            const auto add = [&cells](double v) { cells << QString::number(v, 'g', 6); };
            if (sobol) {
                for (double v : {r.first.value, r.first.low, r.first.high, r.total.value,
                                 r.total.low, r.total.high})
                    add(v);
            } else {
                for (double v : {r.muStar.value, r.muStar.low, r.muStar.high, r.sigma}) add(v);
            }
            for (int col = 0; col < static_cast<int>(cells.size()); ++col)
                table_->setItem(row, col, new QTableWidgetItem(cells[col]));
        }
        const QSignalBlocker quiet(targetCombo_);
        targetCombo_->addItems(targets);
    }
    Plot();
    saveButton_->setEnabled(sensitivity_.has_value());
}

void SensitivityPanel::Plot() {
    chart_->Clear();
    QChart* chart = chart_->chart();
    chart->setTitle("Sensitivity");
    if (!sensitivity_ || targetCombo_->currentIndex() < 0) return;
    const std::string target = targetCombo_->currentText().toStdString();
    const bool sobol = sensitivity_->method == study::SensitivityMethod::Sobol;
    std::vector<const study::SensitivityRow*> rows;
    for (const study::SensitivityRow& row : sensitivity_->rows)
        if (row.target == target) rows.push_back(&row);
    auto* first = new QBarSet(sobol ? "S1" : "mu*");
    auto* second = new QBarSet(sobol ? "ST" : "sigma");
    QStringList names;
    double low = 0, high = 0;
    for (const study::SensitivityRow* row : rows) {
        names << QString::fromStdString(row->parameter);
        first->append(sobol ? row->first.value : row->muStar.value);
        second->append(sobol ? row->total.value : row->sigma);
        for (double v :
             {sobol ? row->first.low : row->muStar.low, sobol ? row->first.high : row->muStar.high,
              sobol ? row->total.low : row->sigma, sobol ? row->total.high : row->sigma}) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    auto* bars = new QBarSeries;
    bars->setName(sobol ? "indices" : "elementary effects");
    bars->append(first);
    bars->append(second);
    chart->setTitle(QString::fromStdString(target));
    chart->addSeries(bars);
    auto* categories = new QBarCategoryAxis;
    categories->append(names);
    QValueAxis* y = ValueAxis(sobol ? "index" : "effect");
    y->setRange(low, high > low ? high * 1.05 : low + 1);
    chart->addAxis(categories, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    bars->attachAxis(categories);
    bars->attachAxis(y);
    connect(bars, &QBarSeries::hovered, this, [this, names](bool state, int index, QBarSet* set) {
        valueLabel_->setText(state ? QString("%1 of %2: %3")
                                         .arg(set->label(), names.value(index))
                                         .arg(set->at(index), 0, 'g', 6)
                                   : QString());
    });
    // The intervals over the bars: a value axis under the categories, bar k of two centred a
    // quarter of the bars' width off the category's middle.
    auto* x = new QValueAxis;
    x->setLabelFormat(kValueLabels);
    x->setRange(-0.5, static_cast<double>(names.size()) - 0.5);
    x->setVisible(false);
    chart->addAxis(x, Qt::AlignBottom);
    const double offset = bars->barWidth() / 4;
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const study::SensitivityRow& row = *rows[static_cast<std::size_t>(i)];
        if (sobol) {
            AddInterval(chart, x, y, "S1 interval " + names[i], i - offset, row.first.low,
                        row.first.high);
            AddInterval(chart, x, y, "ST interval " + names[i], i + offset, row.total.low,
                        row.total.high);
        } else {
            AddInterval(chart, x, y, "mu* interval " + names[i], i - offset, row.muStar.low,
                        row.muStar.high);
        }
    }
}

void SensitivityPanel::SaveCsvButtonClick() {
    if (!sensitivity_) return;
    saving_.Bytes("CSV files (*.csv)|*.csv", "csv", study::SensitivityCsv(*sensitivity_));
}

}  // namespace halosoil
