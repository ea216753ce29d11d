#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>

#include "Errors.h"

namespace halosoil {

namespace {

std::string TemporaryNameBeside(const std::string& path) {
    std::random_device random;
    return path + ".~" + std::to_string(random() % 1000000) + ".tmp";
}

[[noreturn]] void Fail(int errorNumber, const std::string& path) {
    const int known = errorNumber != 0 ? errorNumber : EIO;
    FileError error(FileErrorText(known), known);
    error.SetFile(path);
    throw error;
}

[[noreturn]] void FailAndRemove(int errorNumber, const std::string& path,
                                const std::string& temporary) {
    std::remove(temporary.c_str());
    Fail(errorNumber, path);
}

}  // namespace

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
    const std::string temporary = TemporaryNameBeside(path);
    errno = 0;
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) Fail(errno, path);
    errno = 0;
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
    if (written != bytes.size() || std::fflush(file) != 0) {
        const int error = errno ? errno : EIO;
        std::fclose(file);
        FailAndRemove(error, path, temporary);
    }
    if (std::fclose(file) != 0) FailAndRemove(errno ? errno : EIO, path, temporary);
    if (std::rename(temporary.c_str(), path.c_str()) != 0) FailAndRemove(errno, path, temporary);
}

}  // namespace halosoil
