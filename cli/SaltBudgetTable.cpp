#include "SaltBudgetTable.h"

#include <cstdio>
#include <filesystem>
#include <new>
#include <ostream>

#include "AtomicFile.h"
#include "BatchCommand.h"
#include "Engine.h"
#include "Errors.h"
#include "FixedAnswersHost.h"
#include "ProjectFiles.h"
#include "SaltBalanceOption.h"
#include "SaltBudget.h"
#include "Zones.h"

namespace halosoil {

namespace {

// Ten significant digits: the budget's sums, not the file's fixed columns.
void AppendNumber(std::string& csv, double value) {
    char text[40];
    std::snprintf(text, sizeof text, ",%.10g", value == 0 ? 0.0 : value);
    csv += text;
}

std::string BudgetCsv(const InputData& data, const std::vector<StepSaltBudget>& budget) {
    std::string csv =
        "step,zone,in_irrigation,in_rain,in_percolation,in_capillary_rise,in_seepage,"
        "in_groundwater,out_drainage,out_percolation,out_capillary_rise,out_seepage,"
        "out_groundwater,storage_change,imbalance\n";
    for (int i = 1; i <= data.NrTst; ++i)
        for (int zone : ZonesOf(LayerCount(data))) {
            const ZoneSaltBudget& b = budget[static_cast<std::size_t>(i)][zone];
            csv += std::to_string(i) + "," + ZoneKey(zone);
            for (double value :
                 {b.irrigation, b.rain, b.percolationIn, b.capillaryRiseIn, b.seepageIn,
                  b.groundwaterInflow, b.drainage, b.percolationOut, b.capillaryRiseOut,
                  b.seepageOut, b.groundwaterOutflow, b.storageChange, b.Imbalance()})
                AppendNumber(csv, value);
            csv += '\n';
        }
    return csv;
}

bool IsOutputFile(const std::string& name) {
    return std::filesystem::path(name).extension() == ".out";
}

}  // namespace

int ExportSaltBudget(const std::string& inputFile, const SaltBudgetRun& how,
                     const std::string& target, std::ostream& out, std::ostream& errors) {
    if (IsOutputFile(inputFile)) {
        errors << "halosoil-batch: the salt budget needs each day's salinities, which " << inputFile
               << " does not hold; give the input file, which is run for it.\n";
        return kWrongUsage;
    }
    std::error_code same;
    if (!target.empty() && std::filesystem::equivalent(target, inputFile, same)) {
        errors << "halosoil-batch: " << target << " is the input file; choose another name.\n";
        return kInputInvalid;
    }
    std::optional<InputData> data = ReadProjectToRun(inputFile, errors);
    if (!data) return kInputInvalid;
    data->SaltBalance = how.saltBalance;
    Engine engine;
    FixedAnswersHost host(false, false);
    std::string csv;
    try {
        engine.Compute(*data, host);
        for (const std::string& message : host.Messages()) errors << message << '\n';
        if (engine.State().RunStopped) return kRunStoppedEarly;
        csv = BudgetCsv(*data, SaltBudgetOf(*data, engine.State()));
    } catch (const HalosoilError& error) {
        errors << WithFileAndLine(inputFile, error) << '\n';
        return kInputInvalid;
    } catch (const std::bad_alloc&) {
        errors << inputFile << ": " << kNotEnoughMemory << '\n';
        return kInputInvalid;
    }
    WarnOfSaltBudget(inputFile, *data, engine.State(), errors);
    if (target.empty()) {
        out << csv;
        return WrittenToStandardOutput(out, errors);
    }
    try {
        WriteFileAtomically(target, csv);
    } catch (const FileError& error) {
        errors << "Cannot create file \"" << target << "\". " << error.what() << '\n';
        return kInputInvalid;
    }
    return kOutputWritten;
}

}  // namespace halosoil
