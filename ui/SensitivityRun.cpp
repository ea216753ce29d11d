// The Calibration page's sensitivity study: the targets chosen from a list, Sobol's indices
// or Morris's elementary effects of the checked parameters, and a bar chart of the indices of
// one target per parameter with their 95 % intervals as lines over the bars.
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include "ActionGuard.h"
#include "CalibrationPage.h"
#include "Errors.h"
#include "ParameterTable.h"
#include "StudyChart.h"
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

QWidget* CalibrationPage::BuildSensitivityTab() {
    auto* tab = Named(new QWidget, "SensitivityTab", "Sensitivity");
    auto* layout = new QHBoxLayout(tab);
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
    sensitivityButton_ =
        Button("SensitivityButton", "Run sensitivity", &CalibrationPage::SensitivityButtonClick);
    saveSensitivityButton_ = Button("SaveSensitivityCsvButton", "Save as CSV",
                                    &CalibrationPage::SaveSensitivityCsvButtonClick);
    left->addWidget(sensitivityButton_);
    left->addWidget(saveSensitivityButton_);
    layout->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    sensitivityTargetCombo_ =
        Named(new QComboBox, "SensitivityPlotTargetCombo", "Target of the sensitivity chart");
    sensitivityValueLabel_ = Named(new QLabel, "SensitivityValueLabel", "Value under the pointer");
    sensitivityChart_ = new StudyChart("SensitivityChart");
    right->addLayout(ChartRow(sensitivityTargetCombo_, "SaveSensitivityChartButton",
                              sensitivityValueLabel_, sensitivityChart_,
                              &CalibrationPage::PlotSensitivity));
    right->addWidget(sensitivityChart_, 2);
    // ShowSensitivity names the columns after the method.
    sensitivityTable_ = Table("SensitivityTable", "Sensitivity indices", 5);
    right->addWidget(sensitivityTable_, 1);
    layout->addLayout(right, 3);
    return tab;
}

void CalibrationPage::FillTargets() {
    targetList_->clear();
    for (study::Quantity quantity : study::QuantitiesOf(*project_))
        for (const char* statistic : kStatistics)
            targetList_->addItem(QString("%1:%2").arg(study::InfoOf(quantity).name, statistic));
    targetList_->addItem("objective");
    for (int row = 0; row < targetList_->count(); ++row) {
        QListWidgetItem* item = targetList_->item(row);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void CalibrationPage::SensitivityButtonClick() {
    if (!project_) throw HalosoilError(projectLabel_->text().toStdString());
    study::SensitivitySettings settings;
    settings.parameters = parameterTable_->Checked();
    bool objective = false;
    for (int row = 0; row < targetList_->count(); ++row) {
        const QListWidgetItem* item = targetList_->item(row);
        if (item->checkState() != Qt::Checked) continue;
        settings.targets.push_back(study::ParseTarget(item->text().toStdString(), *project_));
        objective = objective || settings.targets.back().objective;
    }
    if (settings.targets.empty()) throw HalosoilError("Choose at least one target.");
    if (objective) {
        settings.observations = CurrentObservations();
        settings.weights = CurrentWeights();
    }
    settings.method = methodCombo_->currentIndex() == 1 ? study::SensitivityMethod::Morris
                                                        : study::SensitivityMethod::Sobol;
    settings.samples = samplesSpin_->value();
    settings.seed = static_cast<std::uint64_t>(seedSpin_->value());
    StartStudy("Running the sensitivity study", settings, &study::RunSensitivity,
               [this](study::SensitivityResult result) {
                   sensitivity_ = std::move(result);
                   statusLabel_->setText(QString("Sensitivity from %1 runs (%2 failed).")
                                             .arg(sensitivity_->runs)
                                             .arg(sensitivity_->failedRuns));
                   ShowSensitivity();
               });
}

void CalibrationPage::ShowSensitivity() {
    const bool sobol = !sensitivity_ || sensitivity_->method == study::SensitivityMethod::Sobol;
    sensitivityTable_->setRowCount(0);
    sensitivityTable_->setColumnCount(sobol ? 8 : 6);
    sensitivityTable_->setHorizontalHeaderLabels(
        sobol ? QStringList{"target", "parameter", "S1", "S1 low", "S1 high", "ST", "ST low",
                            "ST high"}
              : QStringList{"target", "parameter", "mu*", "mu* low", "mu* high", "sigma"});
    {
        const QSignalBlocker quiet(sensitivityTargetCombo_);
        sensitivityTargetCombo_->clear();
    }
    if (sensitivity_) {
        QStringList targets;
        sensitivityTable_->setRowCount(static_cast<int>(sensitivity_->rows.size()));
        for (int row = 0; row < sensitivityTable_->rowCount(); ++row) {
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
                sensitivityTable_->setItem(row, col, new QTableWidgetItem(cells[col]));
        }
        const QSignalBlocker quiet(sensitivityTargetCombo_);
        sensitivityTargetCombo_->addItems(targets);
    }
    PlotSensitivity();
    EnableControls();
}

void CalibrationPage::PlotSensitivity() {
    sensitivityChart_->Clear();
    QChart* chart = sensitivityChart_->chart();
    chart->setTitle("Sensitivity");
    if (!sensitivity_ || sensitivityTargetCombo_->currentIndex() < 0) return;
    const std::string target = sensitivityTargetCombo_->currentText().toStdString();
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
        sensitivityValueLabel_->setText(state ? QString("%1 of %2: %3")
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

void CalibrationPage::SaveSensitivityCsvButtonClick() {
    if (!sensitivity_) return;
    saving_.Bytes("CSV files (*.csv)|*.csv", "csv", study::SensitivityCsv(*sensitivity_));
}

}  // namespace halosoil
