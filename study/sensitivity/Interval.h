// An estimate with its 95 % interval, as the sensitivity reports show each index.
#pragma once

namespace halosoil::study {

struct Interval {
    double value = 0, low = 0, high = 0;
};

}  // namespace halosoil::study
