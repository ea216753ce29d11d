// The output file: header lines per layer count and refinement choice, data lines, and
// reading every header variant back.

#include <gtest/gtest.h>

#include <sstream>

#include "Errors.h"
#include "ExpectThrowMsg.h"
#include "FileTestSupport.h"
#include "OutputFile.h"
#include "ProjectBuilder.h"
#include "QuantityCatalogue.h"

namespace halosoil {
namespace {

using test::CrLfLines;
using test::JoinCrLf;
using test::Right;

const std::string kSizes =
    "      (resp.:  nr. of root zone layers,    tot. nr. of time steps,    length of time "
    "step in days)";
const std::string kGivenNA = "  (given),       Coeff. of determination (%) :  n.a.";
const std::string kGiven = "  (given),       Coeff. of determination (%) :";
const std::string kOptimized = "  (optimized),   Coeff. of determination (%) :";

// A record and run state of n steps with the given layer count, efficiencies as fractions.
struct RunResults {
    InputData data;
    RunState state;

    RunResults(int layers, int steps)
        : data(test::NewProject("Title one", "Title two", steps, 30, layers)) {
        state.LeachEff = {0, 0.8, 0.75, 0.7, 0.6, 1};
        SizeResultSeries(state, steps);
        state.FitNA = {true, true, true, true, true, true};
    }
};

TEST(OutputHeaderTest, OneLayerWithoutRefinement) {
    RunResults run(1, 12);
    run.state.LeachEff[Trans] = 0;  // no line for a zero efficiency
    const std::vector<std::string> expected = {
        "OUTPUT OF Halosoil",
        "Name of this file :D:\\runs\\a.out",
        "",
        "Title one",
        "Title two",
        " 1     12    30" + kSizes,
        " Leaching efficiency layer 1   :    0.80" + kGivenNA,
        " Leaching efficiency aquifer   :    1.00" + kGivenNA,
        " Units:",
        " Water flow in mm/time step,  Salinity in dS/m,   Depth water table (DepthWT) in m",
        "",
        "           Percol.  Cap. rise  Act. Evap  Drainage                    Salinity (dS/m)",
        " Time step - - - - - - - - - - - - - - - - - - - - DepthWT   - - - - - - - - - - - - - "
        "- - -",
        "                      (mm/time step)               (m)        Rootzone  Trans. zone  "
        "Aquifer",
        " - - - - - - - - - - - - - - -- - - - - - - - - - - - - - - - - - - - - - - - - -",
    };
    EXPECT_EQ(CrLfLines(OutputHeaderText(run.data, run.state, "D:\\runs\\a.out")), expected);
}

TEST(OutputHeaderTest, TwoLayersWithARefinedCapacityAndAnOptimisedLayer) {
    RunResults run(2, 5);
    run.state.RefineChosen = true;
    run.state.QH1Refined = true;
    run.state.QH1Used = 0.0123;
    run.state.FitNA[Layer1] = false;
    run.state.LeachEffOptimized[Layer1] = true;
    run.state.CoefDet[Layer1] = 0.876;
    run.state.FitNA[Trans] = false;
    run.state.CoefDet[Trans] = -0.35;
    const std::vector<std::string> lines =
        CrLfLines(OutputHeaderText(run.data, run.state, "b.out"));
    ASSERT_EQ(lines.size(), 6u + 1 + 4 + 3 + 6);
    EXPECT_EQ(lines[5], " 2      5    30" + kSizes);
    EXPECT_EQ(lines[6], " Drainage capacity QH1 refined :   0.012");
    EXPECT_EQ(lines[7], " Leaching efficiency layer 1   :    0.80" + kOptimized + "   88");
    EXPECT_EQ(lines[8], " Leaching efficiency layer 2   :    0.75" + kGivenNA);
    EXPECT_EQ(lines[9], " Leaching eff. transit. zone   :    0.60" + kGiven + "  -35");
    EXPECT_EQ(lines[18],
              "                                                            Layer1  Layer2   zone");
    EXPECT_EQ(lines[19].size(), 91u);
}

TEST(OutputHeaderTest, ThreeLayersWithTheGivenCapacity) {
    RunResults run(3, 100);
    run.state.RefineChosen = true;
    run.state.QH1Refined = false;
    run.state.QH1Used = 0.05;
    const std::vector<std::string> lines =
        CrLfLines(OutputHeaderText(run.data, run.state, "c.out"));
    EXPECT_EQ(lines[5], " 3    100    30" + kSizes);
    EXPECT_EQ(lines[6], " Drainage capacity QH1 (given) :   0.050");
    EXPECT_EQ(lines[9], " Leaching efficiency layer 3   :    0.70" + kGivenNA);
    EXPECT_EQ(lines[12], " Units:");
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[15].size(), 90u);
    EXPECT_EQ(lines[16].size(), 100u);
    EXPECT_EQ(lines[18].size(), 101u);
    EXPECT_EQ(lines[20].size(), 101u);
    EXPECT_EQ(lines[20].substr(0, 4), " - -");
}

TEST(OutputLineTest, OneLayerLineIsEightyEightCharacters) {
    RunResults run(1, 1);
    auto& s = run.state;
    s.Percol[1] = 12.3;
    s.CapRise[1] = 0;
    s.ActEvap[1] = 45.6;
    s.Drain[1] = 1.2;
    s.DepthWT[1] = 1.5;
    s.SalRoot1[1] = 3.45;
    s.SalTrans[1] = 2.1;
    s.SalAquif[1] = 1.23;
    const std::string expected = Right("1", 9) + Right("12.3", 9) + Right("0.0", 9) +
                                 Right("45.6", 9) + Right("1.2", 10) + Right("1.50", 10) +
                                 Right("3.45", 10) + Right("2.10", 13) + Right("1.23", 9);
    ASSERT_EQ(expected.size(), 88u);
    EXPECT_EQ(OutputLineText(run.data, run.state, 1), expected + "\r\n");
}

TEST(OutputLineTest, TwoAndThreeLayerWidths) {
    RunResults two(2, 1);
    two.state.SalRoot2[1] = 4.5;
    EXPECT_EQ(OutputLineText(two.data, two.state, 1),
              Right("1", 9) + Right("0.0", 9) + Right("0.0", 11) + Right("0.0", 9) +
                  Right("0.0", 10) + Right("0.00", 8) + Right("0.00", 9) + Right("4.50", 8) +
                  Right("0.00", 8) + Right("0.00", 10) + "\r\n");
    RunResults three(3, 1);
    three.state.SalRoot3[1] = -0.5;
    EXPECT_EQ(OutputLineText(three.data, three.state, 1).size(), 101u + 2);
}

TEST(OutputLineTest, RefusesValuesThatWouldFillTheirField) {
    RunResults run(2, 1);
    // The reader's third chunk starts in column 21; a capillary rise of ten characters starts
    // in column 20.
    run.state.CapRise[1] = 10000000.0;
    EXPECT_THROW_MSG(OutputLineText(run.data, run.state, 1), HalosoilError,
                     "The capillary rise of time step 1 (10000000.0) is too wide for its column; "
                     "the output file was not written.");
    run.state.CapRise[1] = 9999999.9;
    EXPECT_NO_THROW(OutputLineText(run.data, run.state, 1));
}

struct ReadResult {
    InputData data;
    RunState state;
    OutputReadBack readBack;
};

ReadResult ReadOutput(const std::string& text) {
    ReadResult result;
    result.readBack.CoefDet = {0, 11, 22, 33, 44, 55};  // what "n.a." must leave alone
    std::istringstream in(text);
    ReadOutputFile(in, result.data, result.state, result.readBack);
    return result;
}

std::vector<std::string> HandWrittenTwoLayerLines() {
    return {
        "OUTPUT OF Halosoil",
        "Name of this file :x.out",
        "",
        "T1",
        "T2",
        " 2      2    30" + kSizes,
        " Drainage capacity QH1 refined :   0.045",
        " Leaching efficiency layer 1   :    0.47" + kOptimized + "  -35",
        " Leaching efficiency layer 2   :    0.75" + kGivenNA,
        " Leaching eff. transit. zone   :    0.60" + kGiven + "   72",
        " Leaching efficiency aquifer   :    1.00" + kGivenNA,
        " Units:",
        " Water flow in mm/time step,  Salinity in dS/m,   Depth water table (DepthWT) in m",
        "",
        "           Percol.  Cap. rise  Act. Evap  Drainage                    Salinity (dS/m)",
        " - - - - - - - - - - - - - - -- - - - - - - - - - - - - - - - - - - - - - - - - - - - - - "
        "-",
        Right("1", 9) + Right("12.3", 9) + Right("0.0", 11) + Right("45.6", 9) + Right("1.2", 10) +
            Right("1.50", 8) + Right("3.45", 9) + Right("4.10", 8) + Right("2.10", 8) +
            Right("1.23", 10),
        Right("2", 9) + Right("-10.0", 9) + Right("1234.5", 11) + Right("100.0", 9) +
            Right("11.0", 10) + Right("-0.25", 8) + Right("0.10", 9) + Right("12.00", 8) +
            Right("22.00", 8) + Right("10.00", 10),
    };
}

TEST(ReadOutputFileTest, ReadsAHandWrittenTwoLayerFileWithEveryEnding) {
    const std::vector<std::string> lines = HandWrittenTwoLayerLines();
    const ReadResult r = ReadOutput(JoinCrLf(lines));
    EXPECT_EQ(r.data.NrLayers, 2);
    EXPECT_EQ(r.data.NrTst, 2);
    EXPECT_DOUBLE_EQ(r.data.QH1, 0.045);
    EXPECT_DOUBLE_EQ(r.readBack.LeachEff[Layer1], 0.47);
    EXPECT_TRUE(r.readBack.Optimized[Layer1]);
    EXPECT_DOUBLE_EQ(r.readBack.CoefDet[Layer1], -35);
    EXPECT_DOUBLE_EQ(r.readBack.LeachEff[Layer2], 0.75);
    EXPECT_FALSE(r.readBack.Optimized[Layer2]);
    EXPECT_DOUBLE_EQ(r.readBack.CoefDet[Layer2], 22);  // n.a.: unchanged
    EXPECT_DOUBLE_EQ(r.readBack.CoefDet[Trans], 72);
    EXPECT_DOUBLE_EQ(r.readBack.LeachEff[Aquif], 1);
    EXPECT_EQ(r.state.Percol, (Series{0, 12.3, -10}));
    EXPECT_EQ(r.state.CapRise, (Series{0, 0, 1234.5}));
    EXPECT_EQ(r.state.DepthWT, (Series{0, 1.5, -0.25}));
    EXPECT_EQ(r.state.SalRoot1, (Series{0, 3.45, 0.1}));
    EXPECT_EQ(r.state.SalRoot2, (Series{0, 4.1, 12}));
    EXPECT_EQ(r.state.SalTrans, (Series{0, 2.1, 22}));
    EXPECT_EQ(r.state.SalAquif, (Series{0, 1.23, 10}));

    // Copied between systems, the same file with LF or CR alone reads alike.
    std::string lineFeeds;
    std::string carriageReturns;
    for (const std::string& line : lines) {
        lineFeeds += line + "\n";
        carriageReturns += line + "\r";
    }
    for (const std::string* text : {&lineFeeds, &carriageReturns}) {
        const ReadResult other = ReadOutput(*text);
        EXPECT_EQ(other.data.NrTst, 2);
        EXPECT_EQ(other.state.SalRoot2, (Series{0, 4.1, 12}));
        EXPECT_EQ(other.state.SalAquif, (Series{0, 1.23, 10}));
    }
}

TEST(ReadOutputFileTest, RoundTripOfEveryLayoutToTheWrittenDecimals) {
    for (int layers = 1; layers <= 3; ++layers) {
        for (bool refine : {false, true}) {
            RunResults run(layers, 3);
            run.state.RefineChosen = refine;
            run.state.QH1Used = 0.0271;
            run.state.FitNA[Trans] = false;
            run.state.LeachEffOptimized[Trans] = true;
            run.state.CoefDet[Trans] = 0.5;
            for (int i = 1; i <= 3; ++i) {
                run.state.Percol[i] = 100.04 * i;
                run.state.CapRise[i] = -3.26 * i;
                run.state.ActEvap[i] = 250.55;
                run.state.Drain[i] = 7.25 + i;
                run.state.DepthWT[i] = 1.234 * i;
                for (int z = Layer1; z <= Aquif; ++z) run.state.Salinity(z)[i] = z + 0.456 * i;
            }
            std::string text = OutputHeaderText(run.data, run.state, "r.out");
            for (int i = 1; i <= 3; ++i) text += OutputLineText(run.data, run.state, i);
            const ReadResult r = ReadOutput(text);
            EXPECT_EQ(r.data.NrLayers, layers);
            if (refine) {
                EXPECT_DOUBLE_EQ(r.data.QH1, 0.027);
            }
            EXPECT_TRUE(r.readBack.Optimized[Trans]);
            EXPECT_DOUBLE_EQ(r.readBack.CoefDet[Trans], 50);
            for (int i = 1; i <= 3; ++i) {
                EXPECT_NEAR(r.state.Percol[i], run.state.Percol[i], 0.05 + 1e-9);
                EXPECT_NEAR(r.state.CapRise[i], run.state.CapRise[i], 0.05 + 1e-9);
                EXPECT_NEAR(r.state.DepthWT[i], run.state.DepthWT[i], 0.005 + 1e-9);
                for (int z : ZonesOf(layers))
                    EXPECT_NEAR(r.state.Salinity(z)[i], run.state.Salinity(z)[i], 0.005 + 1e-9)
                        << "layers " << layers << " zone " << z;
            }
        }
    }
}

TEST(ReadOutputFileTest, LeftOutTransitionZoneLineReadsAsEfficiencyZero) {
    RunResults run(1, 1);
    run.state.LeachEff[Trans] = 0;
    run.state.LeachEff[Aquif] = 0;
    run.state.SalAquif[1] = 7.5;
    const ReadResult r = ReadOutput(OutputHeaderText(run.data, run.state, "z.out") +
                                    OutputLineText(run.data, run.state, 1));
    EXPECT_DOUBLE_EQ(r.readBack.LeachEff[Trans], 0);
    EXPECT_FALSE(r.readBack.LinePresent[Trans]);
    EXPECT_FALSE(r.readBack.LinePresent[Aquif]);
    EXPECT_DOUBLE_EQ(r.state.SalAquif[1], 7.5);

    run.state.LeachEff[Aquif] = 0.9;  // only the transition zone's line is missing
    const ReadResult only = ReadOutput(OutputHeaderText(run.data, run.state, "z.out") +
                                       OutputLineText(run.data, run.state, 1));
    EXPECT_FALSE(only.readBack.LinePresent[Trans]);
    EXPECT_DOUBLE_EQ(only.readBack.LeachEff[Aquif], 0.9);
}

TEST(ReadOutputFileTest, FiveCharacterCoefficientOfAGivenLineIsReadWhole) {
    RunResults run(1, 1);
    run.state.FitNA[Layer1] = false;
    run.state.CoefDet[Layer1] = -12.5;  // printed as -1250
    const ReadResult r = ReadOutput(OutputHeaderText(run.data, run.state, "w.out") +
                                    OutputLineText(run.data, run.state, 1));
    EXPECT_DOUBLE_EQ(r.readBack.CoefDet[Layer1], -1250);
}

TEST(ReadOutputFileTest, TheLayerFlagsFollowTheLayerCountOfTheFile) {
    ReadResult r;
    r.data.SetLayerFlags(3);
    std::istringstream in(JoinCrLf(HandWrittenTwoLayerLines()));
    ReadOutputFile(in, r.data, r.state, r.readBack);
    EXPECT_FALSE(r.data.OneLayer);
    EXPECT_TRUE(r.data.TwoLayers);
    EXPECT_FALSE(r.data.ThreeLayers);
    EXPECT_EQ(LayerCount(r.data), 2);
}

TEST(ReadOutputFileTest, KeepsWhatTheHeaderTellsBesidesTheSeries) {
    const ReadResult r = ReadOutput(JoinCrLf(HandWrittenTwoLayerLines()));
    EXPECT_EQ(r.readBack.Title1, "T1");
    EXPECT_EQ(r.readBack.Title2, "T2");
    EXPECT_EQ(r.readBack.StepLength, 30);
    EXPECT_TRUE(r.readBack.QH1LinePresent);
    EXPECT_TRUE(r.readBack.QH1Refined);
    // Layer 1 optimised with a coefficient, layer 2 and the aquifer "n.a.", the transition
    // zone given with one; layer 3 does not exist.
    EXPECT_EQ(r.state.FitNA,
              (std::array<bool, kZoneCount + 1>{true, false, true, true, false, true}));

    std::vector<std::string> given = HandWrittenTwoLayerLines();
    given[6] = " Drainage capacity QH1 (given) :   0.045";
    const ReadResult g = ReadOutput(JoinCrLf(given));
    EXPECT_TRUE(g.readBack.QH1LinePresent);
    EXPECT_FALSE(g.readBack.QH1Refined);
    std::vector<std::string> without = HandWrittenTwoLayerLines();
    without.erase(without.begin() + 6);
    EXPECT_FALSE(ReadOutput(JoinCrLf(without)).readBack.QH1LinePresent);
}

TEST(ReadOutputFileTest, AtMost50000TimeStepsAreRead) {
    std::vector<std::string> lines = HandWrittenTwoLayerLines();
    lines[5] = " 2  50001    30" + kSizes;
    EXPECT_THROW_MSG(ReadOutput(JoinCrLf(lines)), HalosoilError, "Invalid numeric input");
    // 50000 steps are taken; the file then lacks the third.
    lines[5] = " 2  50000    30" + kSizes;
    EXPECT_THROW_MSG(ReadOutput(JoinCrLf(lines)), HalosoilError,
                     "The output file ends before time step 3; it may be damaged.");
}

TEST(ReadOutputFileTest, FailuresNameTheProblem) {
    test::TempFolder folder;
    ReadResult r;
    EXPECT_THROW_MSG(ReadOutputFile(folder.File("gone.out"), r.data, r.state, r.readBack),
                     HalosoilError,
                     "The file " + folder.File("gone.out") +
                         "could not be opened. It may be damaged or in use by another program.");
    EXPECT_THROW_MSG(ReadOutput("OUTPUT OF Halosoil\r\n"), HalosoilError,
                     "The output file ends too early; it may be damaged.");
    RunResults run(1, 2);
    const std::string header = OutputHeaderText(run.data, run.state, "x.out");
    // 2 steps announced, 1 written.
    EXPECT_THROW_MSG(ReadOutput(header + OutputLineText(run.data, run.state, 1)), HalosoilError,
                     "The output file ends before time step 2; it may be damaged.");
    std::string damaged =
        header + OutputLineText(run.data, run.state, 1) + OutputLineText(run.data, run.state, 2);
    damaged[damaged.size() - 5] = 'x';
    // The aquifer's chunk is characters 81 to 90 of the line, which ends at 88.
    EXPECT_THROW_MSG(ReadOutput(damaged), ConversionError,
                     "'    0x00' is not a valid floating point value");
}

}  // namespace
}  // namespace halosoil
