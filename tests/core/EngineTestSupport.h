// A run host that answers from a script and records what the run showed, and a plain
// project whose flows are easy to follow by hand.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "InputData.h"
#include "RunHost.h"

namespace halosoil::test {

class ScriptedRunHost : public RunHost {
public:
    std::deque<bool> answers;
    std::vector<std::string> questions;
    std::vector<std::string> messages;
    std::vector<int> progress;

    bool Ask(RunQuestion question) override {
        questions.push_back(QuestionText(question));
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowMessage(const std::string& message) override { messages.push_back(message); }
    void SetProgress(int position) override { progress.push_back(position); }
};

// One root-zone layer of 0.5 m over a transition zone of 1.5 m and an aquifer of 10 m; no
// rain, irrigation, evaporation, groundwater flow or drains; a water table at 1 m, in the
// transition zone. Percentages and amounts per time step, as entered.
inline InputData PlainProject(int nrTst, int tstLength) {
    InputData d;
    d.Title1 = "Plain";
    d.Title2 = "Hand-worked";
    d.NrTst = nrTst;
    d.HydrRows = nrTst;
    d.TstLength = tstLength;
    d.NrLayers = 1;
    d.SetLayerFlags(1);
    d.Thick = {0, 0.5, 0, 0, 1.5, 10};
    d.TotPor = {0, 40, 40, 40, 40, 40};
    d.EffPor = {0, 10, 10, 10, 10, 10};
    d.LeachEff = {0, 100, 100, 100, 100, 100};
    d.InitSalt = {0, 2, 2, 2, 2, 2};
    d.WTdepth = 1.0;
    d.CritDepth = 0.2;  // below half the root zone: the capillary factor is 1
    d.Moist = 50;
    d.IrrEff = 100;
    d.SaltIrrig = 1;
    for (Series* series : {&d.Rain, &d.Irrig, &d.Evap, &d.IrrSal, &d.IrrigSpread})
        SizeSeries(*series, nrTst);
    for (auto& series : d.MeasSalt) {
        SizeSeries(series, nrTst);
        for (int i = 1; i <= nrTst; ++i) series[i] = -1;
    }
    return d;
}

}  // namespace halosoil::test
