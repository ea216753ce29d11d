// Irrigation spreading: in daily runs an irrigation gift is spread evenly over itself and up
// to four following dry days. The tests read the entered Irrig, never the spread series, and
// each later test overwrites what an earlier one set.

#include <algorithm>

#include "InputFile.h"

namespace halosoil {

void PrepareIrrigSpread(InputData& data) {
    const int n = data.NrTst;
    SizeSeries(data.IrrigSpread, n);
    // Steps missing from a short Irrig series count as dry days.
    const Series& entered = data.Irrig;
    const auto irrig = [&entered](int k) {
        return k < static_cast<int>(entered.size()) ? entered[k] : 0.0;
    };
    for (int i = 1; i <= n; ++i) data.IrrigSpread[i] = irrig(i);
    if (data.TstLength != 1) return;
    Series& spread = data.IrrigSpread;
    for (int i = 1; i <= n; ++i) {
        const double gift = irrig(i);
        if (gift <= 0) continue;
        // The day after the gift is dry at 0.01 mm or less, every further day below 0.01 mm.
        // The conditions on i keep the last day of the series out of every share.
        if (i < n - 1 && irrig(i + 1) <= 0.01) {
            spread[i] = spread[i + 1] = gift / 2;
            if (i < n - 2 && irrig(i + 2) < 0.01) {
                std::fill(spread.begin() + i, spread.begin() + i + 3, gift / 3);
                if (i < n - 3 && irrig(i + 3) < 0.01) {
                    std::fill(spread.begin() + i, spread.begin() + i + 4, gift / 4);
                    if (i < n - 4 && irrig(i + 4) < 0.01)
                        std::fill(spread.begin() + i, spread.begin() + i + 5, gift / 5);
                }
            }
        }
    }
}

}  // namespace halosoil
