// Replacing a file as a whole: the text goes to a temporary file in the same folder, which is
// then renamed over the target, so a failure part-way keeps the previous file intact.
#pragma once

#include <string>

namespace halosoil {

// Throws FileError with the platform's message when the file cannot be written.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace halosoil
