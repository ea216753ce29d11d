#include "Errors.h"

#include <cerrno>
#include <cstring>

namespace halosoil {

std::string WithFileAndLine(const std::string& fileName, const HalosoilError& error) {
    const std::string& file = error.File().empty() ? fileName : error.File();
    const std::string where =
        error.Line() > 0 ? file + ", line " + std::to_string(error.Line()) : file;
    return where + ": " + error.what();
}

std::string FileErrorText(int errorNumber) {
    switch (errorNumber) {
        case ENOENT:
            return "File not found";
        case ENOTDIR:
            return "Path not found";
        case EACCES:
        case EPERM:
        case EROFS:
            return "File access denied";
        case ENOSPC:
            return "Disk full";
        case EMFILE:
            return "Too many open files";
        case EISDIR:
            return "File access denied";
        default:
            return std::strerror(errorNumber);
    }
}

}  // namespace halosoil
