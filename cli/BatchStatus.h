// The exit statuses of halosoil-batch, the same for every command.
#pragma once

namespace halosoil {

enum BatchStatus : int {
    kOutputWritten = 0,
    kInputInvalid = 1,
    kWrongUsage = 2,
    kRunStoppedEarly = 3,
};

}  // namespace halosoil
