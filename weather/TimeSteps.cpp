#include "TimeSteps.h"

#include "CsvText.h"
#include "Errors.h"
#include "StringToFloat.h"

namespace halosoil::weather {

namespace {

constexpr double kKcLimit = 2.0;

double KcValue(const std::string& text) {
    double kc = 0;
    try {
        kc = PointStringToFloat(text);
    } catch (const ConversionError& error) {
        throw HalosoilError(std::string("Kc: ") + error.what());
    }
    if (!(kc >= 0.0 && kc <= kKcLimit))
        throw HalosoilError("Kc " + TrimmedCell(text) + " lies outside 0 to 2");
    return kc;
}

// The end (exclusive) of the step that begins on start.
Date StepEnd(Date start, int tstLength) {
    switch (tstLength) {
        case 360:
            return MonthsLater(start, 12);
        case 30:
            return MonthsLater(start, 1);
        default:
            return start + std::chrono::days{tstLength};
    }
}

Date DefaultStart(Date first, int tstLength) {
    if (tstLength == 360 || tstLength == 30)
        return FirstOfMonth(first) == first ? first : FirstOfNextMonth(first);
    return first;
}

double DayKc(const KcSchedule& kc, Date date, int step) {
    switch (kc.kind) {
        case KcSchedule::Kind::Monthly:
            return kc.monthly[static_cast<std::size_t>(MonthOf(date) - 1)];
        case KcSchedule::Kind::PerStep:
            return kc.perStep[static_cast<std::size_t>(step - 1)];
        default:
            return kc.constant;
    }
}

[[noreturn]] void NotCovered(int step, Date start, Date end, const std::string& why) {
    throw HalosoilError("step " + std::to_string(step) + " (" + IsoText(start) + " to " +
                        IsoText(end - std::chrono::days{1}) + ") is not covered: " + why);
}

}  // namespace

KcSchedule ConstantKc(const std::string& text) {
    KcSchedule kc;
    kc.constant = KcValue(text);
    return kc;
}

KcSchedule ReadKcCsv(std::istream& in, const std::string& fileName) {
    const auto refuse = [&](int line, int column, const std::string& what) {
        RefuseAt(fileName, line, column, what);
    };
    CsvLines lines(in, fileName);
    KcSchedule kc;
    const std::string header = TrimmedCell(lines.Header());
    if (header == "month,kc")
        kc.kind = KcSchedule::Kind::Monthly;
    else if (header == "step,kc")
        kc.kind = KcSchedule::Kind::PerStep;
    else
        refuse(1, 0, "the header is 'month,kc' or 'step,kc', not '" + lines.Header() + "'");
    std::array<int, 12> lineOfMonth{};
    std::string line;
    while (lines.Next(line)) {
        const int lineNumber = lines.Number();
        const auto comma = line.find(',');
        if (comma == std::string::npos || line.find(',', comma + 1) != std::string::npos)
            refuse(lineNumber, 0, "a row has two cells, " + header);
        const std::string first = TrimmedCell(line.substr(0, comma));
        int index = 0;
        if (!TryStringToInt(first, index))
            refuse(lineNumber, 1,
                   "'" + first + "' is not a " +
                       (kc.kind == KcSchedule::Kind::Monthly ? "month" : "step"));
        double value = 0;
        try {
            value = KcValue(line.substr(comma + 1));
        } catch (const HalosoilError& error) {
            refuse(lineNumber, 2, error.what());
        }
        if (kc.kind == KcSchedule::Kind::Monthly) {
            if (index < 1 || index > 12)
                refuse(lineNumber, 1, "'" + first + "' is not a month 1 to 12");
            int& seen = lineOfMonth[static_cast<std::size_t>(index - 1)];
            if (seen != 0)
                refuse(lineNumber, 1,
                       "month " + first + " is given twice (also in line " + std::to_string(seen) +
                           ")");
            seen = lineNumber;
            kc.monthly[static_cast<std::size_t>(index - 1)] = value;
        } else {
            const int expected = static_cast<int>(kc.perStep.size()) + 1;
            if (index != expected)
                refuse(lineNumber, 1,
                       "step " + first + " where step " + std::to_string(expected) + " comes next");
            kc.perStep.push_back(value);
        }
    }
    if (kc.kind == KcSchedule::Kind::Monthly) {
        for (int m = 0; m < 12; ++m)
            if (lineOfMonth[static_cast<std::size_t>(m)] == 0)
                throw HalosoilError(fileName + ": month " + std::to_string(m + 1) +
                                    " has no Kc; a month file gives all twelve");
    } else if (kc.perStep.empty()) {
        throw HalosoilError(fileName + ": the file gives no step's Kc");
    }
    return kc;
}

KcSchedule ReadKcFile(const std::string& path) {
    std::ifstream in = OpenWeatherFile(path);
    return ReadKcCsv(in, path);
}

std::optional<int> StepLengthNamed(const std::string& name) {
    if (name == "year") return 360;
    if (name == "month") return 30;
    if (name == "week") return 7;
    if (name == "day") return 1;
    return std::nullopt;
}

const char* StepLengthName(int tstLength) {
    switch (tstLength) {
        case 360:
            return "year";
        case 30:
            return "month";
        case 7:
            return "week";
        case 1:
            return "day";
        default:
            return "step";
    }
}

std::vector<WeatherStep> ToTimeSteps(const std::vector<DayEt0>& days, const StepOptions& options,
                                     const std::string& fileName) {
    const int length = options.tstLength;
    if (length != 360 && length != 30 && length != 7 && length != 1)
        throw HalosoilError("a time step of " + std::to_string(length) +
                            " days cannot be grouped from calendar days; the step lengths are "
                            "year, month, week and day");
    if (days.empty()) throw HalosoilError(fileName + ": the record holds no day");
    if (options.steps < 0) throw HalosoilError("the number of steps is negative");
    const Date first = days.front().date;
    const Date last = days.back().date;
    const Date start = options.start ? *options.start : DefaultStart(first, length);
    if ((length == 360 || length == 30) && FirstOfMonth(start) != start)
        throw HalosoilError("the start " + IsoText(start) + ": a " + StepLengthName(length) +
                            " step begins on the first day of a month");
    if (options.kc.kind == KcSchedule::Kind::PerStep && options.steps > 0 &&
        static_cast<int>(options.kc.perStep.size()) < options.steps)
        throw HalosoilError("the Kc per step covers steps 1 to " +
                            std::to_string(options.kc.perStep.size()) + ", the project has " +
                            std::to_string(options.steps));

    std::vector<WeatherStep> steps;
    Date stepStart = start;
    std::size_t k = 0;
    while (options.steps == 0 || static_cast<int>(steps.size()) < options.steps) {
        const int number = static_cast<int>(steps.size()) + 1;
        const Date stepEnd = StepEnd(stepStart, length);
        if (stepStart < first)
            NotCovered(number, stepStart, stepEnd, fileName + " begins on " + IsoText(first));
        if (stepEnd - std::chrono::days{1} > last) {
            if (options.steps == 0 && !steps.empty()) break;
            NotCovered(number, stepStart, stepEnd, fileName + " ends on " + IsoText(last));
        }
        if (options.kc.kind == KcSchedule::Kind::PerStep &&
            number > static_cast<int>(options.kc.perStep.size())) {
            if (options.steps == 0) break;
        }
        while (days[k].date < stepStart) ++k;
        WeatherStep step;
        step.step = number;
        step.start = stepStart;
        step.end = stepEnd - std::chrono::days{1};
        double kcOfFirstDay = 0;
        for (; k < days.size() && days[k].date < stepEnd; ++k) {
            const DayEt0& day = days[k];
            const double kc = DayKc(options.kc, day.date, number);
            if (step.days == 0) kcOfFirstDay = kc;
            ++step.days;
            step.rain = step.rain + day.rain;
            step.et0 = step.et0 + day.et0;
            step.evap = step.evap + kc * day.et0;
            if (day.estimated != 0) ++step.estimatedDays;
        }
        switch (options.kc.kind) {
            case KcSchedule::Kind::Monthly:
                step.kc = step.et0 > 0.0 ? step.evap / step.et0 : kcOfFirstDay;
                break;
            default:
                step.kc = kcOfFirstDay;
        }
        steps.push_back(step);
        stepStart = stepEnd;
    }
    return steps;
}

}  // namespace halosoil::weather
