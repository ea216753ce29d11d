// Runs plain projects through the engine in a folder of their own.
#pragma once

#include <gtest/gtest.h>

#include "Engine.h"
#include "EngineTestSupport.h"
#include "FileTestSupport.h"
#include "InputFile.h"

namespace halosoil::test {

class RunTest : public ::testing::Test {
protected:
    // Runs the project with the given answers to the run's questions.
    const RunState& RunProject(InputData& data, std::deque<bool> answers = {}) {
        data.InputFileName = folder_.File("plain.inp");
        PrepareIrrigSpread(data);
        host_ = ScriptedRunHost();
        host_.answers = std::move(answers);
        engine_.Run(data, host_, "");
        return engine_.State();
    }

    std::vector<std::string> OutputLines() {
        return CrLfLines(ReadBytes(folder_.File("plain.out")));
    }

    TempFolder folder_;
    ScriptedRunHost host_;
    Engine engine_;
};

}  // namespace halosoil::test
