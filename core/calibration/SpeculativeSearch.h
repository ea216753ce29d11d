// The search of a member whose trials read the working efficiency of the zone it searches,
// computed many trials at a time yet giving exactly the result of the plain loop.
//
// The plain loop: for each trial in order, its sum is computed with the working efficiency
// as it stands, and a strictly smaller sum than the best so far makes the trial's efficiency
// the working one. Here a block of trials is computed at once, each trial on an assumption of
// the working efficiency it will see, drawn from a guess of which trials before it improve.
// The block's sums are then replayed in order as the plain loop would take them: the trials
// are accepted as long as their assumption held, so every accepted sum is the plain loop's
// own. From the first trial whose assumption failed the next block starts, and the replay of
// the rest of the block, though done with sums computed on wrong assumptions, becomes the
// guess for them: a zone's sums depend only a little on the efficiency they read, so the
// second try mostly holds.
#pragma once

#include <algorithm>
#include <vector>

#include "CalibrationKernels.h"

namespace halosoil {

// Blocks start small, where the guesses are least sure, and double while every trial of a
// block is accepted, up to mostBlock.
// sumsOf(first, count, assumed, sums, best) computes sums[0..count-1] of trials
// first..first+count-1, trial first+m seeing assumed[m] as the working efficiency; a trial
// whose sum reaches `best`, the best sum before the block, cannot improve, and may report any
// sum from `best` on. Returns the working efficiency after the search, which starts from `working`.
template <class SumsOf>
double SearchSpeculatively(const std::vector<double>& efficiencies, double working, int leastBlock,
                           int mostBlock, const SumsOf& sumsOf) {
    const int trials = static_cast<int>(efficiencies.size());
    enum Guess : signed char { kUnknown = -1, kStays = 0, kImproves = 1 };
    std::vector<signed char> guess(trials, kUnknown);
    std::vector<double> assumed(mostBlock), sums(mostBlock);
    int blockSize = leastBlock;
    double best = kStartingBestSum;
    bool lastImproved = true;  // with nothing known, the sums are taken to keep their trend
    for (int next = 0; next < trials;) {
        const int count = std::min(blockSize, trials - next);
        double seen = working;
        bool trend = lastImproved;
        for (int m = 0; m < count; ++m) {
            assumed[m] = seen;
            const int t = next + m;
            const bool improves = guess[t] == kUnknown ? trend : guess[t] == kImproves;
            if (improves) seen = efficiencies[t];
            trend = improves;
        }
        sumsOf(next, count, assumed, sums, best);

        const int first = next;
        double replayWorking = working, replayBest = best;
        bool accepting = true;
        for (int m = 0; m < count; ++m) {
            const int t = first + m;
            accepting = accepting && assumed[m] == replayWorking;
            const bool improves = sums[m] < replayBest;
            guess[t] = improves ? kImproves : kStays;
            if (improves) {
                replayBest = sums[m];
                replayWorking = efficiencies[t];
            }
            if (accepting) {
                working = replayWorking;
                best = replayBest;
                lastImproved = improves;
                ++next;
            }
        }
        blockSize = accepting ? std::min(2 * blockSize, mostBlock) : leastBlock;
    }
    return working;
}

}  // namespace halosoil
