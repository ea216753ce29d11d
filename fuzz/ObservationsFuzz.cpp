// The observations CSV reader on any bytes, against a project of one layer and one of three: a
// refusal that names the file (and where it can, the line and the column), or observations
// of the project's quantities and steps, each step once, in ascending order, with finite
// values and no negative salinity. What was read, written out again in the same layout,
// reads again to the same observations.
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>

#include "Errors.h"
#include "FuzzCheck.h"
#include "Observations.h"
#include "StudyFileProjects.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;

constexpr const char* kFileName = "fuzz.csv";

bool Read(const std::string& text, const InputData& data, Observations& observations) {
    std::istringstream in(text);
    try {
        observations = ReadObservationsCsv(in, data, kFileName);
        return true;
    } catch (const HalosoilError& error) {
        const std::string message = error.what();
        fuzz::Require(message.rfind(std::string(kFileName) + ", line ", 0) == 0 ||
                          message.rfind(std::string(kFileName) + ": ", 0) == 0,
                      "a refusal names the file");
        return false;
    }
}

void CheckObservations(const Observations& observations, const InputData& data) {
    for (const QuantityInfo& info : Quantities()) {
        const std::vector<Observed>& observed = observations.Of(info.quantity);
        if (!observed.empty()) {
            fuzz::Require(observations.columns[static_cast<std::size_t>(info.quantity)],
                          "an observed quantity has its column");
            fuzz::Require(ProjectHas(data, info.quantity), "a quantity of the project");
        }
        int previous = 0;
        for (const Observed& one : observed) {
            fuzz::Require(one.step > previous && one.step <= data.NrTst,
                          "steps of the project, each once, ascending");
            fuzz::Require(std::isfinite(one.value), "a finite value");
            if (info.zone != 0) fuzz::Require(one.value >= 0, "no negative salinity");
            previous = one.step;
        }
    }
}

void CheckWrittenAgain(const Observations& observations, const InputData& data) {
    if (observations.Total() == 0) return;  // the text of nothing observed has no column
    Observations again;
    fuzz::Require(Read(ObservationsCsvText(observations), data, again),
                  "the written observations read again");
    for (const QuantityInfo& info : Quantities()) {
        const std::vector<Observed>& before = observations.Of(info.quantity);
        const std::vector<Observed>& after = again.Of(info.quantity);
        fuzz::Require(before.size() == after.size(), "as many observations read again");
        for (std::size_t k = 0; k < before.size(); ++k)
            fuzz::Require(before[k].step == after[k].step && before[k].value == after[k].value,
                          "the same observations read again");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    for (const InputData& data : fuzz::StudyProjects()) {
        Observations observations;
        if (!Read(text, data, observations)) continue;
        CheckObservations(observations, data);
        CheckWrittenAgain(observations, data);
    }
    return 0;
}
