#include "InputData.h"

namespace halosoil {

std::vector<int> ZonesOf(int nrLayers) {
    switch (nrLayers) {
        case 2:
            return {Layer1, Layer2, Trans, Aquif};
        case 3:
            return {Layer1, Layer2, Layer3, Trans, Aquif};
        default:
            return {Layer1, Trans, Aquif};
    }
}

}  // namespace halosoil
