// The search of a member whose trials read the working efficiency of the zone it searches,
// computed many trials at a time yet giving exactly the result of the plain loop.
//
// The plain loop: for each trial in order, its sum is computed with the working efficiency
// as it stands, and a strictly smaller sum than the best so far makes the trial's efficiency
// the working one. A block of trials is computed on an assumption of what each trial will
// see: while the sums keep falling, the efficiency of the trial before it; once they stopped
// falling, the working efficiency as it stands. The trials are then accepted in order while
// their assumption held; the next block starts at the first trial whose assumption failed,
// so every accepted sum is the one the plain loop computes.
#pragma once

#include <algorithm>
#include <vector>

namespace halosoil {

// sumsOf(first, count, assumed, sums) computes sums[0..count-1] of trials first..first+count-1,
// trial first+m seeing assumed[m] as the working efficiency. Returns the working efficiency
// after the search, which starts from `working`.
template <class SumsOf>
double SearchSpeculatively(const std::vector<double>& efficiencies, double working, int blockSize,
                           const SumsOf& sumsOf) {
    const int trials = static_cast<int>(efficiencies.size());
    std::vector<double> assumed(blockSize), sums(blockSize);
    double best = 1000000;
    bool falling = true;
    for (int next = 0; next < trials;) {
        const int count = std::min(blockSize, trials - next);
        for (int m = 0; m < count; ++m)
            assumed[m] = falling && m > 0 ? efficiencies[next + m - 1] : working;
        sumsOf(next, count, assumed, sums);
        for (int m = 0; m < count && assumed[m] == working; ++m, ++next) {
            falling = sums[m] < best;
            if (falling) {
                best = sums[m];
                working = efficiencies[next];
            }
        }
    }
    return working;
}

}  // namespace halosoil
