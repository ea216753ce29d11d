// The modules halosoil-batch opens only for the commands that need their libraries (Qt for
// bitmaps, GDAL for regions), so that every other command starts without them. A module lies
// at a fixed path from the program's own folder, in the build tree as once installed.
#pragma once

#include <string>

namespace halosoil {

struct ModuleEntry {
    void* entry = nullptr;    // the symbol, null when the module cannot serve
    std::string unavailable;  // why not, naming the module's file
};

// Opens the module at relativePath from the program's folder, once for the life of the
// process, and finds symbol in it.
ModuleEntry OpenModuleEntry(const std::string& relativePath, const char* symbol);

}  // namespace halosoil
