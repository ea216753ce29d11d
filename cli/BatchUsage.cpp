#include "BatchUsage.h"

#include <ostream>

#include "BatchStatus.h"

namespace halosoil {

int WrongUsage(std::ostream& errors) {
    errors << kBatchUsage;
    return kWrongUsage;
}

int WrongUsage(std::ostream& errors, const std::string& complaint) {
    errors << "halosoil-batch: " << complaint << '\n';
    return WrongUsage(errors);
}

}  // namespace halosoil
