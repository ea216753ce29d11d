#include "PackedRuns.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "Errors.h"
#include "RunMany.h"

namespace halosoil::python {

namespace py = pybind11;

namespace {

class Packer {
public:
    template <typename T>
    requires std::is_trivially_copyable_v<T>
    void Put(const T& value) { bytes_.append(reinterpret_cast<const char*>(&value), sizeof value); }
    void Put(const std::string& text) {
        Put<std::uint64_t>(text.size());
        bytes_.append(text);
    }
    void Put(const Series& series) {
        Put<std::uint64_t>(series.size());
        if (!series.empty())
            bytes_.append(reinterpret_cast<const char*>(series.data()),
                          series.size() * sizeof(double));
    }
    std::string& Bytes() { return bytes_; }

private:
    std::string bytes_;
};

class Unpacker {
public:
    explicit Unpacker(std::string_view bytes) : bytes_(bytes) {}
    template <typename T>
    requires std::is_trivially_copyable_v<T>
    void Get(T& value) { std::memcpy(&value, Take(sizeof value), sizeof value); }
    void Get(std::string& text) {
        std::uint64_t size = 0;
        Get(size);
        text.assign(Take(size), size);
    }
    void Get(Series& series) {
        std::uint64_t size = 0;
        Get(size);
        series.resize(size);
        const char* values = Take(size * sizeof(double));
        // An empty series has no storage to copy into.
        if (size > 0) std::memcpy(series.data(), values, size * sizeof(double));
    }
    bool AtEnd() const { return position_ == bytes_.size(); }

private:
    const char* Take(std::size_t size) {
        if (size > bytes_.size() - position_)
            throw HalosoilError("A packed chunk of runs is damaged.");
        const char* at = bytes_.data() + position_;
        position_ += size;
        return at;
    }
    std::string_view bytes_;
    std::size_t position_ = 0;
};

// Every field of the record a run reads, in one list that packing and unpacking both walk.
template <typename Visit, typename Data>
void RecordFields(Visit&& visit, Data& d) {
    visit(d.Title1), visit(d.Title2), visit(d.InputFileName);
    visit(d.NrTst), visit(d.HydrRows), visit(d.TstLength), visit(d.NrLayers);
    visit(d.OneLayer), visit(d.TwoLayers), visit(d.ThreeLayers), visit(d.DrainPresent);
    visit(d.DrainDepth), visit(d.QH1), visit(d.QH2), visit(d.SaltIrrig), visit(d.WTdepth);
    visit(d.CritDepth), visit(d.Moist), visit(d.IrrEff), visit(d.GrwtInf), visit(d.GrwtOut);
    visit(d.SalInf);
    visit(d.Thick), visit(d.TotPor), visit(d.EffPor), visit(d.LeachEff), visit(d.InitSalt);
    visit(d.Rain), visit(d.Irrig), visit(d.Evap), visit(d.IrrSal);
    for (auto& series : d.MeasSalt) visit(series);
}

// What a result shows of its run: the header's values of the record and the run state's
// results.
template <typename Visit, typename Data, typename State>
void OutcomeFields(Visit&& visit, Data& d, State& s) {
    visit(d.Title1), visit(d.Title2), visit(d.NrTst), visit(d.TstLength), visit(d.NrLayers);
    visit(d.OneLayer), visit(d.TwoLayers), visit(d.ThreeLayers);
    for (auto* series : ResultSeries(s)) visit(*series);
    visit(s.QH1Used), visit(s.RefineChosen), visit(s.QH1Refined), visit(s.LeachEff);
    visit(s.LeachEffOptimized), visit(s.CoefDet), visit(s.FitNA), visit(s.RunStopped);
    visit(s.StoppedStep);
}

}  // namespace

py::bytes PackProjects(const py::list& projects) {
    Packer pack;
    pack.Put<std::uint64_t>(projects.size());
    for (const py::handle project : projects) {
        RunOutcome outcome;
        InputData data = RecordOrRefusal(project, outcome);
        pack.Put(outcome.refused);
        if (outcome.refused)
            pack.Put(outcome.message);
        else
            RecordFields([&](const auto& field) { pack.Put(field); }, data);
    }
    return py::bytes(pack.Bytes());
}

py::bytes RunPacked(const py::bytes& packed, bool refine, bool optimise, int threads) {
    Unpacker unpack{std::string_view(packed)};
    std::uint64_t count = 0;
    unpack.Get(count);
    std::vector<InputData> records(count);
    std::vector<RunOutcome> outcomes(count);
    for (std::size_t k = 0; k < count; ++k) {
        unpack.Get(outcomes[k].refused);
        if (outcomes[k].refused)
            unpack.Get(outcomes[k].message);
        else
            RecordFields([&](auto& field) { unpack.Get(field); }, records[k]);
    }
    if (!unpack.AtEnd()) throw HalosoilError("A packed chunk of runs is damaged.");
    Packer pack;
    {
        py::gil_scoped_release release;
        RunRecords(records, outcomes, refine, optimise, threads);
        pack.Put<std::uint64_t>(count);
        for (std::size_t k = 0; k < count; ++k) {
            pack.Put(outcomes[k].refused);
            pack.Put(outcomes[k].message);
            if (!outcomes[k].refused)
                OutcomeFields([&](const auto& field) { pack.Put(field); }, records[k],
                              outcomes[k].state);
        }
    }
    return py::bytes(pack.Bytes());
}

py::list UnpackOutcomes(const py::bytes& packed) {
    Unpacker unpack{std::string_view(packed)};
    std::uint64_t count = 0;
    unpack.Get(count);
    py::list results;
    for (std::size_t k = 0; k < count; ++k) {
        InputData data;
        RunOutcome outcome;
        unpack.Get(outcome.refused);
        unpack.Get(outcome.message);
        if (!outcome.refused)
            OutcomeFields([&](auto& field) { unpack.Get(field); }, data, outcome.state);
        results.append(OutcomeObject(data, outcome));
    }
    if (!unpack.AtEnd()) throw HalosoilError("A packed chunk of runs is damaged.");
    return results;
}

}  // namespace halosoil::python
