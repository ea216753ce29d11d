// Reading station files: what a spreadsheet writes is read, every damage is named by file,
// line and column.
#include <gtest/gtest.h>

#include <sstream>

#include "StationFile.h"

namespace halosoil::weather {
namespace {

StationRecord Read(const std::string& text) {
    std::istringstream in(text);
    return ReadStationCsv(in, "station.csv");
}

std::string Refusal(const std::string& text) {
    try {
        Read(text);
    } catch (const std::exception& error) {
        return error.what();
    }
    return "accepted";
}

TEST(StationFile, ReadsColumnsInAnyOrderWithByteOrderMarkAndCrLf) {
    const StationRecord record = Read(
        "\xEF\xBB\xBFrain,date,tmin,tmax,wind\r\n"
        "1.5,2001-01-01,2.5,8,3\r\n"
        ",2001-01-02,-1,NA,\r\n");
    ASSERT_EQ(record.days.size(), 2u);
    EXPECT_EQ(IsoText(record.days[0].date), "2001-01-01");
    EXPECT_DOUBLE_EQ(record.days[0][Variable::Rain], 1.5);
    EXPECT_DOUBLE_EQ(record.days[0][Variable::Tmax], 8);
    EXPECT_DOUBLE_EQ(record.days[1][Variable::Tmin], -1);
    EXPECT_FALSE(Has(record.days[1][Variable::Tmax]));
    EXPECT_FALSE(Has(record.days[1][Variable::Rain]));
    EXPECT_FALSE(Has(record.days[1][Variable::Wind]));
    EXPECT_EQ(record.days[1].line, 3);
    EXPECT_EQ(record.ColumnOf(Variable::Tmax), 4);
    EXPECT_FALSE(record.HasColumn(Variable::Sunshine));
}

TEST(StationFile, OtherColumnsAreIgnoredWithAWarning) {
    const StationRecord record = Read("date,tmax,tmin,rain,pressure\n2001-01-01,8,2,0,101.2\n");
    ASSERT_EQ(record.warnings.size(), 1u);
    EXPECT_EQ(record.warnings[0],
              "station.csv: column 5 'pressure' is not a weather variable and is ignored");
}

TEST(StationFile, RefusesDamageNamingFileLineAndColumn) {
    const std::string header = "date,tmax,tmin,rain,rh_max,rh_min,wind,sunshine\n";
    EXPECT_EQ(Refusal(header + "2001-01-01,8,2,0,90,50,2,5\n2001-01-02,8x,2,0,90,50,2,5\n"),
              "station.csv, line 3, column 2: '8x' is not a valid floating point value");
    EXPECT_EQ(Refusal(header + "2001-02-30,8,2,0,90,50,2,5\n"),
              "station.csv, line 2, column 1: '2001-02-30' is not a date of the form YYYY-MM-DD");
    EXPECT_EQ(Refusal(header + "2001-01-02,8,2,0,90,50,2,5\n2001-01-02,8,2,0,90,50,2,5\n"),
              "station.csv, line 3: 2001-01-02 is not after 2001-01-02 of line 2");
    EXPECT_EQ(Refusal(header + "2001-01-01,8,9,0,90,50,2,5\n"),
              "station.csv, line 2, column 3: tmin 9 is above tmax 8 of the same day");
    EXPECT_EQ(Refusal(header + "2001-01-01,8,2,0,101,50,2,5\n"),
              "station.csv, line 2, column 5: rh_max 101 % lies outside 0 to 100 %");
    EXPECT_EQ(Refusal(header + "2001-01-01,8,2,-0.5,90,50,2,5\n"),
              "station.csv, line 2, column 4: rain -0.5 mm is negative");
    EXPECT_EQ(Refusal(header + "2001-01-01,8,2,0,90,50,-2,5\n"),
              "station.csv, line 2, column 7: wind -2 m/s is negative");
    EXPECT_EQ(Refusal(header + "2001-01-01,8,2,0,90,50,2,25\n"),
              "station.csv, line 2, column 8: sunshine 25 h is more than a day");
    EXPECT_EQ(Refusal(header + "2001-01-01,8,2,0,90,50,2\n"),
              "station.csv, line 2: 7 cells where the header has 8");
}

TEST(StationFile, RefusesAMissingRequiredColumn) {
    EXPECT_EQ(Refusal("date,tmax,rain\n2001-01-01,8,0\n"),
              "station.csv, line 1: the file has no column 'tmin'; the columns are date, tmax, "
              "tmin, tmean, rh_max, rh_min, rh_mean, tdew, ea, wind, sunshine, radiation, rain, "
              "et0");
    EXPECT_EQ(Refusal("tmax,tmin,rain\n8,2,0\n").substr(0, 46),
              "station.csv, line 1: the file has no column 'd");
    // A record of ET0 needs no temperatures.
    EXPECT_EQ(Read("date,et0,rain\n2001-01-01,3,0\n").days.size(), 1u);
    EXPECT_EQ(Refusal("date,tmax,tmax,tmin,rain\n"),
              "station.csv, line 1, column 3: tmax is a column twice");
    EXPECT_EQ(Refusal(""), "station.csv: the file is empty");
    EXPECT_EQ(Refusal("date,tmax,tmin,rain\n"), "station.csv: the file holds no day");
}

TEST(StationFile, AMissingFileIsAFileError) {
    EXPECT_THROW(ReadStationFile("/nonexistent/station.csv"), std::exception);
}

}  // namespace
}  // namespace halosoil::weather
