// FAO-56's equations against the publication's worked examples (Allen et al. 1998): each
// expected value is the one the publication prints, to the digits it prints.
#include <gtest/gtest.h>

#include <cmath>

#include "Fao56.h"
#include "ReferenceEvapotranspiration.h"

namespace halosoil::weather {
namespace {

using namespace fao56;

// Example 18: Brussels (50 deg 48' N, 100 m), 6 July (J = 187): Tmax 21.5, Tmin 12.3, RHmax 84,
// RHmin 63, wind 10 km/h at 10 m, 9.25 hours of sunshine.
constexpr double kBrusselsLatitude = 50.0 + 48.0 / 60.0;
constexpr int kSixthOfJuly = 187;
constexpr double kWindAtTenMetres = 10.0 / 3.6;

TEST(Fao56, AtmosphereOfExamplesTwoAndEighteen) {
    // Example 2: 1800 m above sea level.
    EXPECT_NEAR(AtmosphericPressure(1800), 81.8, 0.05);
    EXPECT_NEAR(PsychrometricConstant(AtmosphericPressure(1800)), 0.054, 0.0005);
    // Example 18: 100 m.
    EXPECT_NEAR(AtmosphericPressure(100), 100.1, 0.05);
    EXPECT_NEAR(PsychrometricConstant(AtmosphericPressure(100)), 0.0666, 0.00005);
}

TEST(Fao56, VapourPressuresOfExamplesThreeAndFive) {
    // Example 3: Tmax 24.5, Tmin 15.
    EXPECT_NEAR(SaturationVapourPressure(24.5), 3.075, 0.0005);
    EXPECT_NEAR(SaturationVapourPressure(15.0), 1.705, 0.0005);
    EXPECT_NEAR(MeanSaturationVapourPressure(24.5, 15.0), 2.39, 0.005);
    // Example 5: Tmin 18, Tmax 25, RHmax 82, RHmin 54: e(18) = 2.064, e(25) = 3.168, so
    // ea = (2.064 x 0.82 + 3.168 x 0.54) / 2 = 1.702; RHmax alone 2.064 x 0.82 = 1.692;
    // RHmean 68: 0.68 x (2.064 + 3.168) / 2 = 1.779.
    EXPECT_NEAR(VapourPressureFromRhExtremes(25, 18, 82, 54), 1.702, 0.0005);
    EXPECT_NEAR(VapourPressureFromRhMax(18, 82), 1.692, 0.0005);
    EXPECT_NEAR(VapourPressureFromRhMean(25, 18, 68), 1.779, 0.0005);
    // Example 18's Delta at Tmean 16.9.
    EXPECT_NEAR(SlopeOfVapourPressureCurve(16.9), 0.122, 0.0005);
}

TEST(Fao56, SunOfExamplesEightAndNine) {
    // 3 September (J = 246) at 20 deg S: dr 0.985, declination 0.120, ws 1.527, Ra 32.2, N 11.7.
    const double latitude = Radians(-20.0);
    EXPECT_NEAR(InverseRelativeDistance(246), 0.985, 0.0005);
    EXPECT_NEAR(SolarDeclination(246), 0.120, 0.0005);
    EXPECT_NEAR(SunsetHourAngle(latitude, SolarDeclination(246)), 1.527, 0.0005);
    EXPECT_NEAR(ExtraterrestrialRadiation(latitude, 246), 32.2, 0.05);
    EXPECT_NEAR(DaylightHours(latitude, 246), 11.7, 0.05);
}

TEST(Fao56, PolarDaysHaveTwentyFourOrNoHoursOfSun) {
    EXPECT_DOUBLE_EQ(DaylightHours(Radians(80.0), kSixthOfJuly), 24.0);
    EXPECT_DOUBLE_EQ(DaylightHours(Radians(80.0), 1), 0.0);
    EXPECT_DOUBLE_EQ(ExtraterrestrialRadiation(Radians(80.0), 1), 0.0);
}

TEST(Fao56, RadiationOfExamplesElevenAndFifteen) {
    // Example 11, Rio de Janeiro in May: Tmax 25.1, Tmin 19.1, ea 2.1, Rs 14.5, Ra 25.1 at sea
    // level: Rso 18.8, Rnl 3.5, Rn 11.1 - 3.5 = 7.6.
    const double rso = ClearSkyRadiation(0, 25.1);
    EXPECT_NEAR(rso, 18.8, 0.05);
    const double rnl = NetLongwaveRadiation(25.1, 19.1, 2.1, 14.5, rso);
    EXPECT_NEAR(rnl, 3.5, 0.05);
    EXPECT_NEAR(NetShortwaveRadiation(14.5) - rnl, 7.6, 0.05);
    // Example 15, Lyon in July: Tmax 26.6, Tmin 14.8, Ra 40.6, inland: Rs 22.3.
    EXPECT_NEAR(SolarRadiationFromTemperature(26.6, 14.8, 40.6, kHargreavesInland), 22.3, 0.05);
}

TEST(Fao56, WindOfExampleFourteen) {
    // 3.2 m/s at 10 m is 2.4 m/s at 2 m.
    EXPECT_NEAR(WindAtTwoMetres(3.2, 10), 2.4, 0.05);
    EXPECT_DOUBLE_EQ(WindAtTwoMetres(3.2, 2), 3.2 * 4.87 / std::log(67.8 * 2 - 5.42));
}

TEST(Fao56, IntermediatesOfTheDailyExampleEighteen) {
    const double latitude = Radians(kBrusselsLatitude);
    const double ra = ExtraterrestrialRadiation(latitude, kSixthOfJuly);
    EXPECT_NEAR(ra, 41.09, 0.005);
    const double daylight = DaylightHours(latitude, kSixthOfJuly);
    EXPECT_NEAR(daylight, 16.1, 0.05);
    const double rs = SolarRadiationFromSunshine(9.25, daylight, ra);
    EXPECT_NEAR(rs, 22.07, 0.005);
    const double rso = ClearSkyRadiation(100, ra);
    EXPECT_NEAR(rso, 30.90, 0.005);
    EXPECT_NEAR(NetShortwaveRadiation(rs), 17.00, 0.005);
    const double ea = VapourPressureFromRhExtremes(21.5, 12.3, 84, 63);
    EXPECT_NEAR(ea, 1.409, 0.0005);
    EXPECT_NEAR(MeanSaturationVapourPressure(21.5, 12.3), 1.997, 0.0005);
    const double rnl = NetLongwaveRadiation(21.5, 12.3, ea, rs, rso);
    EXPECT_NEAR(rnl, 3.71, 0.005);
    EXPECT_NEAR(NetShortwaveRadiation(rs) - rnl, 13.28, 0.005);
    EXPECT_NEAR(WindAtTwoMetres(kWindAtTenMetres, 10), 2.078, 0.0005);
}

StationRecord BrusselsRecord() {
    StationRecord record;
    record.fileName = "brussels.csv";
    Day day;
    day.date = Date{std::chrono::year{2001} / std::chrono::July / 6};
    day.line = 2;
    day[Variable::Tmax] = 21.5;
    day[Variable::Tmin] = 12.3;
    day[Variable::RhMax] = 84;
    day[Variable::RhMin] = 63;
    day[Variable::Wind] = kWindAtTenMetres;
    day[Variable::Sunshine] = 9.25;
    day[Variable::Rain] = 0;
    record.days.push_back(day);
    return record;
}

Station Brussels() {
    Station station;
    station.latitude = kBrusselsLatitude;
    station.elevation = 100;
    station.windHeight = 10;
    return station;
}

TEST(ReferenceEvapotranspiration, DailyExampleEighteenGivesThreePointNine) {
    const std::vector<DayEt0> days = ReferenceEvapotranspiration(BrusselsRecord(), Brussels());
    ASSERT_EQ(days.size(), 1u);
    EXPECT_NEAR(days[0].et0, 3.9, 0.05);
    EXPECT_NEAR(days[0].ea, 1.409, 0.0005);
    EXPECT_NEAR(days[0].wind, 2.078, 0.0005);
    EXPECT_NEAR(days[0].radiation, 22.07, 0.005);
    EXPECT_EQ(days[0].estimated, 0u);
}

TEST(ReferenceEvapotranspiration, MissingHumidityWindAndRadiationFollowFao56sRules) {
    StationRecord record = BrusselsRecord();
    Day& day = record.days[0];
    for (Variable v : {Variable::RhMax, Variable::RhMin, Variable::Wind, Variable::Sunshine})
        day[v] = kNoValue;
    const std::vector<DayEt0> days = ReferenceEvapotranspiration(record, Brussels());
    // By hand from the example's published values: ea = e(Tmin) = 1.431 (eq. 48); u2 = 2 m/s;
    // Rs = 0.16 sqrt(21.5 - 12.3) 41.09 = 19.94 (eq. 50); Rso = 30.90, so Rs/Rso = 0.6453;
    // sigma Tk^4 averaged: 4.903e-9 (294.66^4 + 285.46^4) / 2 = 34.76;
    // Rnl = 34.76 (0.34 - 0.14 sqrt(1.431)) (1.35 x 0.6453 - 0.35) = 3.126;
    // Rn = 0.77 x 19.94 - 3.126 = 12.228; with Delta 0.1221, gamma 0.06658, es 1.9975:
    // ET0 = (0.408 x 0.1221 x 12.228 + 0.06658 x 900 / 289.9 x 2 x (1.9975 - 1.431))
    //       / (0.1221 + 0.06658 x 1.68) = (0.6092 + 0.2342) / 0.2340 = 3.605.
    EXPECT_NEAR(days[0].ea, 1.431, 0.0005);
    EXPECT_DOUBLE_EQ(days[0].wind, 2.0);
    EXPECT_NEAR(days[0].radiation, 19.94, 0.005);
    EXPECT_NEAR(days[0].et0, 3.605, 0.005);
    EXPECT_EQ(EstimatedText(days[0].estimated), "humidity wind radiation");
}

TEST(ReferenceEvapotranspiration, CoastalStationsTakeTheLargerRadiationCoefficient) {
    StationRecord record = BrusselsRecord();
    record.days[0][Variable::Sunshine] = kNoValue;
    Station station = Brussels();
    station.coastal = true;
    // Rs = 0.19 sqrt(9.2) 41.09 = 23.68.
    EXPECT_NEAR(ReferenceEvapotranspiration(record, station)[0].radiation, 23.68, 0.005);
}

TEST(ReferenceEvapotranspiration, HumidityIsTakenInFao56sOrderOfPreference) {
    StationRecord record = BrusselsRecord();
    Day& day = record.days[0];
    // A dew point comes before the relative humidities: e(10) = 1.228.
    day[Variable::Tdew] = 10.0;
    EXPECT_NEAR(ReferenceEvapotranspiration(record, Brussels())[0].ea, 1.228, 0.0005);
    // A given ea comes before everything.
    day[Variable::Ea] = 1.1;
    EXPECT_DOUBLE_EQ(ReferenceEvapotranspiration(record, Brussels())[0].ea, 1.1);
    // RHmean without the extremes: 0.70 x 1.997 = 1.398.
    day[Variable::Ea] = day[Variable::Tdew] = day[Variable::RhMax] = day[Variable::RhMin] =
        kNoValue;
    day[Variable::RhMean] = 70;
    EXPECT_NEAR(ReferenceEvapotranspiration(record, Brussels())[0].ea, 1.398, 0.0005);
}

TEST(ReferenceEvapotranspiration, HargreavesOfTheSameDay) {
    Station station = Brussels();
    station.method = Method::Hargreaves;
    // Eq. 52: 0.0023 (16.9 + 17.8) sqrt(9.2) (0.408 x 41.09) = 0.0023 x 34.7 x 3.0332 x 16.765
    // = 4.058.
    EXPECT_NEAR(ReferenceEvapotranspiration(BrusselsRecord(), station)[0].et0, 4.058, 0.001);
}

TEST(ReferenceEvapotranspiration, GivenEt0IsTakenAsItIs) {
    StationRecord record = BrusselsRecord();
    record.days[0][Variable::Et0] = 5.25;
    EXPECT_DOUBLE_EQ(ReferenceEvapotranspiration(record, Brussels())[0].et0, 5.25);
}

TEST(ReferenceEvapotranspiration, SunshineBeyondTheDayLengthIsRefusedNamingLineAndColumn) {
    StationRecord record = BrusselsRecord();
    record.columns[static_cast<std::size_t>(Variable::Sunshine)] = 7;
    record.days[0][Variable::Sunshine] = 16.5;
    try {
        ReferenceEvapotranspiration(record, Brussels());
        FAIL() << "a sunshine of 16.5 h on a day of 16.1 h was accepted";
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(),
                     "brussels.csv, line 2, column 7: sunshine 16.5 h is more than the day length "
                     "of 16.1 h at latitude 50.8 on 2001-07-06");
    }
}

TEST(ReferenceEvapotranspiration, ThePolarNightHasNoSunAndNoNegativeEvapotranspiration) {
    StationRecord record = BrusselsRecord();
    Day& day = record.days[0];
    day.date = Date{std::chrono::year{2001} / std::chrono::January / 1};
    day[Variable::Tmax] = -20;
    day[Variable::Tmin] = -30;
    day[Variable::Sunshine] = 0;
    Station station = Brussels();
    station.latitude = 80;
    const DayEt0 result = ReferenceEvapotranspiration(record, station)[0];
    EXPECT_DOUBLE_EQ(result.radiation, 0.0);
    // Only longwave losses and dry air: the radiation term is negative, and so may be the sum,
    // which the project never takes below 0.
    EXPECT_TRUE(std::isfinite(result.et0));
    EXPECT_GE(result.et0, 0.0);
}

TEST(ReferenceEvapotranspiration, StationsBeyondTheEarthAreRefused) {
    Station station = Brussels();
    station.latitude = 91;
    EXPECT_THROW(ReferenceEvapotranspiration(BrusselsRecord(), station), std::exception);
    station = Brussels();
    station.windHeight = 0;
    EXPECT_THROW(ReferenceEvapotranspiration(BrusselsRecord(), station), std::exception);
}

}  // namespace
}  // namespace halosoil::weather
