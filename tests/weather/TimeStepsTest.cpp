// From days to time steps: gaps, delta changes, the grouping by calendar and Kc, and the
// project's series replaced.
#include <gtest/gtest.h>

#include <sstream>

#include "Fao56.h"
#include "ProjectWeather.h"
#include "StationFile.h"
#include "WeatherSteps.h"

namespace halosoil::weather {
namespace {

Date On(int year, unsigned month, unsigned day) {
    return Date{std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day}};
}

// A record of ET0 given as 2 mm and 1 mm of rain on every day from first to last.
StationRecord Even(Date first, Date last) {
    StationRecord record;
    record.fileName = "even.csv";
    record.columns[static_cast<std::size_t>(Variable::Et0)] = 2;
    record.columns[static_cast<std::size_t>(Variable::Rain)] = 3;
    int line = 2;
    for (Date date = first; date <= last; date += std::chrono::days{1}) {
        Day day;
        day.date = date;
        day.line = line++;
        day[Variable::Et0] = 2.0;
        day[Variable::Rain] = 1.0;
        record.days.push_back(day);
    }
    return record;
}

std::vector<WeatherStep> Steps(const StationRecord& record, const StepOptions& steps) {
    WeatherOptions options;
    options.steps = steps;
    return ComputeWeather(record, options).steps;
}

std::string Refusal(const StationRecord& record, const StepOptions& steps) {
    try {
        Steps(record, steps);
    } catch (const std::exception& error) {
        return error.what();
    }
    return "accepted";
}

TEST(TimeSteps, MonthStepsAreCalendarMonthsFromTheFirstCompleteMonth) {
    StepOptions options;
    options.tstLength = 30;
    options.kc = ConstantKc("0.8");
    const auto steps = Steps(Even(On(2001, 1, 15), On(2001, 3, 31)), options);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(IsoText(steps[0].start), "2001-02-01");
    EXPECT_EQ(IsoText(steps[0].end), "2001-02-28");
    EXPECT_EQ(steps[0].days, 28);
    EXPECT_DOUBLE_EQ(steps[0].rain, 28.0);
    EXPECT_DOUBLE_EQ(steps[0].et0, 56.0);
    EXPECT_NEAR(steps[0].evap, 0.8 * 56.0, 1e-9);
    EXPECT_DOUBLE_EQ(steps[0].kc, 0.8);
    EXPECT_EQ(steps[1].days, 31);
    EXPECT_DOUBLE_EQ(steps[1].rain, 31.0);
}

TEST(TimeSteps, YearStepsAreTwelveMonthsFromTheStartMonth) {
    StepOptions options;
    options.tstLength = 360;
    options.start = On(2001, 10, 1);
    const auto steps = Steps(Even(On(2001, 1, 1), On(2003, 6, 30)), options);
    // October 2001 to September 2002; the next hydrological year ends after the record.
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(IsoText(steps[0].end), "2002-09-30");
    EXPECT_EQ(steps[0].days, 365);
    EXPECT_DOUBLE_EQ(steps[0].rain, 365.0);
}

TEST(TimeSteps, WeekAndDayStepsStartOnTheFirstDay) {
    StepOptions options;
    options.tstLength = 7;
    const auto weeks = Steps(Even(On(2001, 1, 3), On(2001, 1, 19)), options);
    ASSERT_EQ(weeks.size(), 2u);
    EXPECT_EQ(IsoText(weeks[1].start), "2001-01-10");
    EXPECT_EQ(IsoText(weeks[1].end), "2001-01-16");
    options.tstLength = 1;
    EXPECT_EQ(Steps(Even(On(2001, 1, 3), On(2001, 1, 19)), options).size(), 17u);
}

TEST(TimeSteps, MonthlyKcAppliesToEachDayOfItsMonth) {
    StepOptions options;
    options.tstLength = 7;
    options.start = On(2001, 1, 29);
    std::istringstream kcFile(
        "month,kc\n1,0.5\n2,1.0\n3,1\n4,1\n5,1\n6,1\n7,1\n8,1\n9,1\n10,1\n11,1\n12,1\n");
    options.kc = ReadKcCsv(kcFile, "kc.csv");
    const auto steps = Steps(Even(On(2001, 1, 1), On(2001, 2, 28)), options);
    // 29 to 31 January at 0.5 x 2 mm, 1 to 4 February at 1.0 x 2 mm: 3 + 8 = 11 mm of 14.
    EXPECT_DOUBLE_EQ(steps[0].evap, 11.0);
    EXPECT_DOUBLE_EQ(steps[0].kc, 11.0 / 14.0);
}

TEST(TimeSteps, PeriodsTheRecordDoesNotCoverAreRefusedNamingTheStep) {
    StepOptions options;
    options.tstLength = 30;
    options.start = On(2001, 1, 1);
    EXPECT_EQ(Refusal(Even(On(2001, 1, 15), On(2001, 3, 31)), options),
              "step 1 (2001-01-01 to 2001-01-31) is not covered: even.csv begins on 2001-01-15");
    options.start.reset();
    options.steps = 3;
    EXPECT_EQ(Refusal(Even(On(2001, 1, 15), On(2001, 3, 31)), options),
              "step 3 (2001-04-01 to 2001-04-30) is not covered: even.csv ends on 2001-03-31");
    options.steps = 0;
    options.start = On(2001, 2, 15);
    EXPECT_EQ(Refusal(Even(On(2001, 1, 15), On(2001, 3, 31)), options),
              "the start 2001-02-15: a month step begins on the first day of a month");
}

TEST(TimeSteps, KcFilesAreCheckedLineByLine) {
    const auto refusal = [](const std::string& text) {
        std::istringstream in(text);
        try {
            ReadKcCsv(in, "kc.csv");
        } catch (const std::exception& error) {
            return std::string(error.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(refusal("month,kc\n13,1\n"), "kc.csv, line 2, column 1: '13' is not a month 1 to 12");
    EXPECT_EQ(refusal("step,kc\n1,1.1\n3,1\n"),
              "kc.csv, line 3, column 1: step 3 where step 2 comes next");
    EXPECT_EQ(refusal("step,kc\n1,x\n"),
              "kc.csv, line 2, column 2: Kc: 'x' is not a valid floating point value");
    EXPECT_EQ(refusal("month,kc\n1,1\n"),
              "kc.csv: month 2 has no Kc; a month file gives all twelve");
    EXPECT_THROW(ConstantKc("2.5"), std::exception);
}

TEST(GapFilling, AMissingDayIsRefusedNamingItUnlessFilled) {
    StationRecord record = Even(On(2001, 1, 1), On(2001, 1, 10));
    record.days.erase(record.days.begin() + 4);  // 5 January
    StepOptions options;
    options.tstLength = 1;
    EXPECT_EQ(Refusal(record, options),
              "even.csv, line 7: 2001-01-05 missing from the record (between lines 5 and 7); "
              "linear filling estimates gaps of up to 3 days");
    WeatherOptions filled;
    filled.steps = options;
    filled.fill.linear = true;
    record.days[3][Variable::Rain] = 4.0;   // 4 January
    record.days[4][Variable::Rain] = 10.0;  // 6 January
    const WeatherResult result = ComputeWeather(record, filled);
    ASSERT_EQ(result.days.size(), 10u);
    // Halfway between 4 and 10 mm.
    EXPECT_DOUBLE_EQ(result.days[4].rain, 7.0);
    EXPECT_DOUBLE_EQ(result.days[4].et0, 2.0);
    EXPECT_EQ(EstimatedText(result.days[4].estimated), "day rain et0");
    EXPECT_EQ(result.steps[4].estimatedDays, 1);
    EXPECT_EQ(result.steps[3].estimatedDays, 0);
}

TEST(GapFilling, AMissingDateOfARecordThatGivesEt0AndTemperaturesTakesEt0FromItsNeighbours) {
    StationRecord record = Even(On(2001, 1, 1), On(2001, 1, 5));
    record.columns[static_cast<std::size_t>(Variable::Tmax)] = 4;
    record.columns[static_cast<std::size_t>(Variable::Tmin)] = 5;
    record.days[1][Variable::Et0] = 3.0;         // 2 January
    record.days[3][Variable::Et0] = 4.0;         // 4 January
    record.days.erase(record.days.begin() + 2);  // 3 January
    WeatherOptions options;
    options.steps.tstLength = 1;
    options.fill.linear = true;
    const WeatherResult result = ComputeWeather(record, options);
    // Halfway between 3 and 4 mm; no temperature was needed, none was made up.
    EXPECT_DOUBLE_EQ(result.days[2].et0, 3.5);
    EXPECT_EQ(EstimatedText(result.days[2].estimated), "day rain et0");
}

TEST(GapFilling, GapsLongerThanTheLimitOrAtTheEndsAreRefused) {
    StationRecord record = Even(On(2001, 1, 1), On(2001, 1, 10));
    for (int k = 2; k <= 5; ++k)
        record.days[static_cast<std::size_t>(k)][Variable::Rain] = kNoValue;
    WeatherOptions options;
    options.steps.tstLength = 1;
    options.fill.linear = true;
    try {
        ComputeWeather(record, options);
        FAIL() << "a gap of four days was filled";
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(),
                     "even.csv, line 4, column 3: rain is missing on 2001-01-03 and 3 days after "
                     "it, a gap longer than 3 days, the longest gap filled");
    }
    options.fill.maxGap = 4;
    const WeatherResult result = ComputeWeather(record, options);
    // 1 mm on either side: 1 mm in between.
    EXPECT_DOUBLE_EQ(result.days[3].rain, 1.0);
    record.days[0][Variable::Rain] = kNoValue;
    EXPECT_THROW(ComputeWeather(record, options), std::exception);
}

// Brussels' day of FAO-56's example 18 through Hargreaves, whose change with the temperature is
// worked out by hand below.
StationRecord OneWarmDay() {
    std::istringstream in("date,tmax,tmin,rain\n2001-07-06,21.5,12.3,10\n");
    return ReadStationCsv(in, "day.csv");
}

TEST(DeltaChange, ShiftsTemperaturesAndScalesRainByTheirDeltas) {
    WeatherOptions options;
    options.station.latitude = 50.8;
    options.station.elevation = 100;
    options.station.method = Method::Hargreaves;
    options.steps.tstLength = 1;
    const WeatherResult baseline = ComputeWeather(OneWarmDay(), options);
    options.deltas = {ParseDelta("tmax=+2"), ParseDelta("tmin=+2"), ParseDelta("rain=-10%")};
    const WeatherResult scenario = ComputeWeather(OneWarmDay(), options);
    EXPECT_DOUBLE_EQ(scenario.steps[0].rain, 9.0);
    EXPECT_DOUBLE_EQ(scenario.days[0].tmax, 23.5);
    // Both ends 2 degrees warmer: the mean rises by 2 and the range stays 9.2, so eq. 52 grows by
    // 0.0023 x 2 x sqrt(9.2) x 0.408 x 41.09 = 0.2339 mm/day.
    EXPECT_NEAR(scenario.days[0].et0 - baseline.days[0].et0, 0.2339, 0.0001);
    // Only the deltas differ.
    EXPECT_DOUBLE_EQ(baseline.steps[0].rain, 10.0);
}

TEST(DeltaChange, MonthlyDeltasApplyInTheirMonthOnly) {
    std::istringstream in("month,variable,change\n7,rain,+50%\n8,rain,-50%\n");
    WeatherOptions options;
    options.station.latitude = 50.8;
    options.steps.tstLength = 1;
    options.deltas = ReadDeltaCsv(in, "deltas.csv");
    EXPECT_DOUBLE_EQ(ComputeWeather(OneWarmDay(), options).steps[0].rain, 15.0);
}

TEST(DeltaChange, RefusesChangesThatMeanNothing) {
    const auto refusal = [](const std::string& text) {
        try {
            ParseDelta(text);
        } catch (const std::exception& error) {
            return std::string(error.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(refusal("tmax=+10%"),
              "tmax: a temperature changes by degrees (tmax=+2), not by a percentage");
    EXPECT_EQ(refusal("rain=-120%"), "rain: a change of -120% would make the values negative");
    EXPECT_EQ(refusal("snow=+2").substr(0, 36), "'snow' is not a weather variable; th");
    EXPECT_EQ(refusal("tmax"),
              "'tmax' is not a delta of the form VARIABLE=CHANGE (tmax=+2, rain=-10%)");
    // A delta that carries Tmin above Tmax names the day.
    WeatherOptions options;
    options.steps.tstLength = 1;
    options.deltas = {ParseDelta("tmin=+10")};
    try {
        ComputeWeather(OneWarmDay(), options);
        FAIL() << "tmin above tmax accepted";
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(),
                     "day.csv, line 2, column 3: tmin 22.3 is above tmax 21.5 of the same day "
                     "(after the delta change)");
    }
}

InputData MonthProject(int steps) {
    InputData data;
    data.TstLength = 30;
    data.NrTst = data.HydrRows = steps;
    for (Series* s : {&data.Rain, &data.Irrig, &data.Evap, &data.IrrSal}) SizeSeries(*s, steps);
    for (int i = 1; i <= steps; ++i) data.Irrig[static_cast<std::size_t>(i)] = 100.0 * i;
    return data;
}

TEST(ProjectWeather, ReplacesRainAndEvaporationAndCutsTheOtherSeries) {
    StepOptions options;
    options.tstLength = 30;
    const auto steps = Steps(Even(On(2001, 1, 1), On(2001, 2, 28)), options);
    InputData data = MonthProject(3);
    const auto messages = ApplyWeather(data, steps, 30);
    EXPECT_EQ(data.NrTst, 2);
    EXPECT_EQ(data.HydrRows, 2);
    ASSERT_EQ(data.Rain.size(), 3u);
    EXPECT_DOUBLE_EQ(data.Rain[1], 31.0);
    EXPECT_DOUBLE_EQ(data.Evap[2], 56.0);
    EXPECT_DOUBLE_EQ(data.Irrig[2], 200.0);
    EXPECT_EQ(data.Irrig.size(), 3u);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0],
              "the project's 3 steps are cut to the 2 the record covers: its irrigation, "
              "irrigation salinity and measured salinities of steps 3 to 3 are left out");
}

TEST(ProjectWeather, ALongerRecordFillsTheProjectsStepsAndSaysSo) {
    StepOptions options;
    options.tstLength = 30;
    const auto steps = Steps(Even(On(2001, 1, 1), On(2001, 4, 30)), options);
    InputData data = MonthProject(2);
    const auto messages = ApplyWeather(data, steps, 30);
    EXPECT_EQ(data.NrTst, 2);
    EXPECT_DOUBLE_EQ(data.Rain[2], 28.0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("cannot be extended"), std::string::npos);
    EXPECT_THROW(ApplyWeather(data, steps, 7), std::exception);
}

}  // namespace
}  // namespace halosoil::weather
