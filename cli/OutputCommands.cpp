#include "OutputCommands.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <ostream>

#include "AtomicFile.h"
#include "BatchCommand.h"
#include "DrawGraph.h"
#include "Errors.h"
#include "GraphFrame.h"
#include "GraphTypeNames.h"
#include "OutputCsv.h"
#include "OutputTables.h"
#include "RasterGraph.h"
#include "SvgCanvas.h"
#include "ViewedOutput.h"

namespace halosoil {

namespace {

std::string CannotCreate(const std::string& fileName, const std::string& reason) {
    return "Cannot create file \"" + fileName + "\". " + reason;
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

}  // namespace

int ExportTable(TableKind kind, const std::string& outputFile, const std::string& target,
                std::ostream& out, std::ostream& errors) {
    if (!target.empty() && OverwritesItsSource(target, outputFile))
        return RefuseToOverwrite(errors, target);

    ViewedOutput viewed;
    std::string csv;
    try {
        ReadViewedOutput(outputFile, viewed);
        if (kind == TableKind::Salinity) {
            csv = CsvText(SalinityTable(viewed.data, viewed.state),
                          SalinityCsvHeadings(LayerCount(viewed.data)));
        } else {
            csv = CsvText(HydrologyTable(viewed.data, viewed.state), HydrologyCsvHeadings());
        }
    } catch (const HalosoilError& error) {
        errors << error.what() << '\n';
        return kInputInvalid;
    }
    if (target.empty()) {
        out << csv;
        return WrittenToStandardOutput(out, errors);
    }
    try {
        WriteFileAtomically(target, csv);
    } catch (const FileError& error) {
        errors << CannotCreate(target, error.what()) << '\n';
        return kInputInvalid;
    }
    return kOutputWritten;
}

std::optional<GraphFormat> GraphFormatOf(const std::string& fileName) {
    std::string extension = std::filesystem::path(fileName).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".svg") return GraphFormat::Svg;
    if (extension == ".png") return GraphFormat::Png;
    if (extension == ".bmp") return GraphFormat::Bmp;
    return std::nullopt;
}

int ExportGraph(GraphType type, const std::string& typeName, const std::string& outputFile,
                const std::string& target, GraphFormat format, std::ostream& errors) {
    if (OverwritesItsSource(target, outputFile)) return RefuseToOverwrite(errors, target);
    if (format != GraphFormat::Svg) {
        if (const std::string unavailable = RasterGraphsUnavailable(); !unavailable.empty()) {
            errors << unavailable << '\n';
            return kInputInvalid;
        }
    }

    ViewedOutput viewed;
    try {
        ReadViewedOutput(outputFile, viewed);
    } catch (const HalosoilError& error) {
        errors << error.what() << '\n';
        return kInputInvalid;
    }
    const int layers = LayerCount(viewed.data);
    if (LayersNeeded(type) > layers) {
        errors << outputFile << " holds the results of " << layers
               << " root-zone layer(s); the graph " << typeName << " needs " << LayersNeeded(type)
               << ".\n";
        return kInputInvalid;
    }
    const GraphSource source{viewed.data, viewed.state, viewed.readBack};
    try {
        if (format == GraphFormat::Svg) {
            SvgCanvas canvas(kGraphWidth, kGraphHeight);
            DrawGraph(canvas, type, source);
            WriteFileAtomically(target, canvas.Document());
        } else {
            SaveRasterGraph(type, source, target, format == GraphFormat::Png ? "PNG" : "BMP");
        }
    } catch (const FileError& error) {
        errors << CannotCreate(target, error.what()) << '\n';
        return kInputInvalid;
    }
    return kOutputWritten;
}

}  // namespace halosoil
