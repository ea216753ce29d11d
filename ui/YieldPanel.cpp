#include "YieldPanel.h"

#include <QAreaSeries>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "ActionGuard.h"
#include "StudyChart.h"
#include "StudySaving.h"
#include "StudyWidgets.h"

namespace halosoil {

namespace {

QTableWidgetItem* YieldCell(double value, int digits = 4) {
    return new QTableWidgetItem(std::isfinite(value) ? QString::number(value, 'f', digits)
                                                     : QString());
}

QLineSeries* Line(const QString& name) {
    auto* series = new QLineSeries;
    series->setName(name);
    return series;
}

}  // namespace

YieldPanel::YieldPanel(Dialogs& dialogs, StudySaving& saving, QWidget* parent) : QWidget(parent) {
    sourceCombo_ = Named(new QComboBox, "YieldSourceCombo", "Members of the yield's bands");
    sourceCombo_->addItems({"the project as it is", "members from the last calibration's estimates",
                            "members uniform within the checked parameters' bounds"});
    membersSpin_ = Named(new QSpinBox, "YieldMembersSpin", "Members of the yield's ensemble");
    membersSpin_->setRange(2, 1000000);
    membersSpin_->setValue(200);
    computeButton_ = Named(new QPushButton("Compute yield"), "ComputeYieldButton", "Compute yield");
    saveTableButton_ = Named(new QPushButton("Save table as CSV"), "SaveYieldCsvButton",
                             "Save yield table as CSV");
    saveChartButton_ =
        Named(new QPushButton("Save picture"), "SaveYieldChartButton", "Save yield picture");
    statusLabel_ = Named(new QLabel, "YieldStatusLabel", "State of the yield");
    statusLabel_->setWordWrap(true);
    valueLabel_ = Named(new QLabel, "YieldValueLabel", "Value under the pointer");
    table_ = Table("YieldTable", "Relative yield per time step",
                   {"step", "ECe (dS/m)", "relative yield (%)", "leaching requirement",
                    "irrigation needed (mm)", "median (%)", "5 % (%)", "95 % (%)"});
    chart_ = new StudyChart("YieldChart");
    chart_->SetValueLabel(valueLabel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(ButtonRow({sourceCombo_, new QLabel("members"), membersSpin_, computeButton_,
                                 saveTableButton_, saveChartButton_}));
    layout->addWidget(statusLabel_);
    layout->addWidget(valueLabel_);
    auto* results = new QHBoxLayout;
    results->addWidget(table_, 2);
    results->addWidget(chart_, 3);
    layout->addLayout(results, 1);

    connect(sourceCombo_, &QComboBox::currentIndexChanged, this,
            [this](int index) { membersSpin_->setEnabled(index != ProjectAsItIs); });
    membersSpin_->setEnabled(false);
    connect(saveTableButton_, &QPushButton::clicked, this,
            [this, &dialogs, &saving] { RunGuarded(dialogs, [&] { saving.Table(table_); }); });
    connect(saveChartButton_, &QPushButton::clicked, this,
            [this, &dialogs, &saving] { RunGuarded(dialogs, [&] { saving.Chart(chart_); }); });
    Clear();
}

YieldPanel::Source YieldPanel::MembersFrom() const {
    return static_cast<Source>(sourceCombo_->currentIndex());
}

int YieldPanel::Members() const {
    return membersSpin_->value();
}

void YieldPanel::Clear() {
    last_.reset();
    table_->setRowCount(0);
    chart_->Clear();
    chart_->chart()->setTitle("Relative yield");
    statusLabel_->clear();
    saveTableButton_->setEnabled(false);
    saveChartButton_->setEnabled(false);
}

void YieldPanel::Show(YieldOutcome outcome, const QString& cropName) {
    last_ = std::move(outcome);
    FillTable();
    Plot(cropName);
    QString status =
        QString("Relative yield of %1 over %2 time steps").arg(cropName).arg(last_->steps);
    if (last_->stoppedStep > 0)
        status += QString(
                      "; the run stopped at step %1, where the water table fell below the "
                      "aquifer")
                      .arg(last_->stoppedStep);
    if (last_->members > 0)
        status += QString("; bands of %1 members, %2 of them left out (stopped early or refused)")
                      .arg(last_->members)
                      .arg(last_->membersLeftOut);
    statusLabel_->setText(status + ".");
    saveTableButton_->setEnabled(true);
    saveChartButton_->setEnabled(true);
}

void YieldPanel::FillTable() {
    const std::vector<study::YieldStep>& yields = last_->yields;
    table_->setRowCount(static_cast<int>(yields.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const study::YieldStep& step = yields[static_cast<std::size_t>(row)];
        table_->setItem(row, 0, new QTableWidgetItem(QString::number(step.step)));
        table_->setItem(row, 1, YieldCell(step.ece));
        table_->setItem(row, 2, YieldCell(step.relativeYield, 2));
        table_->setItem(row, 3, YieldCell(step.leachingRequirement));
        table_->setItem(row, 4, YieldCell(step.irrigationNeeded, 1));
        for (const study::BandRow& band : last_->bands) {
            if (band.step != step.step) continue;
            table_->setItem(row, 5, YieldCell(band.q50, 2));
            table_->setItem(row, 6, YieldCell(band.q05, 2));
            table_->setItem(row, 7, YieldCell(band.q95, 2));
        }
    }
    for (int col = 5; col < 8; ++col) table_->setColumnHidden(col, last_->bands.empty());
}

void YieldPanel::Plot(const QString& cropName) {
    chart_->Clear();
    QChart* chart = chart_->chart();
    chart->setTitle(QString("Relative yield of %1").arg(cropName));
    QValueAxis* x = StepAxis(last_->steps);
    QValueAxis* y = ValueAxis("relative yield (%)");
    y->setRange(0, 105);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    const auto add = [&](QAbstractSeries* series) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    };
    if (!last_->bands.empty()) {
        QLineSeries* q05 = Line("5 %");
        QLineSeries* q25 = Line("25 %");
        QLineSeries* q75 = Line("75 %");
        QLineSeries* q95 = Line("95 %");
        QLineSeries* median = Line("median");
        for (const study::BandRow& row : last_->bands) {
            q05->append(row.step, row.q05);
            q25->append(row.step, row.q25);
            q75->append(row.step, row.q75);
            q95->append(row.step, row.q95);
            median->append(row.step, row.q50);
        }
        auto* wide = new QAreaSeries(q95, q05);
        wide->setName("5-95 %");
        wide->setColor(QColor(180, 200, 240));
        auto* narrow = new QAreaSeries(q75, q25);
        narrow->setName("25-75 %");
        narrow->setColor(QColor(110, 150, 220));
        add(wide);
        add(narrow);
        // An area leaves its edges without an owner once the chart has taken it.
        q95->setParent(wide);
        q05->setParent(wide);
        q75->setParent(narrow);
        q25->setParent(narrow);
        median->setColor(Qt::darkBlue);
        add(median);
        chart_->WatchHover(median);
    }
    QLineSeries* project = Line("the project");
    project->setColor(Qt::black);
    for (const study::YieldStep& step : last_->yields)
        project->append(step.step, step.relativeYield);
    add(project);
    chart_->WatchHover(project);
}

}  // namespace halosoil
