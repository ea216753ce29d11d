// halosoil-batch region BASE.inp FIELDS.gpkg [--layer NAME] [--id COLUMN] [--refine]
//                      [--optimise] [--exchange] [--fill linear] [--max-gap D] [-j N]
//                      -o RESULTS.gpkg [--outputs DIR] [--projects DIR]
//
// Every field of a GIS layer run as its own project, the results one GeoPackage. A field that
// cannot run is named on standard error and in its row; the others run. The status is the
// highest of the fields', as run's of several projects.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>

#include "BatchCommand.h"
#include "CropArguments.h"
#include "Errors.h"
#include "ModuleEntry.h"
#include "RegionModule.h"
#include "SaltBalanceOption.h"
#include "ShortestText.h"
#include "StudyArguments.h"

namespace halosoil {

namespace {

// The options as typed; the module takes them as plain C strings.
struct RegionOptions {
    std::string base;
    std::string fields;
    std::string layer;
    std::string idColumn;
    bool refine = false;
    bool optimise = false;
    bool exchange = false;
    SaltBalanceKind saltBalance = SaltBalanceKind::Specified;
    std::string fill;
    int maxGap = 3;
    std::string results;
    std::string outputs;
    std::string projects;
};

struct RegionArguments {
    RegionOptions options;
    CropArguments crop;
    int jobs = 0;
};

// The command line as the run table keeps it: the command and its arguments as given.
std::string CommandLineOf(const RegionArguments& arguments) {
    const RegionOptions& o = arguments.options;
    std::string line = "halosoil-batch region " + o.base + " " + o.fields;
    if (!o.layer.empty()) line += " --layer " + o.layer;
    if (!o.idColumn.empty()) line += " --id " + o.idColumn;
    if (o.refine) line += " --refine";
    if (o.optimise) line += " --optimise";
    if (o.exchange) line += " --exchange";
    if (!arguments.crop.crop.empty()) line += " --crop " + arguments.crop.crop;
    if (!arguments.crop.crops.empty()) line += " --crops " + arguments.crop.crops;
    if (!arguments.crop.crop.empty() || !arguments.crop.crops.empty())
        line += " --ece-factor " + study::ShortestText(arguments.crop.eceFactor);
    if (o.saltBalance == SaltBalanceKind::Conserving) line += " --salt-balance conserving";
    if (!o.fill.empty()) line += " --fill " + o.fill + " --max-gap " + std::to_string(o.maxGap);
    if (arguments.jobs > 0) line += " -j " + std::to_string(arguments.jobs);
    line += " -o " + o.results;
    if (!o.outputs.empty()) line += " --outputs " + o.outputs;
    if (!o.projects.empty()) line += " --projects " + o.projects;
    return line;
}

std::string SummaryLine(const HalosoilRegionSummary& summary) {
    std::ostringstream line;
    line << "halosoil-batch: " << summary.fields << " fields: " << summary.ran << " run, "
         << summary.refused << " refused, " << summary.stopped << " stopped early";
    if (summary.failedWrites > 0) line << ", " << summary.failedWrites << " with files not written";
    line << ", " << std::fixed << std::setprecision(2) << summary.seconds << " s";
    return line.str();
}

int StatusOf(const HalosoilRegionSummary& summary) {
    if (summary.refused > 0 || summary.failedWrites > 0) return kInputInvalid;
    if (summary.stopped > 0) return kRunStoppedEarly;
    return kOutputWritten;
}

// What the module's callbacks write to: the messages and the progress line on errors.
struct RegionConsole {
    std::ostream& errors;
    bool showProgress = false;
    bool progressShown = false;

    void ClearProgress() {
        if (progressShown) errors << "\r\033[K";
        progressShown = false;
    }
};

void PrintMessage(void* context, const char* text) {
    auto& console = *static_cast<RegionConsole*>(context);
    console.ClearProgress();
    console.errors << text << '\n';
}

void PrintProgress(void* context, long long done, long long count) {
    auto& console = *static_cast<RegionConsole*>(context);
    console.errors << "\r\033[Khalosoil-batch: " << done << " of " << count << " fields"
                   << std::flush;
    console.progressShown = true;
}

int Run(const RegionArguments& arguments, const CommandStreams& streams) {
    static const ModuleEntry module = OpenModuleEntry(HALOSOIL_REGION_MODULE, kRunRegionSymbol);
    if (!module.entry) {
        streams.errors << "Regions need Halosoil's region module: " << module.unavailable << '\n';
        return kInputInvalid;
    }
    const RegionOptions& o = arguments.options;
    // A crop the fields cannot have is told before the layer is read.
    try {
        if (const std::optional<study::Crop> crop = CropOf(arguments.crop))
            streams.errors << "halosoil-batch: " << CropNote(*crop, arguments.crop.eceFactor)
                           << '\n';
        else
            CropTableOf(arguments.crop);
    } catch (const FileError& error) {
        return Refused(streams.errors, error.what(), kInputInvalid);
    } catch (const HalosoilError& error) {
        return Refused(streams.errors, error.what(), kWrongUsage);
    }
    const std::string command = CommandLineOf(arguments);
    RegionConsole console{streams.errors};
    console.showProgress = &streams.errors == &std::cerr && isatty(STDERR_FILENO);
    const HalosoilRegionRequest request{
        .base = o.base.c_str(),
        .fields = o.fields.c_str(),
        .layer = o.layer.c_str(),
        .idColumn = o.idColumn.c_str(),
        .refine = o.refine,
        .optimise = o.optimise,
        .weatherFill = !o.fill.empty(),
        .weatherMaxGap = o.maxGap,
        .threads = arguments.jobs,
        .results = o.results.c_str(),
        .outputs = o.outputs.c_str(),
        .projects = o.projects.c_str(),
        .command = command.c_str(),
        .context = &console,
        .message = PrintMessage,
        .progress = console.showProgress ? PrintProgress : nullptr,
        .exchange = o.exchange,
        .crop = arguments.crop.crop.c_str(),
        .crops = arguments.crop.crops.c_str(),
        .eceFactor = arguments.crop.eceFactor,
        .conservingSalt = o.saltBalance == SaltBalanceKind::Conserving};
    HalosoilRegionSummary summary{};
    const bool ran = reinterpret_cast<HalosoilRunRegion>(module.entry)(&request, &summary);
    console.ClearProgress();
    if (!ran) return kInputInvalid;
    streams.errors << SummaryLine(summary) << '\n';
    return StatusOf(summary);
}

}  // namespace

BatchCommand AddRegionCommand(CLI::App& app) {
    const auto arguments = std::make_shared<RegionArguments>();
    RegionOptions& options = arguments->options;
    CLI::App* command = app.add_subcommand(
        "region",
        "Runs every field of a GIS layer as a project and writes the results as a GeoPackage.");
    command->add_option("BASE.inp", options.base, "the project every field starts from")
        ->type_name("")
        ->required();
    command
        ->add_option("FIELDS", options.fields,
                     "the fields: a layer of polygons (GeoPackage, shapefile, GeoJSON, ...)")
        ->type_name("")
        ->required();
    command->add_option("--layer", options.layer, "the layer, when the file holds several")
        ->type_name("NAME");
    command
        ->add_option("--id", options.idColumn,
                     "the column of the fields' ids (default: the layer's feature ids)")
        ->type_name("COLUMN");
    command->add_flag("--refine", options.refine,
                      "answer Yes to refining each field's drainage capacity");
    command->add_flag("--optimise,--optimize", options.optimise,
                      "answer Yes to optimising each field's leaching efficiencies");
    command->add_flag("--exchange", options.exchange,
                      "the fields share their groundwater with the fields they touch");
    AddCropOptions(command, arguments->crop);
    AddSaltBalanceOption(command, options.saltBalance);
    command
        ->add_option("--fill", options.fill,
                     "fill the gaps of the stations' records (a weather column) linearly")
        ->type_name("linear")
        ->check(CLI::IsMember({"linear"}));
    command->add_option("--max-gap", options.maxGap, "the longest gap filled, in days (default 3)")
        ->type_name("D")
        ->check(CLI::Range(1, 366));
    command->add_option("-j", arguments->jobs, "threads (default: one per core)")
        ->type_name("N")
        ->check(CLI::PositiveNumber);
    command->add_option("-o", options.results, "the results GeoPackage")
        ->type_name("RESULTS.gpkg")
        ->required();
    command
        ->add_option("--outputs", options.outputs, "a folder for each field's output file <id>.out")
        ->type_name("DIR");
    command
        ->add_option("--projects", options.projects,
                     "a folder for each field's input file <id>.inp")
        ->type_name("DIR");
    return {command,
            [arguments](const CommandStreams& streams) { return Run(*arguments, streams); }};
}

}  // namespace halosoil
