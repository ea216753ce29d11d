// Drains in physical terms: Hooghoudt's drain spacing equation with the equivalent depth of
// Moody's approximation, giving the drainage reaction factors of a spacing, q = QH1 h + QH2 h^2
// with QH1 = 8 K2 d / L^2 and QH2 = 4 K1 / L^2, and the spacing of a QH1.
#pragma once

#include <string>

namespace halosoil::study {

// The soil and the drains that the spacing works in.
struct DrainSoil {
    double kAbove = 0;      // K1, hydraulic conductivity above drain level, m/day
    double kBelow = 0;      // K2, hydraulic conductivity below drain level, m/day
    double impervious = 0;  // D, depth of the impervious layer below the drains, m
    double radius = 0;      // r, drain radius, m
};

struct DrainageFactors {
    double qh1 = 0;              // m/day per m
    double qh2 = 0;              // m/day per m2
    double equivalentDepth = 0;  // d, m
};

// Moody's equivalent depth d (m) of a spacing L (m):
// d = D / (1 + (D/L) (8/pi ln(D/r) - 3.4)) for D/L <= 0.3, else d = pi L / (8 (ln(L/r) - 1.15)).
double EquivalentDepth(const DrainSoil& soil, double spacing);

// The reaction factors of spacing L.
DrainageFactors FactorsOfSpacing(const DrainSoil& soil, double spacing);

// The spacing (m) whose QH1 is qh1; throws HalosoilError when no spacing between the
// shortest and longest ones considered gives it.
double SpacingOfQh1(const DrainSoil& soil, double qh1);

// Throws HalosoilError naming the first value that is not a number above 0, by the option
// that gives it (--k-above, --k-below, --impervious, --radius).
void CheckDrainSoil(const DrainSoil& soil);
// Refuses a spacing that is not longer than the drain's diameter's few radii (HalosoilError).
void CheckSpacing(const DrainSoil& soil, double spacing);

// The shortest spacing the equations hold for: Moody's second form needs ln(L/r) above 1.15;
// a spacing of under ten radii is no field drainage.
double ShortestSpacing(const DrainSoil& soil);

// The spacing and its factors, one labelled line each, labelled as the drainage panel labels
// them: "Drain spacing L (m): 50", then the equivalent depth, QH1 and QH2.
std::string DrainageFactorsText(double spacing, const DrainageFactors& factors);

// "k_above=K1,k_below=K2,impervious=D,radius=r", in any order (the studies' --drain-soil).
DrainSoil ParseDrainSoil(const std::string& text);

}  // namespace halosoil::study
