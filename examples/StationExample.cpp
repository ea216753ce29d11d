// A made-up weather station for the example of the weather command: two years of daily records
// of a hot semi-arid plain (30 deg N, 150 m), with the seasons, rain in showers, and the gaps
// real records have: a week without the humidity sensor, a day missing altogether.
#include <cmath>
#include <cstdio>
#include <iostream>
#include <numbers>
#include <random>
#include <string>

#include "AtomicFile.h"
#include "StationExample.h"

namespace halosoil::examples {

void WriteStationExample(const char* name) {
    std::mt19937 random(2001);
    std::normal_distribution<double> noise(0, 1);
    std::uniform_real_distribution<double> chance(0, 1);
    std::string text = "date,tmax,tmin,rh_max,rh_min,wind,sunshine,rain\n";
    const int daysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int dayOfYear = 0;
    for (int year = 2001; year <= 2002; ++year) {
        dayOfYear = 0;
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= daysInMonth[month - 1]; ++day) {
                ++dayOfYear;
                // The warmest days in the middle of June, the driest air in May, the monsoon's
                // showers from July to September.
                const double season = std::sin(2.0 * std::numbers::pi * (dayOfYear - 80) / 365.0);
                const double tmax =
                    std::round((30.0 + 10.0 * season + 2.0 * noise(random)) * 10) / 10;
                const double tmin = std::round((tmax - 13.0 + 1.5 * noise(random)) * 10) / 10;
                const bool monsoon = month >= 7 && month <= 9;
                const double rhMax =
                    std::round(std::fmin(100.0, (monsoon ? 90.0 : 70.0) + 5.0 * noise(random)));
                const double rhMin = std::round(rhMax * (monsoon ? 0.6 : 0.35));
                const double wind = std::round(std::fabs(2.5 + 0.8 * noise(random)) * 10) / 10;
                const double dayLength = 12.0 + 1.9 * season;
                // Cloudless hours stay below the day length.
                const double sunshine =
                    std::round(std::fmin(0.9 * dayLength,
                                         std::fmax(0.0, dayLength * (monsoon ? 0.55 : 0.8) +
                                                            noise(random))) *
                               10) /
                    10;
                const double rain =
                    chance(random) < (monsoon ? 0.35 : 0.05)
                        ? std::round(std::fabs(12.0 + 10.0 * noise(random)) * 10) / 10
                        : 0.0;
                // 10 March 2002 is missing altogether; 1 to 7 May 2001 have no humidity.
                if (year == 2002 && month == 3 && day == 10) continue;
                const bool noHumidity = year == 2001 && month == 5 && day <= 7;
                char line[160];
                std::snprintf(line, sizeof line, "%d-%02d-%02d,%.1f,%.1f,", year, month, day, tmax,
                              tmin);
                text += line;
                if (noHumidity) {
                    text += ",,";
                } else {
                    std::snprintf(line, sizeof line, "%.0f,%.0f,", rhMax, rhMin);
                    text += line;
                }
                std::snprintf(line, sizeof line, "%.1f,%.1f,%.1f\n", wind, sunshine, rain);
                text += line;
            }
        }
    }
    WriteFileAtomically(name, text);
    std::cout << "wrote " << name << '\n';
}

}  // namespace halosoil::examples
