#include "RunState.h"

namespace halosoil {

Series& RunState::Salinity(int zone) {
    switch (zone) {
        case Layer1:
            return SalRoot1;
        case Layer2:
            return SalRoot2;
        case Layer3:
            return SalRoot3;
        case Trans:
            return SalTrans;
        default:
            return SalAquif;
    }
}

const Series& RunState::Salinity(int zone) const {
    return const_cast<RunState*>(this)->Salinity(zone);
}

}  // namespace halosoil
