// halosoil-batch weather STATION.csv --latitude DEG --elevation M [--wind-height M] [--coastal]
//                       [--method penman-monteith|hargreaves] [--kc K | --kc-file F]
//                       [--start DATE] [--step year|month|week|day] [--steps N]
//                       [--fill linear] [--max-gap D] [--delta V=C...] [--delta-file F]
//                       [--into INPUT.inp -o NEW.inp] [-o STEPS.csv] [--days DAYS.csv]
//
// A station's daily record turned into time steps by FAO-56: the steps as CSV (to standard
// output unless -o is given), or, with --into, a project whose rain and evaporation are the
// steps'. The summary of what was read and estimated goes to standard error.
#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <ostream>

#include "BatchCommand.h"
#include "Errors.h"
#include "ProjectFiles.h"
#include "ProjectWeather.h"
#include "StationFile.h"
#include "StudyArguments.h"
#include "WeatherSteps.h"

namespace halosoil {

namespace {

struct WeatherArguments {
    std::string station;
    double latitude = 0;
    double elevation = 0;
    double windHeight = 2;
    bool coastal = false;
    std::string method = "penman-monteith";
    std::string kc;
    std::string kcFile;
    std::string start;
    std::string step;
    int steps = 0;
    std::string fill;
    int maxGap = 3;
    std::vector<std::string> deltas;
    std::string deltaFile;
    std::string into;
    std::string output;
    std::string days;
};

// The options as the library takes them; throws HalosoilError on a value it cannot take.
weather::WeatherOptions OptionsOf(const WeatherArguments& arguments, int tstLength) {
    weather::WeatherOptions options;
    options.station.latitude = arguments.latitude;
    options.station.elevation = arguments.elevation;
    options.station.windHeight = arguments.windHeight;
    options.station.coastal = arguments.coastal;
    options.station.method = arguments.method == "hargreaves" ? weather::Method::Hargreaves
                                                              : weather::Method::PenmanMonteith;
    weather::CheckStation(options.station);
    options.fill.linear = arguments.fill == "linear";
    options.fill.maxGap = arguments.maxGap;
    for (const std::string& text : arguments.deltas)
        options.deltas.push_back(weather::ParseDelta(text));
    if (!arguments.deltaFile.empty())
        for (const weather::Delta& delta : weather::ReadDeltaFile(arguments.deltaFile))
            options.deltas.push_back(delta);
    options.steps.tstLength = tstLength;
    options.steps.steps = arguments.steps;
    if (!arguments.start.empty()) {
        options.steps.start = weather::ParseIsoDate(arguments.start);
        if (!options.steps.start)
            throw HalosoilError("--start '" + arguments.start +
                                "' is not a date of the form YYYY-MM-DD");
    }
    if (!arguments.kcFile.empty())
        options.steps.kc = weather::ReadKcFile(arguments.kcFile);
    else if (!arguments.kc.empty())
        options.steps.kc = weather::ConstantKc(arguments.kc);
    return options;
}

// The step length: the project's with --into (a --step that differs is refused), else --step,
// else the month.
std::optional<int> StepLength(const WeatherArguments& arguments, const InputData* project,
                              std::ostream& errors) {
    const std::optional<int> named =
        arguments.step.empty() ? std::nullopt : weather::StepLengthNamed(arguments.step);
    if (project == nullptr) return named.value_or(30);
    if (named && *named != project->TstLength) {
        Refused(errors,
                "--step " + arguments.step + ": the time step of " + arguments.into + " is a " +
                    weather::StepLengthName(project->TstLength),
                kWrongUsage);
        return std::nullopt;
    }
    return project->TstLength;
}

int WriteProject(InputData project, const weather::WeatherResult& result, int tstLength,
                 const std::string& path, std::ostream& errors) {
    try {
        for (const std::string& message : weather::ApplyWeather(project, result.steps, tstLength))
            errors << "halosoil-batch: " << message << '\n';
    } catch (const HalosoilError& error) {
        return Refused(errors, error.what(), kInputInvalid);
    }
    project.InputFileName = path;
    return WriteProjectFile(project, errors) ? kOutputWritten : kInputInvalid;
}

int Weather(const WeatherArguments& arguments, const CommandStreams& streams) {
    if (!arguments.into.empty() && arguments.output.empty())
        return Refused(streams.errors, "--into INPUT.inp needs -o NEW.inp, the project to write",
                       kWrongUsage);
    if (!arguments.kc.empty() && !arguments.kcFile.empty())
        return Refused(streams.errors, "give either --kc or --kc-file", kWrongUsage);
    std::optional<InputData> project;
    if (!arguments.into.empty()) {
        project.emplace();
        project->InputFileName = arguments.into;
        if (!ReadProjectFile(*project, streams.errors)) return kInputInvalid;
        // The Kc of a step file and the steps fit the project.
    }
    const std::optional<int> tstLength =
        StepLength(arguments, project ? &*project : nullptr, streams.errors);
    if (!tstLength) return kWrongUsage;

    weather::WeatherOptions options;
    try {
        options = OptionsOf(arguments, *tstLength);
    } catch (const FileError& error) {
        return Refused(streams.errors, error.what(), kInputInvalid);
    } catch (const HalosoilError& error) {
        return Refused(streams.errors, error.what(), kWrongUsage);
    }
    weather::WeatherResult result;
    try {
        const weather::StationRecord record = weather::ReadStationFile(arguments.station);
        for (const std::string& warning : record.warnings)
            streams.errors << "halosoil-batch: " << warning << '\n';
        result = weather::ComputeWeather(record, options);
    } catch (const HalosoilError& error) {
        return Refused(streams.errors, error.what(), kInputInvalid);
    }
    streams.errors << "halosoil-batch: " << weather::WeatherSummary(result, options);

    if (!arguments.days.empty()) {
        const int status = WriteResult(weather::DaysCsvText(result.days), arguments.days, streams);
        if (status != kOutputWritten) return status;
    }
    if (project)
        return WriteProject(*project, result, *tstLength, arguments.output, streams.errors);
    return WriteResult(weather::StepsCsvText(result.steps), arguments.output, streams);
}

}  // namespace

BatchCommand AddWeatherCommand(CLI::App& app) {
    auto arguments = std::make_shared<WeatherArguments>();
    CLI::App* command = app.add_subcommand(
        "weather",
        "Turns a station's daily weather into time steps of rain and evaporation (FAO-56).");
    command->footer(
        "\nET0 is FAO-56 Penman-Monteith (eq. 6) from the station's latitude and elevation, or\n"
        "Hargreaves (eq. 52). Missing humidity: Tmin as the dew point; missing wind: 2 m/s;\n"
        "missing radiation and sunshine: the temperature range (k_Rs 0.16, 0.19 with\n"
        "--coastal). A month step sums calendar months, a year step twelve months from its\n"
        "start month, a week step seven days. Evaporation = Kc x ET0 summed over the days.\n"
        "The station file is CSV with a header of date, tmax, tmin, tmean, rh_max, rh_min,\n"
        "rh_mean, tdew, ea (kPa), wind (m/s), sunshine (h), radiation (MJ m-2 day-1), rain (mm)\n"
        "and et0 (mm, taken as given); date, rain and tmax with tmin (or et0) are required.\n");
    command->add_option("STATION.csv", arguments->station, "the station's daily record")
        ->required();
    command->add_option("--latitude", arguments->latitude, "degrees, south negative")
        ->type_name("DEG")
        ->required();
    command->add_option("--elevation", arguments->elevation, "m above sea level")
        ->type_name("M")
        ->required();
    command
        ->add_option("--wind-height", arguments->windHeight,
                     "height of the wind measurement, m (default 2)")
        ->type_name("M");
    command->add_flag("--coastal", arguments->coastal,
                      "the station lies by the sea (radiation from temperature)");
    command->add_option("--method", arguments->method, "penman-monteith (default) or hargreaves")
        ->type_name("METHOD")
        ->check(CLI::IsMember({"penman-monteith", "hargreaves"}));
    command->add_option("--kc", arguments->kc, "crop coefficient of every day (default 1)")
        ->type_name("K");
    command
        ->add_option("--kc-file", arguments->kcFile,
                     "Kc per month (month,kc) or per step "
                     "(step,kc)")
        ->type_name("KC.csv");
    command
        ->add_option("--start", arguments->start,
                     "first day of step 1 (default: the record's first day, or the first "
                     "day of its first complete month for month and year steps)")
        ->type_name("DATE");
    command
        ->add_option("--step", arguments->step,
                     "year, month (default), week or day; with --into the project's")
        ->type_name("STEP")
        ->check(CLI::IsMember({"year", "month", "week", "day"}));
    command
        ->add_option("--steps", arguments->steps,
                     "the number of steps (default: every complete step of the record)")
        ->type_name("N")
        ->check(CLI::Range(1, 1000000));
    command
        ->add_option("--fill", arguments->fill,
                     "linear: fill missing days, Tmax, Tmin and rain linearly in time")
        ->type_name("linear")
        ->check(CLI::IsMember({"linear"}));
    command->add_option("--max-gap", arguments->maxGap, "longest gap filled, days (default 3)")
        ->type_name("D")
        ->check(CLI::Range(1, 366));
    AddRepeatedOption(command, "--delta", arguments->deltas, "V=C",
                      "a climate-change delta before ET0: tmax=+2 (in the variable's unit) or "
                      "rain=-10%");
    command
        ->add_option("--delta-file", arguments->deltaFile, "monthly deltas: month,variable,change")
        ->type_name("DELTAS.csv");
    command
        ->add_option("--into", arguments->into,
                     "a project whose rain and evaporation the steps replace, written to -o")
        ->type_name("INPUT.inp");
    command
        ->add_option("-o", arguments->output,
                     "with --into the project to write, else the steps as CSV (default: "
                     "standard output)")
        ->type_name("FILE");
    command
        ->add_option("--days", arguments->days,
                     "the days as CSV: date, et0, the inputs used, what was estimated")
        ->type_name("DAYS.csv");
    return {command,
            [arguments](const CommandStreams& streams) { return Weather(*arguments, streams); }};
}

}  // namespace halosoil
