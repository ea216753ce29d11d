#include "PackedRuns.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "Errors.h"
#include "Fields.h"
#include "QuantityCatalogue.h"
#include "RunMany.h"

namespace halosoil::python {

namespace py = pybind11;

namespace {

// A chunk's projects are mostly variants of one project: a text or series equal to the
// previous run's travels as one byte that says so, which makes a chunk of scenarios a fraction
// of its plain size on the wire and for the worker to read.
enum class Repeat : std::uint8_t { New = 0, AsBefore = 1 };

class Packer {
public:
    template <typename T>
    requires std::is_trivially_copyable_v<T>
    void Put(const T& value, const T& = {}) {
        bytes_.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void Put(const std::string& text, const std::string& before = {}) {
        if (PutRepeat(text == before)) return;
        Put<std::uint64_t>(text.size());
        bytes_.append(text);
    }
    void Put(const Series& series, const Series& before = {}) {
        if (PutRepeat(SameBits(series, before))) return;
        Put<std::uint64_t>(series.size());
        if (!series.empty())
            bytes_.append(reinterpret_cast<const char*>(series.data()),
                          series.size() * sizeof(double));
    }
    std::string& Bytes() { return bytes_; }

private:
    // Bit for bit: 0.0 and -0.0 are equal as numbers but not to every calculation.
    static bool SameBits(const Series& a, const Series& b) {
        return a.size() == b.size() &&
               (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
    }
    bool PutRepeat(bool asBefore) {
        Put(asBefore ? Repeat::AsBefore : Repeat::New);
        return asBefore;
    }
    std::string bytes_;
};

class Unpacker {
public:
    explicit Unpacker(std::string_view bytes) : bytes_(bytes) {}
    template <typename T>
    requires std::is_trivially_copyable_v<T>
    void Get(T& value, const T& = {}) { std::memcpy(&value, Take(sizeof value), sizeof value); }
    void Get(std::string& text, const std::string& before = {}) {
        if (GetRepeat()) {
            text = before;
            return;
        }
        std::uint64_t size = 0;
        Get(size);
        text.assign(Take(size), size);
    }
    void Get(Series& series, const Series& before = {}) {
        if (GetRepeat()) {
            series = before;
            return;
        }
        std::uint64_t size = 0;
        Get(size);
        const char* values = Take(size * sizeof(double));
        series.resize(size);
        // An empty series has no storage to copy into.
        if (size > 0) std::memcpy(series.data(), values, size * sizeof(double));
    }
    bool AtEnd() const { return position_ == bytes_.size(); }

private:
    bool GetRepeat() {
        Repeat repeat{};
        Get(repeat);
        if (repeat != Repeat::New && repeat != Repeat::AsBefore)
            throw HalosoilError("A packed chunk of runs is damaged.");
        return repeat == Repeat::AsBefore;
    }
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

// Every field of the record a run reads, in one list that packing and unpacking both walk;
// each field is visited with the same field of the run before.
template <typename Visit, typename Data, typename Before>
void RecordFields(Visit&& visit, Data& d, const Before& b) {
    visit(d.Title1, b.Title1), visit(d.Title2, b.Title2);
    visit(d.InputFileName, b.InputFileName);
    visit(d.NrTst, b.NrTst), visit(d.HydrRows, b.HydrRows), visit(d.TstLength, b.TstLength);
    visit(d.NrLayers, b.NrLayers), visit(d.OneLayer, b.OneLayer);
    visit(d.TwoLayers, b.TwoLayers), visit(d.ThreeLayers, b.ThreeLayers);
    visit(d.DrainPresent, b.DrainPresent), visit(d.DrainDepth, b.DrainDepth);
    visit(d.QH1, b.QH1), visit(d.QH2, b.QH2), visit(d.SaltIrrig, b.SaltIrrig);
    visit(d.WTdepth, b.WTdepth), visit(d.CritDepth, b.CritDepth), visit(d.Moist, b.Moist);
    visit(d.IrrEff, b.IrrEff), visit(d.GrwtInf, b.GrwtInf), visit(d.GrwtOut, b.GrwtOut);
    visit(d.SalInf, b.SalInf);
    visit(d.Thick, b.Thick), visit(d.TotPor, b.TotPor), visit(d.EffPor, b.EffPor);
    visit(d.LeachEff, b.LeachEff), visit(d.InitSalt, b.InitSalt);
    visit(d.Rain, b.Rain), visit(d.Irrig, b.Irrig), visit(d.Evap, b.Evap);
    visit(d.IrrSal, b.IrrSal);
    for (std::size_t z = 0; z < d.MeasSalt.size(); ++z) visit(d.MeasSalt[z], b.MeasSalt[z]);
    visit(d.SaltBalance, b.SaltBalance);
}

// What a result shows of its run: the header's values of the record and the run state's
// results. Only the titles repeat from run to run; the series of zones the project lacks
// travel empty.
template <typename Visit, typename Data, typename State>
void OutcomeFields(Visit&& visit, Data& d, State& s, const InputData& before) {
    visit(d.Title1, before.Title1), visit(d.Title2, before.Title2);
    visit(d.NrTst), visit(d.TstLength), visit(d.NrLayers);
    visit(d.OneLayer), visit(d.TwoLayers), visit(d.ThreeLayers);
    for (auto* series : ResultSeries(s)) visit(*series);
    visit(s.QH1Used), visit(s.RefineChosen), visit(s.QH1Refined), visit(s.LeachEff);
    visit(s.LeachEffOptimized), visit(s.CoefDet), visit(s.FitNA), visit(s.RunStopped);
    visit(s.StoppedStep);
}

// The salinities of zones a project lacks are shown nowhere; they travel empty.
void ForgetAbsentZones(const InputData& data, RunState& state) {
    for (const ResultField& field : ResultFields())
        if (field.zone != 0 && !data.ZoneExists(field.zone)) (state.*field.member).clear();
}

}  // namespace

namespace {

// The project a chunk's first record is packed against: the shared base, or none.
InputData BaseOf(const py::bytes& packedBase) {
    InputData base;
    const std::string_view bytes(packedBase);
    if (bytes.empty()) return base;
    Unpacker unpack{bytes};
    std::uint64_t count = 0;
    unpack.Get(count);
    bool refused = true;
    if (count == 1) unpack.Get(refused);
    if (refused) throw HalosoilError("A packed chunk of runs is damaged.");
    const InputData none;
    RecordFields([&](auto& field, const auto& was) { unpack.Get(field, was); }, base, none);
    if (!unpack.AtEnd()) throw HalosoilError("A packed chunk of runs is damaged.");
    return base;
}

}  // namespace

py::bytes PackProjects(const py::list& projects, const py::bytes& packedBase) {
    Packer pack;
    pack.Put<std::uint64_t>(projects.size());
    InputData data, before = BaseOf(packedBase);
    for (const py::handle project : projects) {
        RunOutcome outcome;
        data = RecordOrRefusal(project, outcome);
        pack.Put(outcome.refused);
        if (outcome.refused) {
            pack.Put(outcome.message);
            continue;
        }
        RecordFields([&](const auto& field, const auto& was) { pack.Put(field, was); }, data,
                     before);
        std::swap(data, before);
    }
    return py::bytes(pack.Bytes());
}

py::bytes RunPacked(const py::bytes& packed, bool refine, bool optimise, int threads,
                    const py::bytes& packedBase) {
    Unpacker unpack{std::string_view(packed)};
    std::uint64_t count = 0;
    unpack.Get(count);
    std::vector<InputData> records(count);
    std::vector<RunOutcome> outcomes(count);
    const InputData none;
    const InputData base = BaseOf(packedBase);
    const InputData* before = &base;
    for (std::size_t k = 0; k < count; ++k) {
        unpack.Get(outcomes[k].refused);
        if (outcomes[k].refused) {
            unpack.Get(outcomes[k].message);
            continue;
        }
        RecordFields([&](auto& field, const auto& was) { unpack.Get(field, was); }, records[k],
                     *before);
        before = &records[k];
    }
    if (!unpack.AtEnd()) throw HalosoilError("A packed chunk of runs is damaged.");
    Packer pack;
    {
        py::gil_scoped_release release;
        RunRecords(records, outcomes, refine, optimise, threads);
        pack.Put<std::uint64_t>(count);
        before = &none;
        for (std::size_t k = 0; k < count; ++k) {
            pack.Put(outcomes[k].refused);
            pack.Put(outcomes[k].message);
            if (outcomes[k].refused) continue;
            ForgetAbsentZones(records[k], outcomes[k].state);
            OutcomeFields([&](const auto& field, const auto&... was) { pack.Put(field, was...); },
                          records[k], outcomes[k].state, *before);
            before = &records[k];
        }
    }
    return py::bytes(pack.Bytes());
}

py::list UnpackOutcomes(const py::bytes& packed) {
    Unpacker unpack{std::string_view(packed)};
    std::uint64_t count = 0;
    unpack.Get(count);
    py::list results;
    // One record and outcome for every run of the chunk: each run's fields overwrite the
    // last one's, whose titles are the ones a repeat stands for, and their series keep their
    // storage.
    InputData data;
    RunOutcome outcome;
    for (std::size_t k = 0; k < count; ++k) {
        unpack.Get(outcome.refused);
        unpack.Get(outcome.message);
        if (!outcome.refused)
            OutcomeFields([&](auto& field, const auto&... was) { unpack.Get(field, was...); }, data,
                          outcome.state, data);
        results.append(OutcomeObject(data, outcome));
    }
    if (!unpack.AtEnd()) throw HalosoilError("A packed chunk of runs is damaged.");
    return results;
}

}  // namespace halosoil::python
