#include "ParametersPanel.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "Errors.h"
#include "ParameterTable.h"
#include "StringToFloat.h"
#include "StudyWidgets.h"

namespace halosoil {

ParametersPanel::ParametersPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    table_ = Named(new ParameterTable, "ParameterTable", "Parameters and their bounds");
    status_ = Named(new QLabel, "ParameterStatusLabel", "State of the bounds");
    status_->setWordWrap(true);
    table_->SetStatusSink([this](const QString& text) { status_->setText(text); });
    layout->addWidget(table_, 3);
    layout->addWidget(status_);
    auto* row = new QHBoxLayout;
    weightTable_ =
        Table("WeightTable", "Weights of the observed quantities", {"quantity", "weight"});
    weightTable_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    row->addWidget(weightTable_, 1);
    auto* form = new QFormLayout;
    seedSpin_ = Named(new QSpinBox, "SeedSpin", "Seed of the random draws");
    seedSpin_->setRange(0, 2147483647);
    threadsSpin_ = Named(new QSpinBox, "ThreadsSpin", "Threads for the runs");
    threadsSpin_->setRange(0, 256);
    threadsSpin_->setSpecialValueText("one per core");
    form->addRow("Seed", seedSpin_);
    form->addRow("Threads", threadsSpin_);
    row->addLayout(form, 1);
    layout->addLayout(row, 1);
}

void ParametersPanel::SetProject(const InputData& project, bool fresh) {
    if (!fresh) {
        table_->ShowValues(project);
        return;
    }
    table_->SetUp(project);
    FillWeights(project);
}

std::vector<study::Parameter> ParametersPanel::Checked() const {
    return table_->Checked();
}

std::uint64_t ParametersPanel::Seed() const {
    return static_cast<std::uint64_t>(seedSpin_->value());
}

int ParametersPanel::Threads() const {
    return threadsSpin_->value();
}

void ParametersPanel::FillWeights(const InputData& project) {
    const std::vector<study::Quantity> quantities = study::QuantitiesOf(project);
    weightTable_->setRowCount(static_cast<int>(quantities.size()));
    for (int row = 0; row < weightTable_->rowCount(); ++row) {
        auto* name =
            new QTableWidgetItem(study::InfoOf(quantities[static_cast<std::size_t>(row)]).name);
        name->setFlags(Qt::ItemIsEnabled);
        weightTable_->setItem(row, 0, name);
        weightTable_->setItem(row, 1, new QTableWidgetItem("1"));
    }
    weightTable_->resizeColumnsToContents();
}

study::Weights ParametersPanel::Weights() const {
    study::Weights weights;
    for (int row = 0; row < weightTable_->rowCount(); ++row) {
        const std::string name = weightTable_->item(row, 0)->text().toStdString();
        const std::string text = weightTable_->item(row, 1)->text().trimmed().toStdString();
        double weight = 0;
        try {
            weight = PointStringToFloat(text);
        } catch (const ConversionError& error) {
            throw HalosoilError("Weight of " + name + ": " + error.what());
        }
        if (!(weight >= 0)) throw HalosoilError("Weight of " + name + ": a weight is 0 or more");
        weights.Set(*study::QuantityNamed(name), weight);
    }
    return weights;
}

}  // namespace halosoil
