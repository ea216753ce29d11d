#include "RegionLibrary.h"

#include <dlfcn.h>

#include <filesystem>
#include <mutex>
#include <system_error>

#include "Errors.h"

namespace halosoil {

namespace {

std::string& ModulePath() {
    static std::string path;
    return path;
}

std::string ModuleBesideProgram() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return (program.parent_path() / HALOSOIL_REGION_MODULE_FROM_PROGRAM).lexically_normal();
}

// The module stays loaded for the life of the process: GDAL's drivers live there.
const region::RegionServices* OpenServices(std::string& unavailable) {
    const std::string path = ModulePath().empty() ? ModuleBesideProgram() : ModulePath();
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    const char* reason = handle ? nullptr : dlerror();
    using Entry = const region::RegionServices* (*)();
    const auto entry =
        handle ? reinterpret_cast<Entry>(dlsym(handle, region::kRegionServicesSymbol)) : nullptr;
    if (entry) return entry();
    if (!reason) reason = dlerror();
    unavailable = path + " cannot be loaded (" + (reason ? reason : "no entry point") +
                  "); regions cannot be opened";
    return nullptr;
}

void Check(const region::ServiceFailure& failure) {
    if (failure.kind == region::ServiceFailure::Cancelled) throw region::RegionCancelled();
    if (failure.kind == region::ServiceFailure::Refused) throw HalosoilError(failure.message);
}

}  // namespace

void RegionLibrary::UseModule(const std::string& path) {
    ModulePath() = path;
}

const region::RegionServices& RegionLibrary::Services() {
    static std::mutex mutex;
    static const region::RegionServices* services = nullptr;
    static std::string unavailable;
    const std::lock_guard<std::mutex> lock(mutex);
    if (!services) services = OpenServices(unavailable);
    if (!services) throw HalosoilError(unavailable);
    return *services;
}

region::LayerOverview RegionLibrary::ReadLayer(const region::LayerChoice& choice) {
    region::LayerOverview overview;
    Check(Services().readLayer(choice, overview));
    return overview;
}

region::RegionSummary RegionLibrary::Run(const region::RegionOptions& options) {
    region::RegionSummary summary;
    Check(Services().runRegion(options, summary));
    return summary;
}

region::ResultsLayer RegionLibrary::ReadResults(const std::string& path,
                                                const region::MapChoice& choice) {
    region::ResultsLayer layer;
    Check(Services().readResults(path, choice, layer));
    return layer;
}

InputData RegionLibrary::FieldProject(const InputData& base, const region::FieldCells& cells,
                                      std::size_t index) {
    InputData project;
    Check(Services().fieldProject(base, cells, index, project));
    return project;
}

region::MapLayout RegionLibrary::Layout(const region::ResultsLayer& layer) {
    region::MapLayout layout;
    Check(Services().mapLayout(layer, layout));
    return layout;
}

}  // namespace halosoil
