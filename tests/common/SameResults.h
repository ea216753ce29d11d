// Two runs' results compared to the last bit: -0 is not 0 and a NaN equals itself, as the
// fast paths, the side-by-side runs and the study members promise the plain run's bits.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>

#include "QuantityCatalogue.h"
#include "RunState.h"

namespace halosoil::test {

// The same bits in every step; a failure names the series and the first step that differs.
inline void ExpectSameBits(const Series& a, const Series& b, const char* name) {
    ASSERT_EQ(a.size(), b.size()) << name;
    for (std::size_t i = 0; i < a.size(); ++i)
        ASSERT_EQ(std::memcmp(&a[i], &b[i], sizeof(double)), 0)
            << name << "[" << i << "]: " << a[i] << " vs " << b[i];
}

// Whether and where the run stopped, and the ten per-step results of the output file.
inline void ExpectSameResults(const RunState& a, const RunState& b) {
    EXPECT_EQ(a.RunStopped, b.RunStopped);
    EXPECT_EQ(a.StoppedStep, b.StoppedStep);
    const char* names[] = {"Percol",   "CapRise",  "ActEvap",  "Drain",    "DepthWT",
                           "SalRoot1", "SalRoot2", "SalRoot3", "SalTrans", "SalAquif"};
    for (std::size_t k = 0; k < std::size(names); ++k)
        ExpectSameBits(*ResultSeries(a)[k], *ResultSeries(b)[k], names[k]);
}

}  // namespace halosoil::test
