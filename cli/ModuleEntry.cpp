#include "ModuleEntry.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace halosoil {

ModuleEntry OpenModuleEntry(const std::string& relativePath, const char* symbol) {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path module = (program.parent_path() / relativePath).lexically_normal();
    // The module stays loaded for the life of the process: what it loads (GDAL's drivers, Qt's
    // application object) lives there.
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    const char* reason = handle ? nullptr : dlerror();
    void* entry = handle ? dlsym(handle, symbol) : nullptr;
    if (entry) return {entry, {}};
    if (!reason) reason = dlerror();
    return {nullptr,
            module.string() + " cannot be loaded (" + (reason ? reason : "no entry point") + ")"};
}

}  // namespace halosoil
