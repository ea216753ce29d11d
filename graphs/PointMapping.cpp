#include "PointMapping.h"

#include "GraphRounding.h"
#include "GraphScaling.h"

namespace halosoil {

int StepX(const AxisState& axis, int step) {
    return RoundHalfEven(static_cast<double>(step) * 500 / (axis.XTop - axis.XBottom)) + kPlotLeft;
}

int ValueY(const AxisState& axis, double value, int base) {
    return base - RoundHalfEven((value - axis.YBottom) * 300 / (axis.YTop - axis.YBottom));
}

MappedPoints MapPoints(const AxisState& axis, int nrTst, const std::vector<SeriesToMap>& series) {
    const std::size_t size = static_cast<std::size_t>(nrTst < 0 ? 0 : nrTst) + 1;
    MappedPoints points;
    points.x.assign(size, 0);
    for (int i = 1; i <= nrTst; ++i) points.x[i] = StepX(axis, i);
    points.y.reserve(series.size());
    for (const SeriesToMap& one : series) {
        std::vector<int> rows(size, 0);
        for (int i = 1; i <= nrTst; ++i) {
            rows[i] = ValueY(axis, ValueAt(*one.values, i, one.missing), one.base);
        }
        points.y.push_back(std::move(rows));
    }
    return points;
}

}  // namespace halosoil
