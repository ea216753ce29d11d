// The drain-design calculator of the Decisions tab: the soil and drains (conductivities above
// and below drain level, the impervious layer's depth below the drains, the drain radius), and
// either a spacing, whose drainage reaction factors it gives by Hooghoudt's equation, or a
// QH1, whose spacing it gives, labelled in the drainage panel's units as halosoil-batch
// drains prints them.
#pragma once

#include <QWidget>

#include "Hooghoudt.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace halosoil {

class DrainCalculator : public QWidget {
    Q_OBJECT
public:
    explicit DrainCalculator(QWidget* parent = nullptr);

    // The soil as typed; throws HalosoilError naming the first field that holds no number
    // above 0.
    study::DrainSoil Soil() const;
    // The factors of the typed spacing, or (from the QH1 field) the spacing of the typed QH1;
    // a refusal is shown in their place.
    void ComputeFromSpacing();
    void ComputeFromQh1();

private:
    void Show(double spacing, const study::DrainSoil& soil);

    QLineEdit* kAboveEdit_ = nullptr;
    QLineEdit* kBelowEdit_ = nullptr;
    QLineEdit* imperviousEdit_ = nullptr;
    QLineEdit* radiusEdit_ = nullptr;
    QLineEdit* spacingEdit_ = nullptr;
    QLineEdit* qh1Edit_ = nullptr;
    QPlainTextEdit* result_ = nullptr;
};

}  // namespace halosoil
