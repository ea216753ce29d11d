#include "GapFilling.h"

#include "Errors.h"
#include "StationFile.h"

namespace halosoil::weather {

namespace {

std::string FillHint(const FillOptions& options) {
    if (!options.linear)
        return "; linear filling estimates gaps of up to " + std::to_string(options.maxGap) +
               " days";
    return "";
}

// Whether the day lacks a value that the calculation needs.
bool LacksRequired(const StationRecord& record, const Day& day) {
    if (!Has(day[Variable::Rain])) return true;
    if (Has(day[Variable::Et0])) return false;
    if (!record.HasColumn(Variable::Tmax) || !record.HasColumn(Variable::Tmin)) return true;
    return !Has(day[Variable::Tmax]) || !Has(day[Variable::Tmin]);
}

// The record with a Day for every date, those of missing dates empty and flagged.
StationRecord WithEveryDate(const StationRecord& record, const FillOptions& options) {
    StationRecord complete;
    complete.fileName = record.fileName;
    complete.columns = record.columns;
    complete.warnings = record.warnings;
    complete.days.reserve(
        static_cast<std::size_t>((record.days.back().date - record.days.front().date).count() + 1));
    for (std::size_t k = 0; k < record.days.size(); ++k) {
        const Day& day = record.days[k];
        if (k > 0) {
            const Day& before = record.days[k - 1];
            const int missing = static_cast<int>((day.date - before.date).count()) - 1;
            if (missing > 0) {
                const std::string dates =
                    missing == 1 ? IsoText(before.date + std::chrono::days{1})
                                 : IsoText(before.date + std::chrono::days{1}) + " to " +
                                       IsoText(day.date - std::chrono::days{1});
                // A record read from a file names the lines around the gap; one made otherwise
                // (a frame of Python's) has none.
                if (!options.linear && day.line > 0 && before.line > 0)
                    throw HalosoilError(record.fileName + ", line " + std::to_string(day.line) +
                                        ": " + dates + " missing from the record (between lines " +
                                        std::to_string(before.line) + " and " +
                                        std::to_string(day.line) + ")" + FillHint(options));
                if (!options.linear)
                    throw HalosoilError(record.fileName + ": " + dates +
                                        " missing from the record" + FillHint(options));
                for (int m = 1; m <= missing; ++m) {
                    Day gap;
                    gap.date = before.date + std::chrono::days{m};
                    gap.filled = kDayFilled;
                    complete.days.push_back(gap);
                }
            }
        }
        complete.days.push_back(day);
    }
    return complete;
}

// Fills one variable's gaps linearly in time, or refuses the first gap it may not fill.
// With skipWhereEt0 a gap of days that all have their ET0 given is left as it is: nothing
// needs the variable there.
void FillVariable(StationRecord& record, Variable variable, unsigned flag,
                  const FillOptions& options, bool skipWhereEt0 = false) {
    std::vector<Day>& days = record.days;
    const std::size_t n = days.size();
    std::size_t k = 0;
    while (k < n) {
        if (Has(days[k][variable])) {
            ++k;
            continue;
        }
        std::size_t end = k;
        while (end < n && !Has(days[end][variable])) ++end;
        const int length = static_cast<int>(end - k);
        bool needed = !skipWhereEt0;
        for (std::size_t g = k; g < end && !needed; ++g) needed = !Has(days[g][Variable::Et0]);
        if (!needed) {
            k = end;
            continue;
        }
        const std::string name = InfoOf(variable).name;
        const auto refuse = [&](const std::string& why) {
            throw HalosoilError(PlaceOf(record, days[k], variable) + ": " + name +
                                " is missing on " + IsoText(days[k].date) + why);
        };
        if (!options.linear) refuse(FillHint(options));
        if (k == 0)
            refuse(" at the start of the record, where no earlier day lies to fill it from");
        if (end == n) refuse(" at the end of the record, where no later day lies to fill it from");
        if (length > options.maxGap)
            refuse(" and " + std::to_string(length - 1) + " days after it, a gap longer than " +
                   std::to_string(options.maxGap) + " days, the longest gap filled");
        const double before = days[k - 1][variable];
        const double after = days[end][variable];
        for (std::size_t g = k; g < end; ++g) {
            const double share = static_cast<double>(g - k + 1) / static_cast<double>(length + 1);
            days[g][variable] = before + (after - before) * share;
            days[g].filled |= flag;
        }
        k = end;
    }
}

// ET0 of each run of dates gap filling made, linear between the days on either side when both
// give it; runs without such neighbours are left to the temperatures.
void FillMissingDatesEt0(StationRecord& record) {
    std::vector<Day>& days = record.days;
    const std::size_t n = days.size();
    for (std::size_t k = 0; k < n;) {
        if ((days[k].filled & kDayFilled) == 0) {
            ++k;
            continue;
        }
        std::size_t end = k;
        while (end < n && (days[end].filled & kDayFilled) != 0) ++end;
        if (k > 0 && end < n && Has(days[k - 1][Variable::Et0]) && Has(days[end][Variable::Et0])) {
            const double before = days[k - 1][Variable::Et0];
            const double after = days[end][Variable::Et0];
            const double length = static_cast<double>(end - k);
            for (std::size_t g = k; g < end; ++g) {
                const double share = static_cast<double>(g - k + 1) / (length + 1);
                days[g][Variable::Et0] = before + (after - before) * share;
                days[g].filled |= kEt0Filled;
            }
        }
        k = end;
    }
}

}  // namespace

bool IsComplete(const StationRecord& record) {
    for (std::size_t k = 0; k < record.days.size(); ++k) {
        if (k > 0 && record.days[k].date - record.days[k - 1].date != std::chrono::days{1})
            return false;
        if (LacksRequired(record, record.days[k])) return false;
    }
    return true;
}

StationRecord CompleteRecord(const StationRecord& record, const FillOptions& options) {
    if (record.days.empty()) throw HalosoilError(record.fileName + ": the record holds no day");
    StationRecord complete = WithEveryDate(record, options);
    // Days whose evapotranspiration is given need no temperatures.
    const bool et0Given = record.HasColumn(Variable::Et0);
    const bool temperatures = record.HasColumn(Variable::Tmax) && record.HasColumn(Variable::Tmin);
    if (temperatures) {
        // A date missing from a record that gives ET0 takes it from the days around it, as
        // the record's other values, where both give it; the temperatures then need no filling.
        if (et0Given) FillMissingDatesEt0(complete);
        FillVariable(complete, Variable::Tmax, kTmaxFilled, options, et0Given);
        FillVariable(complete, Variable::Tmin, kTminFilled, options, et0Given);
    } else {
        // A record of ET0 alone: its gaps are ET0's.
        FillVariable(complete, Variable::Et0, kEt0Filled, options);
    }
    FillVariable(complete, Variable::Rain, kRainFilled, options);
    for (const Day& day : complete.days)
        if (day.filled != 0) CheckDay(complete, day);
    return complete;
}

}  // namespace halosoil::weather
