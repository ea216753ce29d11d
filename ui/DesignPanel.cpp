#include "DesignPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "DesignSummary.h"
#include "Errors.h"
#include "ParameterTable.h"
#include "StudyWidgets.h"

namespace halosoil {

namespace {

constexpr const char* kIrrigation = "irrigation";
constexpr const char* kDrainage = "drainage";

QTableWidgetItem* DesignCell(const QString& text) {
    return new QTableWidgetItem(text);
}

QString DesignNumber(double value) {
    return QString::number(value, 'g', 6);
}

}  // namespace

DesignPanel::DesignPanel(QWidget* parent) : QWidget(parent) {
    controls_ =
        Named(new ParameterTable, "DesignControlTable", "Controls of the design and their bounds");
    yieldSpin_ = Named(new QDoubleSpinBox, "RequiredYieldSpin", "Relative yield required, %");
    yieldSpin_->setRange(0, 100);
    yieldSpin_->setValue(90);
    atFinalCheck_ = Named(new QCheckBox("at the last step only"), "RequireAtFinalCheck",
                          "Require the yield at the last step only");
    probabilityCheck_ = Named(new QCheckBox("with probability"), "DesignProbabilityCheck",
                              "Require the yield with a probability over an ensemble");
    probabilitySpin_ =
        Named(new QDoubleSpinBox, "DesignProbabilitySpin", "Probability the yield is met");
    probabilitySpin_->setRange(0, 1);
    probabilitySpin_->setDecimals(3);
    probabilitySpin_->setSingleStep(0.05);
    probabilitySpin_->setValue(0.9);
    uncertaintyCombo_ =
        Named(new QComboBox, "DesignUncertaintyCombo", "Where the design's members are drawn from");
    uncertaintyCombo_->addItems(
        {"the last calibration's estimates", "uniform within the Parameters tab's checked bounds"});
    membersSpin_ = Named(new QSpinBox, "DesignMembersSpin", "Members of the design's ensemble");
    membersSpin_->setRange(2, 100000);
    membersSpin_->setValue(200);
    seedSpin_ = Named(new QSpinBox, "DesignSeedSpin", "Seed of the design's members");
    seedSpin_->setRange(0, 1000000000);
    goalCombo_ = Named(new QComboBox, "DesignGoalCombo", "What the design minimises");
    runButton_ = Named(new QPushButton("Run design"), "DesignButton", "Run design");
    applyButton_ = Named(new QPushButton("Apply to input"), "DesignApplyButton",
                         "Apply the design to the input");
    saveReportButton_ =
        Named(new QPushButton("Save report"), "SaveDesignReportButton", "Save design report");
    resultTable_ =
        Table("DesignTable", "Controls of the design", {"control", "value", "low", "high", "unit"});
    summary_ = Named(new QPlainTextEdit, "DesignSummaryText", "Summary of the design");
    summary_->setReadOnly(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(controls_, 2);
    layout->addLayout(ButtonRow({new QLabel("require relative yield (%) at least"), yieldSpin_,
                                 atFinalCheck_, probabilityCheck_, probabilitySpin_}));
    layout->addLayout(ButtonRow(
        {new QLabel("members"), membersSpin_, uncertaintyCombo_, new QLabel("seed"), seedSpin_}));
    layout->addLayout(ButtonRow(
        {new QLabel("minimise"), goalCombo_, runButton_, applyButton_, saveReportButton_}));
    auto* results = new QHBoxLayout;
    results->addWidget(resultTable_, 1);
    results->addWidget(summary_, 1);
    layout->addLayout(results, 1);

    const auto enableProbability = [this](bool on) {
        for (QWidget* widget : std::initializer_list<QWidget*>{probabilitySpin_, uncertaintyCombo_,
                                                               membersSpin_, seedSpin_})
            widget->setEnabled(on);
    };
    connect(probabilityCheck_, &QCheckBox::toggled, this, enableProbability);
    enableProbability(false);
    connect(controls_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == ParameterTable::NameColumn) FillGoals();
    });
    FillGoals();
    Clear();
}

void DesignPanel::SetUp(const InputData& project) {
    controls_->SetUp(project);
    FillGoals();
    Clear();
}

void DesignPanel::ShowValues(const InputData& project) {
    controls_->ShowValues(project);
}

// Irrigation and drainage, then each checked control, which the design may also minimise.
void DesignPanel::FillGoals() {
    const QString chosen = goalCombo_->currentText();
    const QSignalBlocker quiet(goalCombo_);
    goalCombo_->clear();
    goalCombo_->addItems({kIrrigation, kDrainage});
    for (int row = 0; row < controls_->rowCount(); ++row) {
        const QTableWidgetItem* name = controls_->item(row, ParameterTable::NameColumn);
        if (name && name->checkState() == Qt::Checked) goalCombo_->addItem(name->text());
    }
    const int index = goalCombo_->findText(chosen);
    goalCombo_->setCurrentIndex(index >= 0 ? index : 0);
}

study::DesignSettings DesignPanel::Settings() const {
    study::DesignSettings settings;
    settings.controls = controls_->Checked();
    if (settings.controls.empty())
        throw HalosoilError("Check at least one control of the design and give its bounds.");
    settings.requirement.minimumYield = yieldSpin_->value();
    settings.requirement.atFinal = atFinalCheck_->isChecked();
    study::SetGoal(settings, goalCombo_->currentText().toStdString());
    if (WithProbability()) {
        settings.probability = probabilitySpin_->value();
        settings.members = membersSpin_->value();
        settings.seed = static_cast<std::uint64_t>(seedSpin_->value());
    }
    return settings;
}

bool DesignPanel::WithProbability() const {
    return probabilityCheck_->isChecked();
}

DesignPanel::Uncertainty DesignPanel::UncertainFrom() const {
    return static_cast<Uncertainty>(uncertaintyCombo_->currentIndex());
}

void DesignPanel::Clear() {
    last_.reset();
    resultTable_->setRowCount(0);
    summary_->clear();
    applyButton_->setEnabled(false);
    saveReportButton_->setEnabled(false);
}

void DesignPanel::Show(const study::DesignSettings& settings, study::DesignResult result) {
    lastSettings_ = settings;
    last_ = std::move(result);
    resultTable_->setRowCount(static_cast<int>(settings.controls.size()));
    for (int row = 0; row < resultTable_->rowCount(); ++row) {
        const study::Parameter& control = settings.controls[static_cast<std::size_t>(row)];
        resultTable_->setItem(row, 0, DesignCell(QString::fromStdString(control.Name())));
        resultTable_->setItem(
            row, 1, DesignCell(DesignNumber(last_->values[static_cast<std::size_t>(row)])));
        resultTable_->setItem(row, 2, DesignCell(DesignNumber(control.low)));
        resultTable_->setItem(row, 3, DesignCell(DesignNumber(control.high)));
        resultTable_->setItem(row, 4, DesignCell(control.Info().unit));
    }
    summary_->setPlainText(QString::fromStdString(study::DesignSummaryText(settings, *last_)));
    applyButton_->setEnabled(true);
    saveReportButton_->setEnabled(true);
}

}  // namespace halosoil
