#include "RegionFieldChart.h"

#include <QChart>
#include <QLineSeries>
#include <QScatterSeries>
#include <algorithm>

#include "StudyWidgets.h"

namespace halosoil {

RegionFieldChart::RegionFieldChart(QWidget* parent) : StudyChart("RegionFieldChart", parent) {
    setAccessibleName("Series of the chosen field");
    chart()->setTitle("Click a field of the map");
}

void RegionFieldChart::ShowSeries(const QString& title, const QString& axisTitle,
                                  const std::vector<std::optional<double>>& steps, int markedStep) {
    Clear();
    chart()->setTitle(title);
    auto* line = new QLineSeries;
    line->setName(axisTitle);
    double low = 0, high = 0;
    bool any = false;
    for (std::size_t k = 0; k < steps.size(); ++k) {
        if (!steps[k]) continue;
        const double value = *steps[k];
        line->append(static_cast<double>(k + 1), value);
        low = any ? std::min(low, value) : value;
        high = any ? std::max(high, value) : value;
        any = true;
    }
    chart()->addSeries(line);
    QValueAxis* x = StepAxis(static_cast<int>(steps.size()));
    QValueAxis* y = ValueAxis(axisTitle);
    // A flat series still gets an axis of some height.
    const double margin = high > low ? (high - low) * 0.05 : std::max(1.0, std::abs(high) * 0.1);
    y->setRange(low - margin, high + margin);
    chart()->addAxis(x, Qt::AlignBottom);
    chart()->addAxis(y, Qt::AlignLeft);
    line->attachAxis(x);
    line->attachAxis(y);
    WatchHover(line);
    if (markedStep >= 1 && markedStep <= static_cast<int>(steps.size()) &&
        steps[static_cast<std::size_t>(markedStep - 1)]) {
        auto* mark = new QScatterSeries;
        mark->setName(QString("step %1").arg(markedStep));
        mark->append(markedStep, *steps[static_cast<std::size_t>(markedStep - 1)]);
        chart()->addSeries(mark);
        mark->attachAxis(x);
        mark->attachAxis(y);
    }
}

QList<QPointF> RegionFieldChart::Points() const {
    for (QAbstractSeries* series : chart()->series())
        if (auto* line = qobject_cast<QLineSeries*>(series)) return line->points();
    return {};
}

}  // namespace halosoil
