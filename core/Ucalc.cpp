#include "Ucalc.h"

#include "AtomicFile.h"
#include "DrainageRefinement.h"
#include "LeachingOptimisation.h"
#include "OutputFile.h"
#include "SaltBalance.h"
#include "WaterBalance.h"

namespace halosoil {

namespace {

// The record holds percentages and amounts per time step; a run works on fractions and
// amounts per day. The entered values are kept and put back whatever way the run ends, so
// the record shows exactly what the user entered, to the last bit.
class EnteredValues {
public:
    explicit EnteredValues(InputData& data)
        : data_(data),
          totPor_(data.TotPor),
          effPor_(data.EffPor),
          leachEff_(data.LeachEff),
          irrEff_(data.IrrEff),
          rain_(data.Rain),
          irrig_(data.Irrig),
          irrigSpread_(data.IrrigSpread),
          evap_(data.Evap) {}

    ~EnteredValues() {
        data_.TotPor = totPor_;
        data_.EffPor = effPor_;
        data_.LeachEff = leachEff_;
        data_.IrrEff = irrEff_;
        data_.Rain = std::move(rain_);
        data_.Irrig = std::move(irrig_);
        data_.IrrigSpread = std::move(irrigSpread_);
        data_.Evap = std::move(evap_);
    }

    EnteredValues(const EnteredValues&) = delete;
    EnteredValues& operator=(const EnteredValues&) = delete;

private:
    InputData& data_;
    ZoneValues totPor_, effPor_, leachEff_;
    double irrEff_;
    Series rain_, irrig_, irrigSpread_, evap_;
};

void ToFractionsAndDays(InputData& d, RunState& s) {
    for (int z = Layer1; z <= Aquif; ++z) {
        d.TotPor[z] = d.TotPor[z] / 100;
        d.EffPor[z] = d.EffPor[z] / 100;
        d.LeachEff[z] = d.LeachEff[z] / 100;
    }
    d.IrrEff = d.IrrEff / 100;
    s.LeachEffGiven = d.LeachEff;
    for (int i = 1; i <= d.NrTst; ++i) {
        d.Rain[i] = d.Rain[i] / d.TstLength;
        d.Irrig[i] = d.Irrig[i] / d.TstLength;
        d.IrrigSpread[i] = d.IrrigSpread[i] / d.TstLength;
        d.Evap[i] = d.Evap[i] / d.TstLength;
    }
}

void SizeRunState(const InputData& d, RunState& s) {
    for (Series* series :
         {&s.Percol, &s.CapRise, &s.ActEvap, &s.Drain, &s.DepthWT, &s.SalRoot1, &s.SalRoot2,
          &s.SalRoot3, &s.SalTrans, &s.SalAquif, &s.SoilMoist, &s.MoistChange})
        SizeSeries(*series, d.NrTst);
    for (DayTable* table :
         {&s.DayPerc1, &s.DayPerc2, &s.DayPerc3, &s.DayCap1, &s.DayCap2, &s.DayCap3})
        table->Size(d.NrTst, d.TstLength);
    s.DepthWT[0] = d.WTdepth;
}

void CountMeasurements(const InputData& d, RunState& s) {
    s.NrMeas = {};
    for (int z = Layer1; z <= Aquif; ++z) {
        if (!d.ZoneExists(z)) continue;
        for (int i = 1; i <= d.NrTst; ++i)
            if (d.MeasSalt[z][i] > 0) ++s.NrMeas[z];
    }
}

void ComputeGeometry(const InputData& d, RunState& s) {
    const double t1 = d.Thick[Layer1], t2 = d.Thick[Layer2], t3 = d.Thick[Layer3];
    s.RootThick = d.OneLayer ? t1 : d.TwoLayers ? t1 + t2 : t1 + t2 + t3;
    if (d.TwoLayers) {
        s.AvD = (t1 + t2) / 2;
        s.R1 = (t1 - s.AvD) / (t1 + t2);
        s.R2 = (t2 - s.AvD) / (t1 + t2);
    } else if (d.ThreeLayers) {
        s.AvD = (t1 + t2 + t3) / 3;
        s.R1 = (t1 - s.AvD) / (t1 + t2 + t3);
        s.R2 = (t2 - s.AvD) / (t1 + t2 + t3);
        s.R3 = (t3 - s.AvD) / (t1 + t2 + t3);
    }
}

double StoredWater(const InputData& d, int zone) {
    const double water = 1000 * d.Thick[zone] * d.TotPor[zone];
    return water < 0.001 ? 0.001 : water;
}

}  // namespace

std::string OutputFileNameFor(const std::string& inputFileName) {
    const std::size_t slash = inputFileName.find_last_of("/\\");
    const std::size_t dot = inputFileName.find_last_of('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? inputFileName.substr(0, dot) : inputFileName) + ".out";
}

void Engine::Run(InputData& data, RunHost& host, const std::string& outputFileName) {
    CheckRunnable(data);
    const std::string outputName =
        outputFileName.empty() ? OutputFileNameFor(data.InputFileName) : outputFileName;
    RunState& s = state_;
    const EnteredValues entered(data);

    s.RunStopped = false;
    s.LeachEffOptimized = {};
    ToFractionsAndDays(data, s);
    ComputeGeometry(data, s);
    CountMeasurements(data, s);
    SizeRunState(data, s);
    s.Down = data.GrwtOut - data.GrwtInf > 0 ? data.GrwtOut - data.GrwtInf : 0;
    s.Up = data.GrwtInf - data.GrwtOut > 0 ? data.GrwtInf - data.GrwtOut : 0;
    s.W1 = StoredWater(data, Layer1);
    s.W2 = StoredWater(data, Layer2);
    s.W3 = StoredWater(data, Layer3);
    s.Wt = StoredWater(data, Trans);
    s.Wa = StoredWater(data, Aquif);

    host.SetProgress(2);
    s.RefineChosen = host.AskYesNo(kRefineQuestion);
    s.QH1Refined = false;
    s.QH1Used = data.QH1;
    if (s.RefineChosen) RefineDrainageCapacity(data, s);
    RunWaterBalance(data, s, host);
    if (s.RunStopped) return;

    host.SetProgress(3);
    const int layers = data.FlaggedLayers();
    bool enoughMeasurements = false;
    for (int z = Layer1; z <= Aquif; ++z)
        enoughMeasurements = enoughMeasurements || s.NrMeas[z] > 3;
    if (enoughMeasurements && host.AskYesNo(kOptimiseQuestion)) {
        for (int zone : OptimisationOrder(layers))
            if (s.NrMeas[zone] > 3) OptimiseLeachEff(data, s, data.LeachEff, layers, zone);
        host.SetProgress(4);
    }

    host.SetProgress(6);
    RunSaltBalance(data, s);
    host.SetProgress(8);
    for (int z = Layer1; z <= Aquif; ++z)
        if (data.LeachEff[z] != s.LeachEffGiven[z]) s.LeachEffOptimized[z] = true;

    std::string file;
    WriteOutputHeader(file, data, s, outputName);
    host.SetProgress(8);
    s.Drain[0] = s.Drain[1];
    for (int i = 1; i <= data.NrTst; ++i) WriteOutputLine(file, data, s, i);
    WriteFileAtomically(outputName, file);
    host.SetProgress(9);
}

}  // namespace halosoil
