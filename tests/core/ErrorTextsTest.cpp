// The error texts of the readers, the writer, the run check and the platform, word for word,
// each from the situation a user meets it in.
#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>

#include "Errors.h"
#include "ExpectThrowMsg.h"
#include "FileTestSupport.h"
#include "InputFile.h"
#include "OutputFile.h"
#include "RunCheck.h"
#include "TestProjects.h"

namespace halosoil {
namespace {

void ReadOutputText(const std::string& text) {
    InputData data;
    RunState state;
    OutputReadBack readBack;
    std::istringstream in(text);
    ReadOutputFile(in, data, state, readBack);
}

// Lines 1 to 5 heading, file name, empty line and titles; line 6 the sizes; lines 7 to 9 the
// efficiencies of the root zone, the transition zone and the aquifer; line 10 " Units:", 11
// the units, 12 empty; 13 to 16 the column heading, whose last line begins with " - -"; the
// data lines follow from line 17.
std::string OneLayerHeader(int steps) {
    return "OUTPUT OF Halosoil\r\nName of this file :x.out\r\n\r\nt1\r\nt2\r\n"
           " 1   " +
           test::Right(std::to_string(steps), 4) +
           "    30      (resp.:  nr. of root zone layers,    tot. nr. of time steps,    "
           "length of time step in days)\r\n"
           " Leaching efficiency layer 1   :    0.80  (given),       Coeff. of determination "
           "(%) :  n.a.\r\n"
           " Leaching eff. transit. zone   :    0.70  (given),       Coeff. of determination "
           "(%) :  n.a.\r\n"
           " Leaching efficiency aquifer   :    1.00  (given),       Coeff. of determination "
           "(%) :  n.a.\r\n"
           " Units:\r\n"
           " Water flow in mm/time step,  Salinity in dS/m,   Depth water table (DepthWT) in "
           "m\r\n\r\n"
           "           Percol.  Cap. rise  Act. Evap  Drainage                    Salinity "
           "(dS/m)\r\n"
           " Time step - - - - - - - - - - - - - - - - - - - - DepthWT   - - - - - - - - - - - "
           "- - - - -\r\n"
           "                      (mm/time step)               (m)        Rootzone  Trans. zone "
           " Aquifer\r\n"
           " - - - - - - - - - - - - - - -- - - - - - - - - - - - - - - - - - - - - - - - - -\r\n";
}

// Step 1 in the one-layer widths 9, 9, 9, 9, 10, 10, 10, 13, 9.
const char* kDataLine1 =
    "        1     12.5      0.0    150.0       3.0      1.60      4.50         3.20     2.10\r\n";

TEST(ErrorTextsTest, TheOutputReadersThreeDamageReports) {
    EXPECT_NO_THROW(ReadOutputText(OneLayerHeader(1) + kDataLine1));

    EXPECT_THROW_MSG(ReadOutputText("OUTPUT OF Halosoil\r\nName of this file :x.out\r\n"),
                     HalosoilError, "The output file ends too early; it may be damaged.");

    std::string noHeading = OneLayerHeader(1);
    noHeading.resize(noHeading.find("\r\n - -") + 2);
    EXPECT_THROW_MSG(ReadOutputText(noHeading), HalosoilError,
                     "The output file has no column heading; it may be damaged.");

    // Line 18 is where the data line of step 2 should be.
    EXPECT_THROW_MSG_AT_LINE(ReadOutputText(OneLayerHeader(2) + kDataLine1), HalosoilError,
                             "The output file ends before time step 2; it may be damaged.", 18);

    std::string letter = OneLayerHeader(1) + kDataLine1;
    letter.replace(letter.find("150.0"), 5, "15O.0");
    // The reader's chunk of the evapotranspiration is characters 31 to 39: the written field
    // less its first three blanks, and three blanks of the drainage field.
    EXPECT_THROW_MSG_AT_LINE(ReadOutputText(letter), HalosoilError,
                             "' 15O.0   ' is not a valid floating point value", 17);
}

TEST(ErrorTextsTest, ATitleWithALineBreakIsRefusedAndNothingIsWritten) {
    test::TempFolder folder;
    InputData data = test::OneLayerProject();
    data.InputFileName = folder.File("t.inp");
    test::WriteBytes(data.InputFileName, "previous");
    data.Title1 = "two\r\nlines";
    EXPECT_THROW_MSG(WriteInputFile(data), HalosoilError,
                     "The first title must be a single line. Nothing was written.");
    data.Title1 = "one line";
    data.Title2 = "a line\nfeed";
    EXPECT_THROW_MSG(WriteInputFile(data), HalosoilError,
                     "The second title must be a single line. Nothing was written.");
    EXPECT_EQ(test::ReadBytes(data.InputFileName), "previous");
}

TEST(ErrorTextsTest, AProjectWhoseIrrigationWasNotPreparedIsNotRun) {
    InputData data = test::OneLayerProject();
    data.IrrigSpread.clear();
    EXPECT_THROW_MSG(CheckRunnable(data), HalosoilError,
                     "The irrigation has not been prepared for the run. Please save the input "
                     "file first.");
}

TEST(ErrorTextsTest, ARootZoneOfZeroThicknessIsNotRun) {
    InputData data = test::TwoLayerProject();
    PrepareIrrigSpread(data);
    EXPECT_NO_THROW(CheckRunnable(data));
    data.Thick[Layer1] = 0;
    data.Thick[Layer2] = 0;
    EXPECT_THROW_MSG(CheckRunnable(data), HalosoilError,
                     "The root zone layers have a total thickness of 0 m. The evaporation cannot "
                     "be divided over them.");
}

TEST(ErrorTextsTest, ThePlatformErrorsInTheWordsOfTheEarlierProgram) {
    EXPECT_EQ(FileErrorText(ENOENT), "File not found");
    EXPECT_EQ(FileErrorText(ENOTDIR), "Path not found");
    EXPECT_EQ(FileErrorText(EACCES), "File access denied");
    EXPECT_EQ(FileErrorText(EPERM), "File access denied");
    EXPECT_EQ(FileErrorText(EROFS), "File access denied");
    EXPECT_EQ(FileErrorText(EISDIR), "File access denied");
    EXPECT_EQ(FileErrorText(ENOSPC), "Disk full");
    EXPECT_EQ(FileErrorText(EMFILE), "Too many open files");
}

TEST(ErrorTextsTest, PlatformErrorsAsUsersMeetThem) {
    test::TempFolder folder;
    test::WriteBytes(folder.File("plain"), "a file, not a folder");
    InputData data = test::OneLayerProject();

    // A folder in the path that is a file.
    data.InputFileName = folder.File("plain/p.inp");
    EXPECT_THROW_MSG(ReadInputFile(data), FileError, "Path not found");
    EXPECT_THROW_MSG(WriteInputFile(data), FileError, "Path not found");

    // A folder where the file should be: it cannot be replaced by a file.
    std::filesystem::create_directory(folder.File("p.inp"));
    data.InputFileName = folder.File("p.inp");
    EXPECT_THROW_MSG(WriteInputFile(data), FileError, "File access denied");
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("p.inp")));
    EXPECT_THROW_MSG(ReadInputFile(data), FileError, "File access denied");

    // A folder chosen as output file is no file that could be opened.
    InputData viewed;
    RunState state;
    OutputReadBack readBack;
    EXPECT_THROW_MSG(ReadOutputFile(folder.File("p.inp"), viewed, state, readBack), FileError,
                     "The file " + folder.File("p.inp") +
                         "could not be opened. It may be damaged or in use by "
                         "another program.");
}

}  // namespace
}  // namespace halosoil
