// The buttons of the Calibration page's panels: each carries its program name and the name a
// screen reader announces and runs its handler through RunGuarded, so that a failure becomes
// a message; the buttons that save a chart as a picture, and the row over a chart.
#pragma once

#include <QPushButton>
#include <QString>
#include <functional>

#include "ActionGuard.h"
#include "Dialogs.h"
#include "StudyWidgets.h"

class QComboBox;
class QLabel;
class QLayout;

namespace halosoil {

class StudyChart;
class StudySaving;

// A button of owner; pressing it runs handler, if any.
template <class Owner>
QPushButton* StudyButton(Owner* owner, Dialogs& dialogs, const char* name, const QString& text,
                         void (Owner::*handler)() = nullptr) {
    auto* button = Named(new QPushButton(text), name, QString(text).remove('&'));
    if (handler) ConnectGuarded<Owner>(owner, dialogs, {{button, handler}});
    return button;
}

// A button that saves chart as a picture through saving.
QPushButton* SaveChartButton(QObject* owner, Dialogs& dialogs, StudySaving& saving,
                             const char* name, const QString& text, StudyChart* chart);

// The row over a chart: the combo that chooses what it shows (a change replots it with plot),
// a button that saves it as a picture, and the label of the value under the pointer.
QLayout* ChartRow(QObject* owner, Dialogs& dialogs, StudySaving& saving, QComboBox* combo,
                  const char* saveName, QLabel* valueLabel, StudyChart* chart,
                  std::function<void()> plot);

}  // namespace halosoil
