#include <gtest/gtest.h>

#include "InputFile.h"

namespace halosoil {
namespace {

InputData DailyIrrigation(std::vector<double> irrigation) {
    InputData data;
    data.NrTst = static_cast<int>(irrigation.size());
    data.TstLength = 1;
    data.Irrig = {0};
    data.Irrig.insert(data.Irrig.end(), irrigation.begin(), irrigation.end());
    return data;
}

TEST(IrrigationSpreadingTest, GiftFollowedByFourDryDaysIsSpreadOverFiveDays) {
    InputData data = DailyIrrigation({0, 0, 10, 0, 0, 0, 0, 0});
    PrepareIrrigSpread(data);
    const Series expected = {0, 0, 0, 2, 2, 2, 2, 2, 0};
    EXPECT_EQ(data.IrrigSpread, expected);
}

TEST(IrrigationSpreadingTest, GiftFollowedByOneDryDayAndAnotherGift) {
    InputData data = DailyIrrigation({0, 0, 10, 0, 6, 0, 0, 0});
    PrepareIrrigSpread(data);
    // Day 5's gift goes over days 5 to 7 only: day 8 is the last day and gets no share.
    const Series expected = {0, 0, 0, 5, 5, 2, 2, 2, 0};
    EXPECT_EQ(data.IrrigSpread, expected);
}

TEST(IrrigationSpreadingTest, TheDayAfterIsDryAtOneHundredthButLaterDaysOnlyBelow) {
    InputData dayAfter = DailyIrrigation({12, 0.01, 0.5, 1, 1, 1, 1});
    PrepareIrrigSpread(dayAfter);
    EXPECT_DOUBLE_EQ(dayAfter.IrrigSpread[1], 6);
    EXPECT_DOUBLE_EQ(dayAfter.IrrigSpread[2], 6);

    InputData laterDay = DailyIrrigation({12, 0, 0.01, 1, 1, 1, 1});
    PrepareIrrigSpread(laterDay);
    EXPECT_DOUBLE_EQ(laterDay.IrrigSpread[1], 6);
    EXPECT_DOUBLE_EQ(laterDay.IrrigSpread[2], 6);
    EXPECT_DOUBLE_EQ(laterDay.IrrigSpread[3], 0.01);
}

TEST(IrrigationSpreadingTest, TheLastDayNeverReceivesAShare) {
    InputData data = DailyIrrigation({0, 0, 9, 0});
    PrepareIrrigSpread(data);
    // Day 3 is NrTst - 1: no test applies.
    const Series expected = {0, 0, 0, 9, 0};
    EXPECT_EQ(data.IrrigSpread, expected);
}

TEST(IrrigationSpreadingTest, LongerStepsCopyTheIrrigation) {
    InputData data = DailyIrrigation({0, 10, 0, 0, 0, 0});
    data.TstLength = 30;
    PrepareIrrigSpread(data);
    EXPECT_EQ(data.IrrigSpread, data.Irrig);
}

TEST(IrrigationSpreadingTest, ShortIrrigationSeriesCountsAsDry) {
    InputData data = DailyIrrigation({8, 0});
    data.NrTst = 6;
    PrepareIrrigSpread(data);
    ASSERT_EQ(data.IrrigSpread.size(), 7u);
    EXPECT_DOUBLE_EQ(data.IrrigSpread[1], 8.0 / 5);
    EXPECT_DOUBLE_EQ(data.IrrigSpread[5], 8.0 / 5);
    EXPECT_DOUBLE_EQ(data.IrrigSpread[6], 0);
}

}  // namespace
}  // namespace halosoil
