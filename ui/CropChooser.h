// The crop of the Decisions tab: one of the salt-tolerance table's crops, or the user's own
// by its threshold and slope, and the factor from the soil moisture's salinity to that of the
// saturation extract (ECe) that the yields are reckoned with.
#pragma once

#include <QWidget>

#include "CropTolerance.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;

namespace halosoil {

class CropChooser : public QWidget {
    Q_OBJECT
public:
    explicit CropChooser(QWidget* parent = nullptr);

    study::Crop Crop() const;
    double EceFactor() const;
    // Chooses the table's crop of that name; the user's own crop for an empty name.
    void Choose(const QString& name);

signals:
    void Changed();

private:
    void ShowChosen();

    QComboBox* cropCombo_ = nullptr;
    QDoubleSpinBox* thresholdSpin_ = nullptr;
    QDoubleSpinBox* slopeSpin_ = nullptr;
    QDoubleSpinBox* eceFactorSpin_ = nullptr;
    QLabel* aboutLabel_ = nullptr;
};

}  // namespace halosoil
