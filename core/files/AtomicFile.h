// Replacing a file as a whole: the text goes to a temporary file in the same folder, which is
// then renamed over the target, so a failure part-way keeps the previous file intact.
#pragma once

#include <string>

namespace halosoil {

// Every file the program writes goes through here: the input and output files, the graph
// bitmaps, and any export. Throws FileError with the platform's message ("Disk full", "File
// access denied", ...) and the path in File() when the file cannot be written; the previous
// file is then unchanged and no temporary file is left.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace halosoil
