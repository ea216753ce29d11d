// Days into the project's time steps. The step length decides the grouping: a month step sums
// calendar months, a year step twelve calendar months from its start month (a hydrological
// year), a week step seven days, a day step one day. Rain per step is the sum of the days'
// rain; evaporation the sum of Kc x ET0 over its days, Kc constant, per calendar month or per
// step.
#pragma once

#include <array>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "CalendarDate.h"
#include "ReferenceEvapotranspiration.h"

namespace halosoil::weather {

struct KcSchedule {
    enum class Kind { Constant, Monthly, PerStep };
    Kind kind = Kind::Constant;
    double constant = 1.0;
    std::array<double, 12> monthly{};  // January first
    std::vector<double> perStep;       // step 1 first
};

// A constant Kc from its text; throws naming the text when it is not a number of 0 to 2.
KcSchedule ConstantKc(const std::string& text);
// A file `month,kc` (twelve rows, each month once) or `step,kc` (steps 1, 2, ... in order);
// throws naming file, line and column.
KcSchedule ReadKcCsv(std::istream& in, const std::string& fileName);
KcSchedule ReadKcFile(const std::string& path);

struct StepOptions {
    int tstLength = 30;  // 360, 30, 7 or 1 days
    // The first day of step 1: by default the record's first day for day and week steps, the
    // first day of its first complete month for month and year steps.
    std::optional<Date> start;
    // The number of steps; 0 for every complete step the record covers.
    int steps = 0;
    KcSchedule kc;
};

// "year", "month", "week", "day" as a step length, or nothing.
std::optional<int> StepLengthNamed(const std::string& name);
const char* StepLengthName(int tstLength);

struct WeatherStep {
    int step = 0;
    Date start{};
    Date end{};  // the last day of the step
    int days = 0;
    double rain = 0;  // mm per step
    double et0 = 0;   // mm per step
    double kc = 0;    // the step's Kc; with monthly Kc the ET0-weighted mean of its days'
    double evap = 0;  // mm per step
    int estimatedDays = 0;
};

// The steps of the days (a complete record's, in order of date). A period the record does not
// cover is refused, naming the first step short of data; fileName names the record.
std::vector<WeatherStep> ToTimeSteps(const std::vector<DayEt0>& days, const StepOptions& options,
                                     const std::string& fileName);

}  // namespace halosoil::weather
