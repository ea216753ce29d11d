// The final salt balances of several runs side by side: run k in lane k of a vector of the
// unit's width, each lane doing the one-run balance's operations in its order. The runs'
// updates are independent, so their divisions overlap instead of each waiting on the one
// before, which is what bounds a single balance.

#pragma once

#include <array>
#include <utility>

#include "RunSaltInputs.h"
#include "SaltBalance.h"
#include "SaltBalanceDays.h"
#include "SaltLanes.h"

namespace halosoil::saltbalance {

using lanes::kWidth;

// The one-run reads and results of lanes 0..W-1, from runs first + 0..runs-1; the lanes
// beyond them repeat the first run.
template <std::size_t... K>
std::array<RunSaltInputs, sizeof...(K)> InputsOfLanes(const RunInputs* const* data,
                                                      RunState* const* states, int runs,
                                                      std::index_sequence<K...>) {
    return {RunSaltInputs{*data[static_cast<int>(K) < runs ? K : 0],
                          *states[static_cast<int>(K) < runs ? K : 0]}...};
}

template <std::size_t... K>
std::array<RunSaltResults, sizeof...(K)> ResultsOfLanes(RunState* const* states, int runs,
                                                        std::index_sequence<K...>) {
    return {RunSaltResults{*states[static_cast<int>(K) < runs ? K : 0]}...};
}

template <class V>
HALOSOIL_LANES_INLINE void BalanceGroups(const RunInputs* const* data, RunState* const* states,
                                         int count) {
    constexpr auto kLanes = std::make_index_sequence<kWidth<V>>{};
    for (int first = 0; first < count; first += kWidth<V>) {
        const int runs = count - first < kWidth<V> ? count - first : kWidth<V>;
        const auto one = InputsOfLanes(data + first, states + first, runs, kLanes);
        auto oneResults = ResultsOfLanes(states + first, runs, kLanes);
        saltlanes::LaneSaltInputs<V, RunSaltInputs> inputs;
        saltlanes::LaneSaltResults<V, RunSaltResults> results;
        results.runs = runs;
        for (int k = 0; k < kWidth<V>; ++k) {
            inputs.one[k] = &one[static_cast<std::size_t>(k)];
            results.one[k] = &oneResults[static_cast<std::size_t>(k)];
        }
        V sse[kZoneCount + 1];
        // The runs of a group are of one shape, which includes their kind of balance.
        if (data[first]->SaltBalance == SaltBalanceKind::Conserving)
            SaltBalanceDays<V, SaltBalanceKind::Conserving>(inputs, results, sse);
        else
            SaltBalanceDays<V, SaltBalanceKind::Specified>(inputs, results, sse);
        for (int k = 0; k < runs; ++k) {
            double runSse[kZoneCount + 1];
            for (int zone = 0; zone <= kZoneCount; ++zone) runSse[zone] = sse[zone][k];
            FinishSaltFit(*data[first + k], *states[first + k], runSse);
        }
    }
}

}  // namespace halosoil::saltbalance
