// halosoil-batch yield OUTPUT.out --crop NAME [--crops FILE.csv] [--ece-factor F] [-o FILE.csv]
// halosoil-batch yield --list-crops [--crops FILE.csv]
//
// What a run's salinity costs a crop: per step the ECe of the root zone, the relative yield
// and the leaching requirement of the irrigation water with the irrigation it implies, as
// CSV to standard output unless -o is given; or the crop table, one crop a line.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "BatchCommand.h"
#include "CropArguments.h"
#include "Errors.h"
#include "InputFile.h"
#include "RelativeYield.h"
#include "StudyArguments.h"
#include "ViewedOutput.h"

namespace halosoil {

namespace {

struct YieldArguments {
    std::string outputFile;
    CropArguments crop;
    bool listCrops = false;
    std::string target;
};

// The project the output file is of: the input file of its name, read whole, for the layers'
// thicknesses, the irrigation salinity and the evaporation of every step.
InputData ProjectOfOutput(const std::string& outputFile) {
    InputData project;
    project.InputFileName = ViewedInputFileName(outputFile);
    try {
        ReadInputFile(project);
    } catch (const HalosoilError& error) {
        throw HalosoilError(WithFileAndLine(project.InputFileName, error));
    }
    return project;
}

int ListCrops(const YieldArguments& arguments, const CommandStreams& streams) {
    study::CropTable table;
    try {
        table = CropTableOf(arguments.crop);
    } catch (const HalosoilError& error) {
        return Refused(streams.errors, error.what(), kInputInvalid);
    }
    return WriteResult(study::CropListText(table), arguments.target, streams);
}

int Yield(const YieldArguments& arguments, const CommandStreams& streams) {
    if (arguments.listCrops) {
        if (!arguments.outputFile.empty() || !arguments.crop.crop.empty())
            return Refused(streams.errors, "--list-crops stands without OUTPUT.out and --crop",
                           kWrongUsage);
        return ListCrops(arguments, streams);
    }
    if (arguments.outputFile.empty() || arguments.crop.crop.empty())
        return Refused(streams.errors, "yield needs OUTPUT.out and --crop NAME", kWrongUsage);
    std::optional<study::Crop> crop;
    try {
        crop = CropOf(arguments.crop);
    } catch (const FileError& error) {
        return Refused(streams.errors, error.what(), kInputInvalid);
    } catch (const HalosoilError& error) {
        return Refused(streams.errors, error.what(), kWrongUsage);
    }
    ViewedOutput viewed;
    InputData project;
    try {
        ReadViewedOutput(arguments.outputFile, viewed);
        project = ProjectOfOutput(arguments.outputFile);
    } catch (const HalosoilError& error) {
        streams.errors << error.what() << '\n';
        return kInputInvalid;
    }
    streams.errors << "halosoil-batch: " << CropNote(*crop, arguments.crop.eceFactor) << '\n';
    const auto steps = study::YieldSteps(project, viewed.state, *crop, arguments.crop.eceFactor);
    return WriteResult(study::YieldCsv(steps), arguments.target, streams);
}

}  // namespace

BatchCommand AddYieldCommand(CLI::App& app) {
    auto arguments = std::make_shared<YieldArguments>();
    CLI::App* command = app.add_subcommand(
        "yield",
        "Writes a crop's relative yield and leaching requirement per step of an output file.");
    command->footer(
        "\nECe = factor x the thickness-weighted salinity of the root-zone layers' soil moisture;\n"
        "relative yield = 100 - slope x (ECe - threshold), within 0..100 %; leaching requirement\n"
        "LR = ECw / (5 x threshold - ECw) of the step's irrigation salinity ECw, empty where\n"
        "ECw reaches 5 x threshold; irrigation_needed = evaporation / (1 - LR), mm per step.\n"
        "The input file of the same name as OUTPUT.out supplies the thicknesses, the irrigation\n"
        "salinity and the evaporation. Columns: step,ece,relative_yield,leaching_requirement,\n"
        "irrigation_needed.\n");
    command->add_option("OUTPUT.out", arguments->outputFile, "the output file of a run")
        ->type_name("");
    AddCropOptions(command, arguments->crop);
    command->add_flag("--list-crops", arguments->listCrops,
                      "print the crop table: name, threshold, slope, class, source");
    command->add_option("-o", arguments->target, "the CSV file to write (default: standard output)")
        ->type_name("FILE.csv");
    return {command,
            [arguments](const CommandStreams& streams) { return Yield(*arguments, streams); },
            SayWhatWasRefused};
}

}  // namespace halosoil
