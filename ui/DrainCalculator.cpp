#include "DrainCalculator.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "Errors.h"
#include "StringToFloat.h"
#include "StudyWidgets.h"

namespace halosoil {

namespace {

// The number of a field; a letter in it is refused by the field's caption.
double NumberOf(const QLineEdit* edit) {
    const std::string text = edit->text().trimmed().toStdString();
    try {
        return PointStringToFloat(text);
    } catch (const ConversionError&) {
        throw HalosoilError(edit->accessibleName().toStdString() + ": \"" + text +
                            "\" is not a number.");
    }
}

// The window names the field, where halosoil-batch names its option.
double NumberAboveZero(const QLineEdit* edit) {
    const double value = NumberOf(edit);
    if (!(value > 0) || !std::isfinite(value))
        throw HalosoilError(edit->accessibleName().toStdString() + ": " +
                            edit->text().trimmed().toStdString() + " must be a number above 0.");
    return value;
}

}  // namespace

DrainCalculator::DrainCalculator(QWidget* parent) : QWidget(parent) {
    const auto edit = [](const char* name, const QString& accessible, const char* value) {
        auto* field = Named(new QLineEdit(value), name, accessible);
        field->setMaximumWidth(120);
        return field;
    };
    kAboveEdit_ =
        edit("DrainKAboveEdit", "Hydraulic conductivity above drain level K1 (m/day)", "1");
    kBelowEdit_ =
        edit("DrainKBelowEdit", "Hydraulic conductivity below drain level K2 (m/day)", "1");
    imperviousEdit_ =
        edit("DrainImperviousEdit", "Depth of the impervious layer below the drains D (m)", "5");
    radiusEdit_ = edit("DrainRadiusEdit", "Drain radius r (m)", "0.1");
    spacingEdit_ = edit("DrainSpacingEdit", "Drain spacing L (m)", "50");
    qh1Edit_ = edit("DrainWantedQh1Edit", "Drainage reaction factor QH1 wanted (m/day/m)", "");
    auto* fromSpacing = Named(new QPushButton("Factors of the spacing"), "DrainFactorsButton",
                              "Factors of the spacing");
    auto* fromQh1 =
        Named(new QPushButton("Spacing of the QH1"), "DrainSpacingButton", "Spacing of the QH1");
    result_ = Named(new QPlainTextEdit, "DrainResultText", "Drain design result");
    result_->setReadOnly(true);

    auto* form = new QFormLayout;
    for (QLineEdit* field :
         {kAboveEdit_, kBelowEdit_, imperviousEdit_, radiusEdit_, spacingEdit_, qh1Edit_})
        form->addRow(field->accessibleName(), field);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(ButtonRow({fromSpacing, fromQh1}));
    layout->addWidget(result_, 1);

    connect(fromSpacing, &QPushButton::clicked, this, &DrainCalculator::ComputeFromSpacing);
    connect(fromQh1, &QPushButton::clicked, this, &DrainCalculator::ComputeFromQh1);
}

study::DrainSoil DrainCalculator::Soil() const {
    study::DrainSoil soil;
    soil.kAbove = NumberAboveZero(kAboveEdit_);
    soil.kBelow = NumberAboveZero(kBelowEdit_);
    soil.impervious = NumberAboveZero(imperviousEdit_);
    soil.radius = NumberAboveZero(radiusEdit_);
    return soil;
}

void DrainCalculator::ComputeFromSpacing() {
    try {
        const study::DrainSoil soil = Soil();
        const double spacing = NumberOf(spacingEdit_);
        study::CheckSpacing(soil, spacing);
        Show(spacing, soil);
    } catch (const HalosoilError& error) {
        result_->setPlainText(error.what());
    }
}

void DrainCalculator::ComputeFromQh1() {
    try {
        const study::DrainSoil soil = Soil();
        const double spacing = study::SpacingOfQh1(soil, NumberOf(qh1Edit_));
        spacingEdit_->setText(QString::number(spacing, 'g', 6));
        Show(spacing, soil);
    } catch (const HalosoilError& error) {
        result_->setPlainText(error.what());
    }
}

void DrainCalculator::Show(double spacing, const study::DrainSoil& soil) {
    result_->setPlainText(QString::fromStdString(
        study::DrainageFactorsText(spacing, study::FactorsOfSpacing(soil, spacing))));
}

}  // namespace halosoil
