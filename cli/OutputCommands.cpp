#include "OutputCommands.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <ostream>

#include "AtomicFile.h"
#include "BatchRunner.h"
#include "BatchUsage.h"
#include "DrawGraph.h"
#include "Errors.h"
#include "GraphFrame.h"
#include "GraphTypeNames.h"
#include "OutputCsv.h"
#include "OutputTables.h"
#include "ProjectInfo.h"
#include "RasterGraph.h"
#include "SvgCanvas.h"
#include "ViewedOutput.h"

namespace halosoil {

namespace {

int WrongUsage(std::ostream& errors, const std::string& complaint) {
    errors << "halosoil-batch: " << complaint << '\n' << kBatchUsage;
    return kWrongUsage;
}

// Two words and an optional "-o FILE", in any order.
struct ExportArguments {
    std::string first;
    std::string outputFile;
    std::string target;
};

std::optional<std::string> ParseExport(const std::vector<std::string>& arguments,
                                       ExportArguments& parsed) {
    std::vector<std::string> words;
    for (std::size_t k = 1; k < arguments.size(); ++k) {
        const std::string& argument = arguments[k];
        if (argument == "-o") {
            if (++k == arguments.size()) return "-o needs a file name";
            parsed.target = arguments[k];
        } else if (argument.size() > 1 && argument[0] == '-') {
            return "unknown option " + argument;
        } else {
            words.push_back(argument);
        }
    }
    if (words.size() != 2) return arguments[0] + " needs two arguments";
    parsed.first = words[0];
    parsed.outputFile = words[1];
    return std::nullopt;
}

std::string CannotCreate(const std::string& fileName, const std::string& reason) {
    return "Cannot create file \"" + fileName + "\". " + reason;
}

std::string LowerExtension(const std::string& fileName) {
    std::string extension = std::filesystem::path(fileName).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// A target that is the output file read or its input file would destroy what it came from.
bool OverwritesItsSource(const std::string& target, const std::string& outputFile) {
    std::error_code error;
    for (const std::string& source : {outputFile, ViewedInputFileName(outputFile)})
        if (std::filesystem::equivalent(target, source, error)) return true;
    return false;
}

int RefuseToOverwrite(std::ostream& errors, const std::string& target) {
    errors << "halosoil-batch: " << target
           << " is the output file or its input file; choose another name.\n";
    return kInputInvalid;
}

int WrittenToStandardOutput(std::ostream& out, std::ostream& errors) {
    if (out.flush()) return kOutputWritten;
    errors << "halosoil-batch: cannot write to standard output\n";
    return kInputInvalid;
}

}  // namespace

int TableCommand(const std::vector<std::string>& arguments, std::ostream& out,
                 std::ostream& errors) {
    ExportArguments parsed;
    if (const auto complaint = ParseExport(arguments, parsed))
        return WrongUsage(errors, *complaint);
    if (parsed.first != "salinity" && parsed.first != "hydrology")
        return WrongUsage(errors, "the table is salinity or hydrology, not " + parsed.first);
    if (!parsed.target.empty() && OverwritesItsSource(parsed.target, parsed.outputFile))
        return RefuseToOverwrite(errors, parsed.target);

    ViewedOutput viewed;
    std::string csv;
    try {
        ReadViewedOutput(parsed.outputFile, viewed);
        if (parsed.first == "salinity") {
            csv = CsvText(SalinityTable(viewed.data, viewed.state),
                          SalinityCsvHeadings(LayerCount(viewed.data)));
        } else {
            csv = CsvText(HydrologyTable(viewed.data, viewed.state), HydrologyCsvHeadings());
        }
    } catch (const HalosoilError& error) {
        errors << error.what() << '\n';
        return kInputInvalid;
    }
    if (parsed.target.empty()) {
        out << csv;
        return WrittenToStandardOutput(out, errors);
    }
    try {
        WriteFileAtomically(parsed.target, csv);
    } catch (const FileError& error) {
        errors << CannotCreate(parsed.target, error.what()) << '\n';
        return kInputInvalid;
    }
    return kOutputWritten;
}

int GraphCommand(const std::vector<std::string>& arguments, std::ostream& errors) {
    ExportArguments parsed;
    if (const auto complaint = ParseExport(arguments, parsed))
        return WrongUsage(errors, *complaint);
    const std::optional<GraphType> type = GraphTypeNamed(parsed.first);
    if (!type)
        return WrongUsage(
            errors, "unknown graph type " + parsed.first + " (halosoil-batch --help lists them)");
    if (parsed.target.empty()) return WrongUsage(errors, "graph needs -o FILE.svg|png|bmp");
    const std::string extension = LowerExtension(parsed.target);
    if (extension != ".svg" && extension != ".png" && extension != ".bmp")
        return WrongUsage(errors, "the graph file ends in .svg, .png or .bmp");
    if (OverwritesItsSource(parsed.target, parsed.outputFile))
        return RefuseToOverwrite(errors, parsed.target);
    if (extension != ".svg" && !CanDrawRasterGraphs()) {
        errors << "This build draws graphs as SVG only.\n";
        return kInputInvalid;
    }

    ViewedOutput viewed;
    try {
        ReadViewedOutput(parsed.outputFile, viewed);
    } catch (const HalosoilError& error) {
        errors << error.what() << '\n';
        return kInputInvalid;
    }
    const int layers = LayerCount(viewed.data);
    if (LayersNeeded(*type) > layers) {
        errors << parsed.outputFile << " holds the results of " << layers
               << " root-zone layer(s); the graph " << parsed.first << " needs "
               << LayersNeeded(*type) << ".\n";
        return kInputInvalid;
    }
    // Whether a zone has a coefficient is told by the file itself, as on the Graphs page.
    const GraphSource source{viewed.data, viewed.state, viewed.readBack, viewed.readBack.FitNA};
    try {
        if (extension == ".svg") {
            SvgCanvas canvas(kGraphWidth, kGraphHeight);
            DrawGraph(canvas, *type, source);
            WriteFileAtomically(parsed.target, canvas.Document());
        } else {
            SaveRasterGraph(*type, source, parsed.target, extension == ".png" ? "PNG" : "BMP");
        }
    } catch (const FileError& error) {
        errors << CannotCreate(parsed.target, error.what()) << '\n';
        return kInputInvalid;
    }
    return kOutputWritten;
}

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out,
                   std::ostream& errors) {
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        out << BatchHelp();
        return WrittenToStandardOutput(out, errors);
    }
    if (arguments.size() == 1 && arguments[0] == "--version") {
        out << "halosoil-batch " << kVersion << '\n';
        return WrittenToStandardOutput(out, errors);
    }
    if (!arguments.empty() && arguments[0] == "table") return TableCommand(arguments, out, errors);
    if (!arguments.empty() && arguments[0] == "graph") return GraphCommand(arguments, errors);
    return RunBatch(arguments, errors);
}

}  // namespace halosoil
