#include "Exchange.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "RegionRun.h"
#include "SteppedRun.h"

namespace halosoil::region {

namespace {

// A neighbour a field's groundwater flows to or from: its conductance T_ij L_ij / d_ij (m2/day)
// and where the pair stands in the neighbour's own list.
struct Link {
    std::size_t other = 0;
    double conductance = 0;
    std::size_t reverse = 0;
};

// Calls body(begin, end) on parts of [0, n) across the threads and waits for them.
template <class Body>
void ParallelFor(std::size_t n, int threads, const Body& body) {
    const std::size_t parts = std::max<std::size_t>(1, std::min<std::size_t>(threads, n / 64 + 1));
    if (parts == 1) {
        body(std::size_t{0}, n);
        return;
    }
    std::vector<std::thread> workers;
    for (std::size_t p = 1; p < parts; ++p)
        workers.emplace_back([&, p] { body(n * p / parts, n * (p + 1) / parts); });
    body(std::size_t{0}, n / parts);
    for (std::thread& worker : workers) worker.join();
}

int ThreadCount(int asked) {
    if (asked > 0) return asked;
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

// The harmonic mean of two transmissivities: what the aquifer between two centroids passes.
double PairTransmissivity(double a, double b) {
    return 2 * a * b / (a + b);
}

class CoupledRun {
public:
    CoupledRun(const std::vector<ExchangeField>& fields, const FieldNetwork& network,
               const std::vector<std::string>& ids, int threads, const std::atomic<bool>* cancel)
        : fields_(fields),
          network_(network),
          ids_(ids),
          threads_(ThreadCount(threads)),
          cancel_(cancel),
          n_(fields.size()),
          outcomes_(n_),
          runs_(n_),
          joined_(n_, false) {}

    std::vector<ExchangeOutcome> Run() {
        Start();
        if (steps_ == 0) return std::move(outcomes_);
        Link();
        for (int k = 1; k <= steps_; ++k) {
            StopIfCancelled();
            WaterStep(k);
        }
        for (int k = 1; k <= steps_; ++k) {
            StopIfCancelled();
            SaltStep(k);
        }
        ParallelFor(n_, threads_, [&](std::size_t begin, std::size_t end) {
            for (std::size_t i = begin; i < end; ++i)
                if (joined_[i] && outcomes_[i].state.StoppedStep == 0) runs_[i].Finish();
        });
        return std::move(outcomes_);
    }

private:
    void StopIfCancelled() const {
        if (cancel_ != nullptr && cancel_->load()) throw RegionCancelled();
    }
    void Start();
    void Link();
    void WaterStep(int k);
    void SaltStep(int k);
    // Whether field i computes step k's balances: it joined and its water table had not fallen
    // below the aquifer before.
    bool Computes(std::size_t i, int k) const {
        const int stopped = outcomes_[i].state.StoppedStep;
        return joined_[i] && (stopped == 0 || stopped >= k);
    }
    void NoteLimit(std::size_t i, int k, const std::string& with) {
        if (!outcomes_[i].limited.empty()) return;
        outcomes_[i].limited = "Field " + ids_[i] + ": in step " + std::to_string(k) +
                               " the groundwater flow with " + with +
                               " was limited to what makes their heads equal; the step is too "
                               "long for the flow";
    }

    const std::vector<ExchangeField>& fields_;
    const FieldNetwork& network_;
    const std::vector<std::string>& ids_;
    int threads_;
    const std::atomic<bool>* cancel_;
    std::size_t n_;
    std::vector<ExchangeOutcome> outcomes_;
    std::vector<SteppedRun> runs_;
    std::vector<bool> joined_;
    int steps_ = 0, stepLength_ = 0;

    // The links of field i are links_[first_[i]] .. links_[first_[i + 1] - 1].
    std::vector<std::size_t> first_;
    std::vector<struct Link> links_;
    std::vector<double> boundaryConductance_;  // m2/day, 0 for a closed outer edge
    // Per step, the flow into each field along each link (m3/day, 0 where the water goes out),
    // into each field across its outer edge, and into each field in all.
    std::vector<std::vector<double>> linkInflow_, boundaryInflow_, inflow_;
};

void CoupledRun::Start() {
    ParallelFor(n_, threads_, [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            if (fields_[i].project == nullptr) continue;
            joined_[i] =
                runs_[i].Start(*fields_[i].project, outcomes_[i].state, outcomes_[i].refusal);
        }
    });
    // The fields step together, so they must share their steps.
    for (std::size_t i = 0; i < n_; ++i) {
        if (!joined_[i]) continue;
        const RunInputs& in = runs_[i].Inputs();
        if (steps_ == 0) {
            steps_ = in.NrTst;
            stepLength_ = in.TstLength;
            continue;
        }
        if (in.NrTst == steps_ && in.TstLength == stepLength_) continue;
        joined_[i] = false;
        outcomes_[i].refusal = "its project has " + std::to_string(in.NrTst) + " steps of " +
                               std::to_string(in.TstLength) + " days, while the fields that " +
                               "share their groundwater step together in " +
                               std::to_string(steps_) + " steps of " + std::to_string(stepLength_) +
                               " days";
    }
    for (std::size_t i = 0; i < n_; ++i) {
        if (!joined_[i]) continue;
        ExchangeOutcome& outcome = outcomes_[i];
        for (auto* series : {&outcome.lateralInflow, &outcome.lateralOutflow,
                             &outcome.lateralSalinity, &outcome.head})
            series->assign(static_cast<std::size_t>(steps_) + 1, 0.0);
        outcome.head[0] = fields_[i].cells.elevation - outcome.state.DepthWT[0];
    }
}

void CoupledRun::Link() {
    const auto exchanges = [&](std::size_t i) {
        return joined_[i] && fields_[i].cells.transmissivity > 0 && network_.area[i] > 0;
    };
    first_.assign(n_ + 1, 0);
    for (std::size_t i = 0; i < n_; ++i) {
        first_[i] = links_.size();
        if (!exchanges(i)) continue;
        const double ti = fields_[i].cells.transmissivity;
        for (const Neighbour& neighbour : network_.neighbours[i]) {
            const std::size_t j = neighbour.field;
            if (!exchanges(j) || !(neighbour.distance > 0)) continue;
            const double tij = PairTransmissivity(ti, fields_[j].cells.transmissivity);
            links_.push_back({j, tij * neighbour.length / neighbour.distance, 0});
        }
    }
    first_[n_] = links_.size();
    // Each link's partner in the neighbour's list: both lists are in the order of the layer.
    for (std::size_t i = 0; i < n_; ++i)
        for (std::size_t l = first_[i]; l < first_[i + 1]; ++l) {
            const std::size_t j = links_[l].other;
            for (std::size_t r = first_[j]; r < first_[j + 1]; ++r)
                if (links_[r].other == i) links_[l].reverse = r;
        }
    boundaryConductance_.assign(n_, 0);
    for (std::size_t i = 0; i < n_; ++i) {
        const ExchangeCells& cells = fields_[i].cells;
        if (!exchanges(i) || !cells.hasBoundaryHead) continue;
        const double length = network_.outerLength[i], distance = network_.outerDistance[i];
        if (length > 0 && distance > 0)
            boundaryConductance_[i] = cells.transmissivity * length / distance;
    }
}

void CoupledRun::WaterStep(int k) {
    const std::size_t step = static_cast<std::size_t>(k);
    // The heads and the storage (m3 per m of head) at the end of the step before: the water
    // table of a step moves by one day's net flow, over the porosity where it stands.
    std::vector<double> head(n_, 0), storage(n_, 0);
    for (std::size_t i = 0; i < n_; ++i) {
        const bool exchanges = first_[i] != first_[i + 1] || boundaryConductance_[i] > 0;
        if (!Computes(i, k) || !exchanges) continue;
        const double depth = outcomes_[i].state.DepthWT[step - 1];
        head[i] = fields_[i].cells.elevation - depth;
        storage[i] = network_.area[i] * runs_[i].PorosityAt(depth);
    }
    std::vector<double>& into = linkInflow_.emplace_back(links_.size(), 0.0);
    std::vector<double>& across = boundaryInflow_.emplace_back(n_, 0.0);
    std::vector<double>& in = inflow_.emplace_back(n_, 0.0);
    std::vector<double> out(n_, 0.0);
    for (std::size_t i = 0; i < n_; ++i) {
        if (!Computes(i, k)) continue;
        for (std::size_t l = first_[i]; l < first_[i + 1]; ++l) {
            const std::size_t j = links_[l].other;
            if (j < i || !Computes(j, k)) continue;
            const double difference = head[i] - head[j];
            double flow = links_[l].conductance * difference;
            // What one day's move may carry before the heads cross.
            const double equalising = std::abs(difference) / (1 / storage[i] + 1 / storage[j]);
            if (std::abs(flow) > equalising) {
                flow = std::copysign(equalising, difference);
                NoteLimit(i, k, "field " + ids_[j]);
                NoteLimit(j, k, "field " + ids_[i]);
            }
            if (flow > 0) {
                out[i] += flow;
                in[j] += flow;
                into[links_[l].reverse] = flow;
            } else if (flow < 0) {
                out[j] -= flow;
                in[i] -= flow;
                into[l] = -flow;
            }
        }
        if (boundaryConductance_[i] > 0) {
            const double difference = head[i] - fields_[i].cells.boundaryHead;
            double flow = boundaryConductance_[i] * difference;
            const double equalising = std::abs(difference) * storage[i];
            if (std::abs(flow) > equalising) {
                flow = std::copysign(equalising, difference);
                NoteLimit(i, k, "the fixed head beyond its outer edge");
            }
            if (flow > 0) {
                out[i] += flow;
            } else if (flow < 0) {
                in[i] -= flow;
                across[i] = -flow;
            }
        }
    }
    ParallelFor(n_, threads_, [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            if (!Computes(i, k)) continue;
            ExchangeOutcome& outcome = outcomes_[i];
            const double area = network_.area[i];
            if (in[i] > 0) outcome.lateralInflow[step] = 1000 * in[i] / area;
            if (out[i] > 0) outcome.lateralOutflow[step] = 1000 * out[i] / area;
            runs_[i].WaterStep(k, outcome.lateralInflow[step], outcome.lateralOutflow[step]);
            outcome.head[step] = fields_[i].cells.elevation - outcome.state.DepthWT[step];
        }
    });
}

void CoupledRun::SaltStep(int k) {
    const std::size_t step = static_cast<std::size_t>(k);
    const std::vector<double>& into = linkInflow_[step - 1];
    const std::vector<double>& across = boundaryInflow_[step - 1];
    const std::vector<double>& in = inflow_[step - 1];
    ParallelFor(n_, threads_, [&](std::size_t begin, std::size_t end) {
        std::vector<SteppedRun*> runs;
        std::vector<StepGroundwater> extras;
        for (std::size_t i = begin; i < end; ++i) {
            // A field whose water table fell below the aquifer in step s has no salt balance;
            // its steps before s still give the salinity of what it passed on in step s.
            const int stopped = outcomes_[i].state.StoppedStep;
            if (!joined_[i] || (stopped != 0 && k >= stopped)) continue;
            ExchangeOutcome& outcome = outcomes_[i];
            if (in[i] > 0) {
                // The sources' aquifers at the end of the step before; water from beyond the
                // outer edge at the salinity of the field's own groundwater inflow.
                double salt = across[i] * runs_[i].Inputs().SalInf;
                for (std::size_t l = first_[i]; l < first_[i + 1]; ++l)
                    if (into[l] > 0)
                        salt += into[l] * runs_[links_[l].other].AquiferSalinity(k - 1);
                outcome.lateralSalinity[step] = salt / in[i];
            }
            runs.push_back(&runs_[i]);
            extras.push_back({outcome.lateralInflow[step], outcome.lateralOutflow[step],
                              outcome.lateralSalinity[step]});
        }
        // Side by side in the lanes; every field's step reads only the steps before of the
        // others, so the parts go on at once.
        SaltSteps(runs.data(), extras.data(), static_cast<int>(runs.size()), k, VectorUnit::AVX512);
    });
}

}  // namespace

std::vector<ExchangeOutcome> RunExchange(const std::vector<ExchangeField>& fields,
                                         const FieldNetwork& network,
                                         const std::vector<std::string>& ids, int threads,
                                         const std::atomic<bool>* cancel) {
    return CoupledRun(fields, network, ids, threads, cancel).Run();
}

}  // namespace halosoil::region
