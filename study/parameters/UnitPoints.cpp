#include "UnitPoints.h"

#include <gsl/gsl_qrng.h>

#include <cmath>
#include <memory>
#include <numeric>
#include <string>

#include "Errors.h"

namespace halosoil::study {

namespace {

std::vector<double> Sized(int count, int dims) {
    return std::vector<double>(static_cast<std::size_t>(count) * static_cast<std::size_t>(dims));
}

}  // namespace

UnitPoints SobolSequence(int count, int dims) {
    if (count < 1) throw HalosoilError("A Sobol sequence needs at least 1 point.");
    if (dims < 1) throw HalosoilError("A Sobol sequence needs at least 1 dimension.");
    if (dims > kMostSobolDimensions)
        throw HalosoilError("A Sobol sequence takes at most " +
                            std::to_string(kMostSobolDimensions) + " dimensions.");
    std::unique_ptr<gsl_qrng, decltype(&gsl_qrng_free)> generator(
        gsl_qrng_alloc(gsl_qrng_sobol, static_cast<unsigned int>(dims)), &gsl_qrng_free);
    if (!generator) throw HalosoilError(kNotEnoughMemory);
    UnitPoints points{count, dims, Sized(count, dims)};
    for (int k = 0; k < count; ++k) {
        // GSL's generator runs dry after 2^30 points; no study comes near, but a wrong
        // point would be worse than a refusal.
        if (gsl_qrng_get(generator.get(),
                         points.values.data() + static_cast<std::size_t>(k) * dims) != 0)
            throw HalosoilError("A Sobol sequence cannot have " + std::to_string(count) +
                                " points.");
    }
    return points;
}

UnitPoints LatinHypercube(int count, int dims, std::uint64_t seed) {
    if (count < 1) throw HalosoilError("A Latin hypercube needs at least 1 point.");
    if (dims < 1) throw HalosoilError("A Latin hypercube needs at least 1 dimension.");
    std::mt19937_64 random(seed);
    UnitPoints points{count, dims, Sized(count, dims)};
    std::vector<int> strata(static_cast<std::size_t>(count));
    const double width = static_cast<double>(count);
    for (int dim = 0; dim < dims; ++dim) {
        std::iota(strata.begin(), strata.end(), 0);
        for (int k = count - 1; k > 0; --k)
            std::swap(strata[k], strata[RandomIndex(random, k + 1)]);
        for (int k = 0; k < count; ++k) {
            const int stratum = strata[k];
            double value = (stratum + RandomInsideUnit(random)) / width;
            // The sum and the division round: near a border the value may land one step
            // outside its own stratum, which would leave one stratum empty and another
            // with two points. Whoever checks the strata multiplies back, so do the same.
            while (std::floor(value * width) > stratum) value = std::nextafter(value, 0.0);
            while (std::floor(value * width) < stratum) value = std::nextafter(value, 1.0);
            points.values[static_cast<std::size_t>(k) * dims + dim] = value;
        }
    }
    return points;
}

int RandomIndex(std::mt19937_64& random, int count) {
    const std::uint64_t range = static_cast<std::uint64_t>(count);
    // Draws above the last whole multiple of range would favour the small indices.
    const std::uint64_t limit = random.max() - random.max() % range;
    std::uint64_t draw = random();
    while (draw >= limit) draw = random();
    return static_cast<int>(draw % range);
}

double RandomInsideUnit(std::mt19937_64& random) {
    // 53 random bits, offset by half a step so that neither 0 nor 1 can come out.
    return (static_cast<double>(random() >> 11) + 0.5) * 0x1.0p-53;
}

}  // namespace halosoil::study
