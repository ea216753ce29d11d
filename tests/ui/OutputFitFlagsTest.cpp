// Reading from an output file's efficiency lines which zones have no coefficient.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "OutputFitFlags.h"

namespace halosoil {
namespace {

const char* kHeader =
    "OUTPUT OF Halosoil\r\n"
    "Name of this file :x.out\r\n"
    "\r\n"
    "Title one\r\n"
    "Title two\r\n"
    " 2     15    360      (resp.:  nr. of root zone layers,    tot. nr. of time steps,    "
    "length of time step in days)\r\n"
    " Drainage capacity QH1 (given) :   0.012\r\n"
    " Leaching efficiency layer 1   :    0.15  (optimized),   Coeff. of determination (%) :   "
    "76\r\n"
    " Leaching efficiency layer 2   :    0.85  (given),       Coeff. of determination (%) :  "
    "n.a.\r\n"
    " Leaching eff. transit. zone   :    0.50  (given),       Coeff. of determination (%) :   "
    "-3\r\n"
    " Units:\r\n"
    " Water flow in mm/time step,  Salinity in dS/m,   Depth water table (DepthWT) in m\r\n"
    "\r\n"
    " - - - - - - - - - - - - - - -- - - - - - - - - - - - - - - - - - - - - - - - - -\r\n"
    "        1    344.8        0.0   1225.2    2786.4    1.27     7.77    2.07    n.a.\r\n";

TEST(OutputFitFlags, NotAvailableWhereTheLineSaysSoOrIsAbsent) {
    std::istringstream in(kHeader);
    const FitFlags flags = FitNotAvailable(in);
    EXPECT_FALSE(flags[Layer1]);  // optimised, with a coefficient
    EXPECT_TRUE(flags[Layer2]);   // "n.a."
    EXPECT_TRUE(flags[Layer3]);   // no line: two layers
    EXPECT_FALSE(flags[Trans]);   // given, with a coefficient
    EXPECT_TRUE(flags[Aquif]);    // left out for an efficiency of 0
}

TEST(OutputFitFlags, ReadsAFileAndReportsOneThatCannotBeOpened) {
    QTemporaryDir folder;
    const std::string name = folder.filePath("x.out").toStdString();
    std::ofstream(name, std::ios::binary) << kHeader;
    FitFlags flags{};
    ASSERT_TRUE(FitNotAvailable(name, flags));
    EXPECT_TRUE(flags[Layer2]);
    EXPECT_FALSE(flags[Trans]);

    FitFlags untouched{};
    EXPECT_FALSE(FitNotAvailable(folder.filePath("none.out").toStdString(), untouched));
    EXPECT_FALSE(untouched[Layer2]);
}

}  // namespace
}  // namespace halosoil
