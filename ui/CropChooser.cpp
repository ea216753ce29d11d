#include "CropChooser.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>

#include "RelativeYield.h"
#include "StudyWidgets.h"

namespace halosoil {

namespace {

constexpr const char* kOwnCrop = "own crop (threshold and slope)";

QDoubleSpinBox* NumberSpin(const char* name, const QString& accessible, double high, int decimals) {
    auto* spin = Named(new QDoubleSpinBox, name, accessible);
    spin->setRange(0, high);
    spin->setDecimals(decimals);
    return spin;
}

}  // namespace

CropChooser::CropChooser(QWidget* parent) : QWidget(parent) {
    cropCombo_ = Named(new QComboBox, "CropCombo", "Crop");
    for (const study::Crop& crop : study::ShippedCrops())
        cropCombo_->addItem(QString::fromStdString(crop.name));
    cropCombo_->addItem(kOwnCrop);
    thresholdSpin_ = NumberSpin("CropThresholdSpin", "Threshold ECe of the crop, dS/m", 100, 2);
    slopeSpin_ = NumberSpin("CropSlopeSpin", "Yield lost per dS/m above the threshold, %", 100, 2);
    eceFactorSpin_ =
        NumberSpin("EceFactorSpin", "ECe as a share of the soil moisture's salinity", 10, 3);
    eceFactorSpin_->setMinimum(0.001);
    eceFactorSpin_->setSingleStep(0.05);
    eceFactorSpin_->setValue(study::kDefaultEceFactor);
    eceFactorSpin_->setToolTip(
        "The soil moisture near field capacity holds about twice the salt concentration of "
        "the saturation extract: ECe is half its salinity unless you say otherwise.");
    aboutLabel_ = Named(new QLabel, "CropAboutLabel", "Tolerance class and source of the crop");

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel("Crop"));
    layout->addWidget(cropCombo_);
    layout->addWidget(new QLabel("threshold ECe (dS/m)"));
    layout->addWidget(thresholdSpin_);
    layout->addWidget(new QLabel("slope (% per dS/m)"));
    layout->addWidget(slopeSpin_);
    layout->addWidget(new QLabel("ECe factor"));
    layout->addWidget(eceFactorSpin_);
    layout->addWidget(aboutLabel_, 1);

    connect(cropCombo_, &QComboBox::currentIndexChanged, this, [this] {
        ShowChosen();
        emit Changed();
    });
    for (QDoubleSpinBox* spin : {thresholdSpin_, slopeSpin_, eceFactorSpin_})
        connect(spin, &QDoubleSpinBox::valueChanged, this, &CropChooser::Changed);
    ShowChosen();
}

void CropChooser::Choose(const QString& name) {
    const int index = name.isEmpty() ? cropCombo_->count() - 1 : cropCombo_->findText(name);
    if (index >= 0) cropCombo_->setCurrentIndex(index);
}

// The table's crop shows its numbers, which only the user's own crop lets one change.
void CropChooser::ShowChosen() {
    const int index = cropCombo_->currentIndex();
    const study::CropTable& table = study::ShippedCrops();
    const bool own = index < 0 || index >= static_cast<int>(table.size());
    thresholdSpin_->setReadOnly(!own);
    slopeSpin_->setReadOnly(!own);
    if (own) {
        aboutLabel_->setText("your own crop");
        return;
    }
    const study::Crop& crop = table[static_cast<std::size_t>(index)];
    const QSignalBlocker quietThreshold(thresholdSpin_);
    const QSignalBlocker quietSlope(slopeSpin_);
    thresholdSpin_->setValue(crop.threshold);
    slopeSpin_->setValue(crop.slope);
    aboutLabel_->setText(QString::fromStdString(crop.toleranceClass + "; " + crop.source));
}

study::Crop CropChooser::Crop() const {
    const int index = cropCombo_->currentIndex();
    const study::CropTable& table = study::ShippedCrops();
    if (index >= 0 && index < static_cast<int>(table.size()))
        return table[static_cast<std::size_t>(index)];
    study::Crop own;
    own.name = "own crop";
    own.threshold = thresholdSpin_->value();
    own.slope = slopeSpin_->value();
    return own;
}

double CropChooser::EceFactor() const {
    return eceFactorSpin_->value();
}

}  // namespace halosoil
