#include "FileContents.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "Errors.h"

namespace halosoil {

namespace {

// Closes the file however the reading ends.
class OpenFile {
public:
    explicit OpenFile(const std::string& path) : descriptor_(open(path.c_str(), O_RDONLY)) {}
    ~OpenFile() {
        if (descriptor_ >= 0) close(descriptor_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int Descriptor() const { return descriptor_; }

private:
    int descriptor_;
};

[[noreturn]] void Fail(int errorNumber) {
    const int known = errorNumber != 0 ? errorNumber : EIO;
    throw FileError(FileErrorText(known), known);
}

}  // namespace

std::string FileContents(const std::string& path) {
    const OpenFile file(path);
    if (file.Descriptor() < 0) Fail(errno);
    // The size the file has now is room enough for one read; a file that grows meanwhile, or
    // one that tells no size (a pipe), is read on until its end.
    struct stat status {};
    const std::size_t expected = fstat(file.Descriptor(), &status) == 0 && status.st_size > 0
                                     ? static_cast<std::size_t>(status.st_size)
                                     : 0;
    std::string bytes(expected + 1, '\0');
    std::size_t held = 0;
    for (;;) {
        if (held == bytes.size()) bytes.resize(2 * bytes.size());
        const ssize_t count = read(file.Descriptor(), bytes.data() + held, bytes.size() - held);
        if (count == 0) break;
        if (count < 0) {
            if (errno == EINTR) continue;
            Fail(errno);
        }
        held += static_cast<std::size_t>(count);
    }
    bytes.resize(held);
    return bytes;
}

}  // namespace halosoil
