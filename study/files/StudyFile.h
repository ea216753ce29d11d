// Opening a file a study reads (observations, a calibration report): a file that cannot be
// opened is a FileError with the platform's message and the path in File().
#pragma once

#include <fstream>
#include <string>

namespace halosoil::study {

std::ifstream OpenStudyFile(const std::string& path);

}  // namespace halosoil::study
