// A file's bytes as they are, read or written whole, for tests that compare files.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace halosoil::test {

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

}  // namespace halosoil::test
