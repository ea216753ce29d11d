#include "ProjectFiles.h"

#include <filesystem>

#include <ostream>

#include "Errors.h"
#include "InputFile.h"
#include "Plausibility.h"

namespace halosoil {

namespace {

// Does step; what it refuses is printed naming file. Says whether it went through.
template <class Step>
bool NamingTheFile(const std::string& file, std::ostream& errors, Step step) {
    try {
        step();
    } catch (const HalosoilError& error) {
        errors << WithFileAndLine(file, error) << '\n';
        return false;
    }
    return true;
}

}  // namespace

bool ReadProjectFile(InputData& data, std::ostream& errors) {
    return NamingTheFile(data.InputFileName, errors, [&] { ReadInputFile(data); });
}

bool WriteProjectFile(const InputData& data, std::ostream& errors) {
    return NamingTheFile(data.InputFileName, errors, [&] { WriteInputFile(data); });
}

std::optional<InputData> ReadProjectToRun(const std::string& path, std::ostream& errors) {
    InputData data;
    data.InputFileName = path;
    if (!NamingTheFile(path, errors, [&] {
            ReadInputFile(data);
            CheckPlausible(data);
            PrepareIrrigSpread(data);
        }))
        return std::nullopt;
    return data;
}

std::string BesideInput(const std::string& input, const std::string& ending) {
    const std::filesystem::path path(input);
    return (path.parent_path() / (path.stem().string() + ending)).string();
}

}  // namespace halosoil
