#include "DrainageRefinement.h"

#include <cmath>
#include <vector>

#include "WaterBalance.h"

namespace halosoil {

void RefinementTrial(const InputData& data, RunState& state, double q,
                     std::vector<double>& residuals) {
    WaterBalance balance(data, state);
    balance.Start();
    double accumulated = 0;
    for (int i = 1; i <= data.NrTst; ++i) {
        double flowSum = 0;
        double porWT = 0;
        balance.Step(i, q, false, &flowSum, &porWT);
        const double residual = flowSum + (data.GrwtInf - data.GrwtOut) * data.TstLength +
                                1000 * porWT * (state.DepthWT[i] - state.DepthWT[i - 1]);
        accumulated = accumulated + residual;
        residuals[i] = accumulated;
    }
}

void RefineDrainageCapacity(const InputData& data, RunState& state) {
    double best = 100000.0;
    double q = 0;
    double bestQ = data.QH1;
    bool found = false;
    std::vector<double> residuals(static_cast<std::size_t>(data.NrTst) + 1, 0.0);
    for (int trial = 1; trial <= 200; ++trial) {
        q = q + 0.001;
        RefinementTrial(data, state, q, residuals);
        for (int i = 1; i <= data.NrTst; ++i) {
            if (std::fabs(residuals[i]) < best) {
                best = std::fabs(residuals[i]);
                bestQ = q;
                found = true;
            }
        }
    }
    // The ends of the range mean the search found no capacity of its own.
    state.QH1Refined = found && !(bestQ > 0.199 || bestQ < 0.002);
    state.QH1Used = state.QH1Refined ? bestQ : data.QH1;
}

}  // namespace halosoil
