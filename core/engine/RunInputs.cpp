#include "RunInputs.h"

namespace halosoil {

namespace {

Series PerDay(const Series& perStep, int nrTst, int tstLength) {
    Series perDay = perStep;
    for (int i = 1; i <= nrTst; ++i) perDay[i] = perStep[i] / tstLength;
    return perDay;
}

}  // namespace

RunInputs MakeRunInputs(const InputData& d) {
    RunInputs in;
    in.NrTst = d.NrTst;
    in.TstLength = d.TstLength;
    in.Layers = LayerCount(d);
    in.OneLayer = in.Layers == 1;
    in.TwoLayers = in.Layers == 2;
    in.ThreeLayers = in.Layers == 3;

    in.DrainPresent = d.DrainPresent;
    in.DrainDepth = d.DrainDepth;
    in.QH1 = d.QH1;
    in.QH2 = d.QH2;

    in.SaltIrrig = d.SaltIrrig;
    in.WTdepth = d.WTdepth;
    in.CritDepth = d.CritDepth;
    in.Moist = d.Moist;
    in.IrrEff = d.IrrEff / 100;
    in.GrwtInf = d.GrwtInf;
    in.GrwtOut = d.GrwtOut;
    in.SalInf = d.SalInf;
    in.SaltBalance = d.SaltBalance;

    in.Thick = d.Thick;
    in.InitSalt = d.InitSalt;
    for (int z = Layer1; z <= Aquif; ++z) {
        in.TotPor[z] = d.TotPor[z] / 100;
        in.EffPor[z] = d.EffPor[z] / 100;
        in.LeachEff[z] = d.LeachEff[z] / 100;
    }

    in.Rain = PerDay(d.Rain, d.NrTst, d.TstLength);
    in.Irrig = PerDay(d.Irrig, d.NrTst, d.TstLength);
    in.IrrigSpread = PerDay(d.IrrigSpread, d.NrTst, d.TstLength);
    in.Evap = PerDay(d.Evap, d.NrTst, d.TstLength);
    in.IrrSal = d.IrrSal;
    in.MeasSalt = d.MeasSalt;
    return in;
}

}  // namespace halosoil
