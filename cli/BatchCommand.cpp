#include "BatchCommand.h"

#include <ostream>

namespace halosoil {

int WrittenToStandardOutput(std::ostream& out, std::ostream& errors) {
    if (out.flush()) return kOutputWritten;
    errors << "halosoil-batch: cannot write to standard output\n";
    return kInputInvalid;
}

}  // namespace halosoil
