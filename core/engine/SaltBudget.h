// The salt budget of a run: per time step and zone, the salt that came in and went out with
// each flow, what the zone's storage gained, and the difference, the salt the balance made or
// lost. Amounts in mm x dS/m (the water's amount times its salinity), summed over the step's
// days.
//
// Each flow between two zones is counted once, with the amount the receiving zone takes in:
// the leachate of a zone at its leaching efficiency and day average, a rise at the start
// salinity of the zone it leaves. A zone's imbalance is its storage change less what came in
// plus what went out; with the conserving balance it is rounding (and the floors of the
// update), with the specified one it is where salt appears: above all in the transition zone,
// whose rise into the root zone takes none of its salt.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "InputData.h"
#include "RunState.h"

namespace halosoil {

struct ZoneSaltBudget {
    // In.
    double irrigation = 0;
    double rain = 0;  // rain is taken as salt-free
    double percolationIn = 0;
    double capillaryRiseIn = 0;
    double seepageIn = 0;
    double groundwaterInflow = 0;
    // Out.
    double drainage = 0;
    double percolationOut = 0;
    double capillaryRiseOut = 0;
    double seepageOut = 0;
    double groundwaterOutflow = 0;

    double storageChange = 0;  // stored water times the change of salinity over the step

    double In() const {
        return irrigation + rain + percolationIn + capillaryRiseIn + seepageIn + groundwaterInflow;
    }
    double Out() const {
        return drainage + percolationOut + capillaryRiseOut + seepageOut + groundwaterOutflow;
    }
    double Imbalance() const { return storageChange - (In() - Out()); }
};

// The zones of one step, index 1..5 (0 unused; zones that do not exist stay 0).
using StepSaltBudget = std::array<ZoneSaltBudget, kZoneCount + 1>;

// The budget of the final salt balance of a run that went through: the state's flows and
// working efficiencies over data's inputs (its irrigation spread as for the run), the balance
// of data.SaltBalance; index 1..NrTst, element 0 empty. The salinities it follows are the
// state's to the bit.
std::vector<StepSaltBudget> SaltBudgetOf(const InputData& data, const RunState& state);

// What a whole run's budget says, for the warnings of the front ends.
struct SaltBudgetTotals {
    double inflow = 0;     // irrigation and groundwater inflow into the profile
    double imbalance = 0;  // the zones' imbalances, summed over zones and steps
    double highestSalinity = 0;
    int highestZone = 0;
    int highestStep = 0;
};

SaltBudgetTotals TotalsOf(const std::vector<StepSaltBudget>& budget, const RunState& state,
                          const InputData& data);

// A run is reported when its salt imbalance passes this share of the salt that came in ...
inline constexpr double kImbalanceShareReported = 0.05;
// ... or a zone's salinity passes this, which no soil water reaches (sea water is about 50
// dS/m, a saturated brine of common salt about 250).
inline constexpr double kHighestPlausibleSalinity = 200;

// The warnings a run's budget gives, each a sentence; none when the balance holds.
std::vector<std::string> SaltBudgetWarnings(const SaltBudgetTotals& totals);

}  // namespace halosoil
