#include "StudyButtons.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

#include "StudyChart.h"
#include "StudySaving.h"

namespace halosoil {

QPushButton* SaveChartButton(QObject* owner, Dialogs& dialogs, StudySaving& saving,
                             const char* name, const QString& text, StudyChart* chart) {
    auto* button = Named(new QPushButton(text), name, QString(text).remove('&'));
    QObject::connect(button, &QPushButton::clicked, owner, [&dialogs, &saving, chart] {
        RunGuarded(dialogs, [&saving, chart] { saving.Chart(chart); });
    });
    return button;
}

QLayout* ChartRow(QObject* owner, Dialogs& dialogs, StudySaving& saving, QComboBox* combo,
                  const char* saveName, QLabel* valueLabel, StudyChart* chart,
                  std::function<void()> plot) {
    QPushButton* save = SaveChartButton(owner, dialogs, saving, saveName, "Save picture", chart);
    chart->SetValueLabel(valueLabel);
    auto* row = new QHBoxLayout;
    row->addWidget(combo);
    row->addWidget(save);
    row->addWidget(valueLabel, 1);
    QObject::connect(combo, &QComboBox::currentIndexChanged, owner,
                     [&dialogs, plot = std::move(plot)] { RunGuarded(dialogs, plot); });
    return row;
}

}  // namespace halosoil
