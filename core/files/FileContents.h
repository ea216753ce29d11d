// A file read whole into memory with one call, for the readers that then take it apart there.
#pragma once

#include <string>

namespace halosoil {

// The bytes of the file. Throws FileError with the platform's message ("File not found",
// "File access denied" for a folder, ...) when the file cannot be opened or read.
std::string FileContents(const std::string& path);

}  // namespace halosoil
