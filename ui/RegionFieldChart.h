// The chart beside the Region page's map: the clicked field's series of the quantity on view,
// step by step, with the step on view marked.
#pragma once

#include <optional>
#include <vector>

#include "StudyChart.h"

namespace halosoil {

class RegionFieldChart : public StudyChart {
    Q_OBJECT
public:
    explicit RegionFieldChart(QWidget* parent = nullptr);

    // The field's values of step 1.. (a gap where a step has none) under title, the values'
    // axis named axisTitle; markedStep (1..) marked, 0 for none.
    void ShowSeries(const QString& title, const QString& axisTitle,
                    const std::vector<std::optional<double>>& steps, int markedStep);
    // The points of the series shown, for a reader of the chart (and the tests).
    QList<QPointF> Points() const;
};

}  // namespace halosoil
