// halosoil-batch weather: a station file to steps as CSV, to a project, and its refusals.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "BatchTestSupport.h"
#include "InputData.h"
#include "InputFile.h"

namespace {

namespace fs = std::filesystem;
using halosoil::test::ReadBytes;
using halosoil::test::RunBatch;
using halosoil::test::Scratch;

void Write(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// January and February 2001: 1 mm of rain a day in January, 2 in February; ET0 given as 3 mm,
// humidity and all else absent.
std::string TwoMonths() {
    std::string text = "date,et0,rain\r\n";
    for (int month = 1; month <= 2; ++month) {
        const int days = month == 1 ? 31 : 28;
        for (int day = 1; day <= days; ++day) {
            char line[64];
            std::snprintf(line, sizeof line, "2001-%02d-%02d,3,%d\r\n", month, day, month);
            text += line;
        }
    }
    return text;
}

TEST(WeatherCommand, WritesTheStepsAsCsvAndTellsWhatItRead) {
    const fs::path folder = Scratch("weather-steps");
    Write(folder / "station.csv", TwoMonths());
    const std::string arguments =
        (folder / "station.csv").string() + " --latitude 30 --elevation 10 --kc 0.5 -o " +
        (folder / "steps.csv").string() + " --days " + (folder / "days.csv").string();
    ASSERT_EQ(RunBatch("weather " + arguments, folder / "err"), 0) << ReadBytes(folder / "err");
    // Rain 31 x 1 and 28 x 2; ET0 31 x 3 and 28 x 3; evap half of that.
    EXPECT_EQ(ReadBytes(folder / "steps.csv"),
              "step,start,end,days,rain,et0,kc,evap,estimated_days\n"
              "1,2001-01-01,2001-01-31,31,31,93,0.5,46.5,0\n"
              "2,2001-02-01,2001-02-28,28,56,84,0.5,42,0\n");
    EXPECT_EQ(ReadBytes(folder / "err"),
              "halosoil-batch: " + (folder / "station.csv").string() +
                  ": 59 days read; estimated: nothing; 2 month steps from 2001-01-01 to "
                  "2001-02-28\n");
    const std::string days = ReadBytes(folder / "days.csv");
    EXPECT_EQ(days.substr(0, days.find('\n', days.find('\n') + 1) + 1),
              "date,et0,tmax,tmin,ea,wind,radiation,rain,estimated\n"
              "2001-01-01,3,,,,,,1,\n");
}

TEST(WeatherCommand, ReplacesTheRainAndEvaporationOfAProject) {
    const fs::path folder = Scratch("weather-into");
    Write(folder / "station.csv", TwoMonths());
    // The monthly example has more steps than the record's two: they are cut, with a word.
    const std::string project = std::string(HALOSOIL_EXAMPLES) + "/one_layer_monthly.inp";
    const std::string arguments = (folder / "station.csv").string() +
                                  " --latitude 30 --elevation 10 --into " + project + " -o " +
                                  (folder / "new.inp").string();
    ASSERT_EQ(RunBatch("weather " + arguments, folder / "err"), 0) << ReadBytes(folder / "err");
    EXPECT_NE(ReadBytes(folder / "err").find("steps are cut to the 2 the record covers"),
              std::string::npos)
        << ReadBytes(folder / "err");
    halosoil::InputData data;
    data.InputFileName = (folder / "new.inp").string();
    halosoil::ReadInputFile(data);
    EXPECT_EQ(data.NrTst, 2);
    EXPECT_DOUBLE_EQ(data.Rain[1], 31.0);
    EXPECT_DOUBLE_EQ(data.Rain[2], 56.0);
    EXPECT_DOUBLE_EQ(data.Evap[1], 93.0);
    EXPECT_DOUBLE_EQ(data.Evap[2], 84.0);
    // The project's own step length decides: a --step that differs is wrong usage.
    EXPECT_EQ(RunBatch("weather " + arguments + " --step week", folder / "err"), 2);
    EXPECT_EQ(ReadBytes(folder / "err").rfind("halosoil-batch: --step week: the time step of ", 0),
              0u);
}

TEST(WeatherCommand, RefusesDamageWithStatusOneAndLeavesNoFile) {
    const fs::path folder = Scratch("weather-damage");
    Write(folder / "station.csv", "date,tmax,tmin,rain\n2001-01-01,10,2,0\n2001-01-02,1O,2,0\n");
    const std::string station = (folder / "station.csv").string();
    EXPECT_EQ(RunBatch("weather " + station + " --latitude 30 --elevation 10 --step day -o " +
                           (folder / "steps.csv").string(),
                       folder / "err"),
              1);
    EXPECT_EQ(ReadBytes(folder / "err"), "halosoil-batch: " + station +
                                             ", line 3, column 2: '1O' is not a valid floating "
                                             "point value\n");
    EXPECT_FALSE(fs::exists(folder / "steps.csv"));
    // A station beyond the poles, and --into without -o, are wrong usage.
    EXPECT_EQ(RunBatch("weather " + station + " --latitude 95 --elevation 10", folder / "err"), 2);
    EXPECT_EQ(ReadBytes(folder / "err"),
              "halosoil-batch: latitude 95 lies outside -90 to 90 degrees\n");
    EXPECT_EQ(RunBatch("weather " + station + " --latitude 30 --elevation 10 --into a.inp",
                       folder / "err"),
              2);
    EXPECT_EQ(RunBatch("weather " + station + " --elevation 10", folder / "err"), 2);
}

}  // namespace
