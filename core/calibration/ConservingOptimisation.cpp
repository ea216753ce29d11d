#include "ConservingOptimisation.h"

#include <limits>

#include "LeachingOptimisation.h"
#include "RunSaltInputs.h"
#include "SaltBalanceDays.h"

namespace halosoil {

namespace {

// The run's inputs with one zone's efficiency tried and the others as the search left them.
struct TrialSaltInputs : RunSaltInputs {
    const ZoneValues& le;
    int zone;
    double e;

    double LeachEff(int z) const { return z == zone ? e : le[z]; }
};

// A trial keeps only its sums.
struct NoSalinities {
    void Salinities(int, const double (&)[kZoneCount + 1]) {}
};

}  // namespace

double ConservingLeachingTrial(const RunInputs& data, const RunState& state, const ZoneValues& le,
                               int zone, double e) {
    const TrialSaltInputs inputs{{data, state}, le, zone, e};
    NoSalinities results;
    double sse[kZoneCount + 1];
    SaltBalanceDays<double, SaltBalanceKind::Conserving>(inputs, results, sse);
    return sse[zone];
}

void OptimiseConserving(const RunInputs& data, const RunState& state, ZoneValues& le, int zone) {
    // A trial whose sum is not a number never wins; with none that is, le[zone] stays.
    double best = std::numeric_limits<double>::infinity();
    double found = le[zone];
    for (double e : TrialEfficiencies()) {
        const double sum = ConservingLeachingTrial(data, state, le, zone, e);
        if (sum < best) {
            best = sum;
            found = e;
        }
    }
    le[zone] = found;
}

}  // namespace halosoil
