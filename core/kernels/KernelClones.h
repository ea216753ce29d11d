// The four kernels of one vector unit, each written once over a lane type (MemberTrials.h,
// RefinementTrials.h, SaltBalanceGroups.h, WaterBalanceGroups.h) and instantiated here. A
// clone is compiled for its unit by the target attribute of the function that holds it, never
// by the flags of a whole file, so that no inline function a baseline caller links to is built
// with instructions the processor may lack. Contraction into fused multiply-adds is off for
// the whole build, so each clone rounds every product as the plain run does.
//
// Each unit's clones stand in a file of their own (Kernels*.cpp), so that the three, the
// longest compilations of the core, go side by side.
#pragma once

#include "KernelTable.h"
#include "MemberTrials.h"
#include "RefinementTrials.h"
#include "SaltBalanceGroups.h"
#include "WaterBalanceGroups.h"

// Defines UnitKernels() for one unit: Target is the functions' target attribute (empty for the
// baseline), Wide the lane type of the balances, DivisionWide that of the refinement and the
// members, whose time goes into divisions.
#define HALOSOIL_KERNEL_CLONES(Unit, Target, Wide, DivisionWide)                                 \
    namespace halosoil {                                                                         \
    namespace {                                                                                  \
    static_assert(kRefinementLanes % lanes::kWidth<DivisionWide> == 0);                          \
    Target void Refinement##Unit(const RunInputs& d, const RunState& st, const double* q,        \
                                 int trials, bool ten, double* smallest) {                       \
        refinement::RefinementBody<DivisionWide>(d, st, q, trials, ten, smallest);               \
    }                                                                                            \
    Target void Members##Unit(const RunInputs& d, const RunState& st, const ZoneValues& le,      \
                              int zone, const double* e, const double* leSearched, double* sse,  \
                              int trials, SumBound bound) {                                      \
        members::MemberBody<DivisionWide>(d, st, le, zone, e, leSearched, sse, trials, bound);   \
    }                                                                                            \
    Target void SaltBalances##Unit(const RunInputs* const* data, RunState* const* states,        \
                                   int count) {                                                  \
        saltbalance::BalanceGroups<Wide>(data, states, count);                                   \
    }                                                                                            \
    Target void WaterBalances##Unit(const RunInputs* const* data, RunState* const* states,       \
                                    int count) {                                                 \
        waterbalance::WaterBalanceGroups<Wide>(data, states, count);                             \
    }                                                                                            \
    }                                                                                            \
    const KernelTable& Unit##Kernels() {                                                         \
        static constexpr KernelTable kTable{Refinement##Unit, Members##Unit, SaltBalances##Unit, \
                                            WaterBalances##Unit};                                \
        return kTable;                                                                           \
    }                                                                                            \
    }
