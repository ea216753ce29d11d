// The labels and widths of the output file, shared by its writer and its reader.
// clang-format off
#pragma once

namespace halosoil::output_layout {

inline constexpr const char* kHeading = "OUTPUT OF Halosoil";
inline constexpr const char* kFileName = "Name of this file :";
inline constexpr const char* kSizesRemark =
    "      (resp.:  nr. of root zone layers,    tot. nr. of time steps,"
    "    length of time step in days)";
inline constexpr const char* kQH1Refined = " Drainage capacity QH1 refined :";
inline constexpr const char* kQH1Given = " Drainage capacity QH1 (given) :";
inline constexpr const char* kDrainageMark = " Drainage ";  // the first 10 characters

// Efficiency line labels per zone (index 1..5), 32 characters each.
inline constexpr const char* kEfficiencyLabels[6] = {
    "",
    " Leaching efficiency layer 1   :",
    " Leaching efficiency layer 2   :",
    " Leaching efficiency layer 3   :",
    " Leaching eff. transit. zone   :",
    " Leaching efficiency aquifer   :",
};
inline constexpr int kLabelLength = 32;
inline constexpr const char* kNotAvailable =
    "  (given),       Coeff. of determination (%) :  n.a.";
inline constexpr const char* kOptimized = "  (optimized),   Coeff. of determination (%) :";
inline constexpr const char* kGiven = "  (given),       Coeff. of determination (%) :";
inline constexpr const char* kOptimizedTag = "  (o";

inline constexpr const char* kUnits = " Units:";
inline constexpr const char* kUnitsLine =
    " Water flow in mm/time step,  Salinity in dS/m,   Depth water table (DepthWT) in m";
inline constexpr const char* kHeaderEndMark = " - -";

// The column headings, "Rootzone" in one word and the dashed lines with their one "--", stand
// as the users' files have always had them.
inline constexpr const char* kColumns1[] = {
    "           Percol.  Cap. rise  Act. Evap  Drainage                    Salinity (dS/m)",
    " Time step - - - - - - - - - - - - - - - - - - - - DepthWT   - - - - - - - - - - - - - - - -",
    "                      (mm/time step)               (m)        Rootzone  Trans. zone  Aquifer",
    " - - - - - - - - - - - - - - -- - - - - - - - - - - - - - - - - - - - - - - - - -",
};
inline constexpr const char* kColumns2[] = {
    "           Percol.  Cap. rise  Act. Evap  Drainage                    Salinity (dS/m)",
    " Time step - - - - - - - - - - - - - - - - - - - - DepthWT   - - - - - - - - - - - - - - - -",
    "                      (mm/time step)               (m)        Rootzone ",
    "                                                            - - - - - - -  Transit.  Aquifer",
    "                                                            Layer1  Layer2   zone",
    " - - - - - - - - - - - - - - -- - - - - - - - - - - - - - - - - - - - - - - - - - - - - - -",
};
inline constexpr const char* kColumns3[] = {
    "           Percol.  Cap. rise  Act. Evap  Drainage                         Salinity (dS/m)",
    " Time step - - - - - - - - - - - - - - - - - - - - DepthWT   - - - - - - - - - - - - - - - - - - - -",
    "                      (mm/time step)               (m)              Rootzone ",
    "                                                            - - - - - - - - - - - - Transit.  Aquifer",
    "                                                            Layer1  Layer2  Layer3   zone",
    " - - - - - - - - - - - - - - -- - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - -",
};

// Data lines: the field widths (and decimals) of the writer and the chunk widths of the
// reader per layer count, in the order step, Percol, CapRise, ActEvap, Drain, DepthWT, the
// root-zone salinities, SalTrans, SalAquif.
struct Field {
    int width;
    int decimals;
};
inline constexpr Field kFields1[] = {{9, 0}, {9, 1},  {9, 1},  {9, 1}, {10, 1},
                                     {10, 2}, {10, 2}, {13, 2}, {9, 2}};
inline constexpr Field kFields2[] = {{9, 0}, {9, 1}, {11, 1}, {9, 1}, {10, 1},
                                     {8, 2}, {9, 2}, {8, 2},  {8, 2}, {10, 2}};
inline constexpr Field kFields3[] = {{9, 0}, {9, 1}, {11, 1}, {9, 1}, {10, 1}, {8, 2},
                                     {9, 2}, {9, 2}, {8, 2},  {9, 2}, {10, 2}};
inline constexpr int kChunks1[] = {10, 10, 10, 9, 9, 10, 10, 12, 10};
inline constexpr int kChunks2[] = {10, 10, 10, 10, 9, 9, 8, 8, 9, 10};
inline constexpr int kChunks3[] = {10, 10, 10, 10, 10, 8, 8, 9, 9, 9, 8};

constexpr const Field* FieldsOf(int layers) {
    return layers == 1 ? kFields1 : layers == 2 ? kFields2 : kFields3;
}
constexpr const int* ChunksOf(int layers) {
    return layers == 1 ? kChunks1 : layers == 2 ? kChunks2 : kChunks3;
}

// clang-format on
}  // namespace halosoil::output_layout
