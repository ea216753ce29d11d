// The input file reader on any bytes: a clear refusal or a record. A record the reader
// accepts is written by the writer (or refused by it with its message) and read back; the
// text written from the read-back record is the same text, and it reads into the same record.
#include <cstdint>
#include <sstream>
#include <string>

#include "Errors.h"
#include "FuzzCheck.h"
#include "InputFile.h"

namespace {

using namespace halosoil;

bool Read(const std::string& text, InputData& data) {
    std::istringstream in(text);
    try {
        ReadInputFile(in, data);
        return true;
    } catch (const HalosoilError&) {
        return false;
    }
}

bool SameSeries(const Series& a, const Series& b) {
    return a == b;
}

bool SameRecord(const InputData& a, const InputData& b) {
    bool same = a.Title1 == b.Title1 && a.Title2 == b.Title2 && a.NrTst == b.NrTst &&
                a.TstLength == b.TstLength && a.NrLayers == b.NrLayers &&
                a.OneLayer == b.OneLayer && a.TwoLayers == b.TwoLayers &&
                a.ThreeLayers == b.ThreeLayers && a.DrainPresent == b.DrainPresent &&
                a.SaltIrrig == b.SaltIrrig && a.WTdepth == b.WTdepth &&
                a.CritDepth == b.CritDepth && a.Moist == b.Moist && a.IrrEff == b.IrrEff &&
                a.GrwtInf == b.GrwtInf && a.GrwtOut == b.GrwtOut && a.SalInf == b.SalInf;
    if (a.DrainPresent)
        same = same && a.DrainDepth == b.DrainDepth && a.QH1 == b.QH1 && a.QH2 == b.QH2;
    for (int zone : ZonesOf(LayerCount(a)))
        same = same && a.Thick[zone] == b.Thick[zone] && a.TotPor[zone] == b.TotPor[zone] &&
               a.EffPor[zone] == b.EffPor[zone] && a.LeachEff[zone] == b.LeachEff[zone] &&
               a.InitSalt[zone] == b.InitSalt[zone] &&
               SameSeries(a.MeasSalt[zone], b.MeasSalt[zone]);
    return same && SameSeries(a.Rain, b.Rain) && SameSeries(a.Irrig, b.Irrig) &&
           SameSeries(a.Evap, b.Evap) && SameSeries(a.IrrSal, b.IrrSal);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    InputData first;
    if (!Read(std::string(reinterpret_cast<const char*>(bytes), size), first)) return 0;
    fuzz::Require(first.Rain.size() == static_cast<std::size_t>(first.NrTst) + 1,
                  "series sized to the number of time steps");
    first.InputFileName = "fuzz.inp";
    std::string written;
    try {
        written = InputFileText(first);
    } catch (const HalosoilError&) {
        return 0;  // a value the layout cannot hold, refused with its message
    }
    InputData second;
    fuzz::Require(Read(written, second), "the writer's text reads again");
    second.InputFileName = "fuzz.inp";
    const std::string rewritten = InputFileText(second);
    fuzz::Require(rewritten == written, "the read-back record writes the same text");
    InputData third;
    fuzz::Require(Read(rewritten, third), "the rewritten text reads again");
    fuzz::Require(SameRecord(second, third), "the written text reads into the same record");
    return 0;
}
