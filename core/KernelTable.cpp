// Each kernel written once over a lane type, instantiated here for every vector unit. A clone
// is compiled for its unit by the target attribute of the function that holds it, never by
// the flags of a whole file, so that no inline function a baseline caller links to is built
// with instructions the processor may lack. Contraction into fused multiply-adds is off for
// the whole build, so each clone rounds every product as the plain run does.

#include "KernelTable.h"

#include "MemberTrials.h"
#include "RefinementTrials.h"
#include "SaltBalanceGroups.h"
#include "VectorUnit.h"
#include "WaterBalance.h"
#include "WaterBalanceGroups.h"

namespace halosoil {

namespace {

void RefinementBaseline(const RunInputs& d, const RunState& st, const double* q, int trials,
                        bool ten, double* smallest) {
    refinement::RefinementBody<lanes::V2>(d, st, q, trials, ten, smallest);
}
void MembersBaseline(const RunInputs& d, const RunState& st, const ZoneValues& le, int zone,
                     const double* e, const double* leSearched, double* sse, int trials,
                     SumBound bound) {
    members::MemberBody<lanes::V2>(d, st, le, zone, e, leSearched, sse, trials, bound);
}
void SaltBalancesBaseline(const RunInputs* const* data, RunState* const* states, int count) {
    saltbalance::BalanceGroups<lanes::V2>(data, states, count);
}
void WaterBalancesBaseline(const RunInputs* const* data, RunState* const* states, int count) {
    waterbalance::WaterBalanceGroups<lanes::V2>(data, states, count);
}

#if defined(__x86_64__)
#define HALOSOIL_AVX2 [[gnu::target("avx2")]]
#define HALOSOIL_AVX512 [[gnu::target("avx512f,avx512dq,avx512vl")]]

HALOSOIL_AVX2 void RefinementAvx2(const RunInputs& d, const RunState& st, const double* q,
                                  int trials, bool ten, double* smallest) {
    refinement::RefinementBody<lanes::V4>(d, st, q, trials, ten, smallest);
}
HALOSOIL_AVX2 void MembersAvx2(const RunInputs& d, const RunState& st, const ZoneValues& le,
                               int zone, const double* e, const double* leSearched, double* sse,
                               int trials, SumBound bound) {
    members::MemberBody<lanes::V4>(d, st, le, zone, e, leSearched, sse, trials, bound);
}
HALOSOIL_AVX2 void SaltBalancesAvx2(const RunInputs* const* data, RunState* const* states,
                                    int count) {
    saltbalance::BalanceGroups<lanes::V4>(data, states, count);
}
HALOSOIL_AVX2 void WaterBalancesAvx2(const RunInputs* const* data, RunState* const* states,
                                     int count) {
    waterbalance::WaterBalanceGroups<lanes::V4>(data, states, count);
}

HALOSOIL_AVX512 void RefinementAvx512(const RunInputs& d, const RunState& st, const double* q,
                                      int trials, bool ten, double* smallest) {
    refinement::RefinementBody<lanes::V8>(d, st, q, trials, ten, smallest);
}
// The members keep 256-bit lanes on AVX-512. Their time goes into divisions, and a 512-bit
// division costs what two 256-bit ones cost (the processors split it in halves), so wider
// lanes win nothing there; what they would cost is real: a member's 180 trials fill groups of
// four with less waste in a share's last group, a group stops as soon as all its trials are
// past the bound (four lanes reach that sooner than eight), and some processors lower their
// clock for 512-bit work. The clone still gains AVX-512's masks for the comparisons.
HALOSOIL_AVX512 void MembersAvx512(const RunInputs& d, const RunState& st, const ZoneValues& le,
                                   int zone, const double* e, const double* leSearched, double* sse,
                                   int trials, SumBound bound) {
    members::MemberBody<lanes::V4>(d, st, le, zone, e, leSearched, sse, trials, bound);
}
HALOSOIL_AVX512 void SaltBalancesAvx512(const RunInputs* const* data, RunState* const* states,
                                        int count) {
    saltbalance::BalanceGroups<lanes::V8>(data, states, count);
}
HALOSOIL_AVX512 void WaterBalancesAvx512(const RunInputs* const* data, RunState* const* states,
                                         int count) {
    waterbalance::WaterBalanceGroups<lanes::V8>(data, states, count);
}
#endif

constexpr KernelTable kBaseline{RefinementBaseline, MembersBaseline, SaltBalancesBaseline,
                                WaterBalancesBaseline};
#if defined(__x86_64__)
constexpr KernelTable kAvx2{RefinementAvx2, MembersAvx2, SaltBalancesAvx2, WaterBalancesAvx2};
constexpr KernelTable kAvx512{RefinementAvx512, MembersAvx512, SaltBalancesAvx512,
                              WaterBalancesAvx512};
#endif

}  // namespace

const KernelTable& KernelsFor(VectorUnit unit) {
    switch (ChosenVectorUnit(unit)) {
#if defined(__x86_64__)
        case VectorUnit::AVX512:
            return kAvx512;
        case VectorUnit::AVX2:
            return kAvx2;
#endif
        default:
            return kBaseline;
    }
}

void RefinementLanes(const RunInputs& data, const RunState& state, const double* q, int trials,
                     bool tenSubSteps, double* smallest, VectorUnit unit) {
    KernelsFor(unit).refinement(data, state, q, trials, tenSubSteps, smallest);
}

void MemberLanes(const RunInputs& data, const RunState& state, const ZoneValues& le, int zone,
                 const double* e, const double* leSearched, double* sse, int trials, SumBound bound,
                 VectorUnit unit) {
    KernelsFor(unit).members(data, state, le, zone, e, leSearched, sse, trials, bound);
}

void RunSaltBalances(const RunInputs* const* data, RunState* const* states, int count,
                     VectorUnit unit) {
    KernelsFor(unit).saltBalances(data, states, count);
}

void RunWaterBalances(const RunInputs* const* data, RunState* const* states, int count,
                      VectorUnit unit) {
    KernelsFor(unit).waterBalances(data, states, count);
}

}  // namespace halosoil
