#include "StudyFile.h"

#include <cerrno>

#include "Errors.h"

namespace halosoil::study {

std::ifstream OpenStudyFile(const std::string& path) {
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        FileError error(FileErrorText(errno ? errno : ENOENT));
        error.SetFile(path);
        throw error;
    }
    return in;
}

}  // namespace halosoil::study
