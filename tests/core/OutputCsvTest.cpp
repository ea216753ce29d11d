// The tables as CSV: headings with units per layout, the grid's aligning blanks dropped, a
// missing measurement as an empty cell, quoting where a cell needs it. Expected texts are
// worked out by hand from the cell formats ("%13.2f" and friends, the general format).
#include <gtest/gtest.h>

#include "OutputCsv.h"
#include "OutputTables.h"

namespace halosoil {
namespace {

TEST(OutputCsv, TwoLayerSalinityTableWithItsHeadings) {
    InputData data;
    RunState state;
    data.NrTst = 2;
    data.NrLayers = 2;
    data.SetLayerFlags(2);
    state.SalRoot1 = {0, 3.456, 12.0};
    state.SalRoot2 = {0, 4.004, 4.996};
    state.SalTrans = {0, 2.5, 2.625};
    state.SalAquif = {0, 1.0, 1.125};
    data.MeasSalt[Layer1] = {0, 4.5, -1};
    data.MeasSalt[Layer2] = {0, 0, 5.25};
    data.MeasSalt[Trans] = {0, -1, -1};
    data.MeasSalt[Aquif] = {0, 1.1, 0};
    EXPECT_EQ(CsvText(SalinityTable(data, state), SalinityCsvHeadings(2)),
              "Time step,Layer 1 calculated (dS/m),Layer 1 measured (dS/m),"
              "Layer 2 calculated (dS/m),Layer 2 measured (dS/m),"
              "Transition zone calculated (dS/m),Transition zone measured (dS/m),"
              "Aquifer calculated (dS/m),Aquifer measured (dS/m)\n"
              "1,3.46,4.50,4.00,,2.50,,1.00,1.10\n"
              "2,12.00,,5.00,5.25,2.63,,1.13,\n");
}

TEST(OutputCsv, HeadingsNameTheZonesOfEachLayerCount) {
    EXPECT_EQ(SalinityCsvHeadings(1),
              (std::vector<std::string>{
                  "Time step", "Root zone calculated (dS/m)", "Root zone measured (dS/m)",
                  "Transition zone calculated (dS/m)", "Transition zone measured (dS/m)",
                  "Aquifer calculated (dS/m)", "Aquifer measured (dS/m)"}));
    EXPECT_EQ(SalinityCsvHeadings(3).size(), 11u);
    EXPECT_EQ(SalinityCsvHeadings(3)[5], "Layer 3 calculated (dS/m)");
    EXPECT_EQ(HydrologyCsvHeadings().size(), 9u);
    EXPECT_EQ(HydrologyCsvHeadings()[8], "Depth of water table (m)");
}

TEST(OutputCsv, HydrologyTableInTheGeneralFormat) {
    InputData data;
    RunState state;
    data.NrTst = 1;
    data.Rain = {0, 12.5};
    data.Irrig = {0, 100};
    data.Evap = {0, 0.25};
    state.Percol = {0, 1.25};
    state.CapRise = {0, 0};
    state.ActEvap = {0, 33.3};
    state.Drain = {0, 0.5};
    state.DepthWT = {0, 1.75};
    const std::string csv = CsvText(HydrologyTable(data, state), HydrologyCsvHeadings());
    EXPECT_EQ(csv.substr(csv.find('\n') + 1), "1,12.5,100,0.25,1.25,0,33.3,0.5,1.75\n");
}

TEST(OutputCsv, CellsWithCommasQuotesOrLineBreaksAreQuoted) {
    TextTable table(3, 2);
    // Whole strings: GCC 12 at -O3 takes a short literal assigned in place for an overlapping copy.
    table.At(0, 1) = std::string("1");
    table.At(1, 1) = std::string("  4,5 ");
    table.At(2, 1) = std::string("say \"x\"");
    EXPECT_EQ(CsvText(table, {"a", "b,c", "d"}), "a,\"b,c\",d\n1,\"4,5\",\"say \"\"x\"\"\"\n");
}

}  // namespace
}  // namespace halosoil
