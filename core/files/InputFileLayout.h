// The labels of the input data file, shared by its writer and its reader. Every label line
// begins with a space; the numbers follow the labels in fixed columns.
#pragma once

#include <span>

namespace halosoil::input_layout {

inline constexpr const char* kHeading = " PROGRAM Halosoil INPUT DATA";
inline constexpr const char* kFileName = " Name of this file        : ";
inline constexpr const char* kTitle1 = " First title              : ";
inline constexpr const char* kTitle2 = " Second title             : ";
inline constexpr const char* kGeneral = "    General data";
inline constexpr const char* kNrTst = " Nunber of time steps     : ";  // the old spelling stays
inline constexpr const char* kTstLength = " Step length (days)       : ";
inline constexpr const char* kNrLayers = " Nr of root zone layers   : ";
inline constexpr int kGeneralValueColumn = 28;  // whole numbers follow this column

inline constexpr const char* kDrainage = "    Drainage data";
inline constexpr const char* kDrainPresent = " Drainage system present  : ";
inline constexpr const char* kDrainYes = " Drainage system present  : yes";
inline constexpr const char* kDrainNo = " Drainage system present  : no";
inline constexpr const char* kDrainDepth = " Depth subsurf. drains(m) : ";
// One more blank before the colon than kDrainDepth: the users' files know this line so.
inline constexpr const char* kDrainDepthNA = " Depth subsurf. drains(m)  : n.a.";
inline constexpr const char* kQH1 = " Drain. react. fact. QH1  : ";
inline constexpr const char* kQH1NA = " Drain. react. fact. QH1  : n.a.";
inline constexpr const char* kQH2 = " Drain. react. fact. QH2  : ";
inline constexpr const char* kQH2NA = " Drain. react. fact. QH2  : n.a.";

inline constexpr const char* kInitial = "    Initial data soil and water";
inline constexpr const char* kSaltIrrig = " Salt conc. irr. water (dS/m)        : ";
inline constexpr const char* kLayerCount = " Number of layers in root zone       :     ";
inline constexpr const char* kInitSaltRoot = " Init. salt conc. root zone (dS/m)   : ";
// No blank after the colon in the three layer lines, unlike their neighbours: the users'
// files know them so.
inline constexpr const char* kInitSaltLayer1 = " Init. salt conc. 1st layer (dS/m)   :";
inline constexpr const char* kInitSaltLayer2 = " Init. salt conc. 2nd layer (dS/m)   :";
inline constexpr const char* kInitSaltLayer3 = " Init. salt conc. 3rd layer (dS/m)   :";
inline constexpr const char* kInitSaltTrans = " Init. salt conc. trans. zone (dS/m) : ";
inline constexpr const char* kInitSaltAquif = " Init. salt conc. aquifer (dS/m)     : ";
inline constexpr const char* kWTdepth = " Initial depth water table (m)       : ";
inline constexpr const char* kCritDepth = " Critical depth water table (m)      : ";
inline constexpr const char* kMoist = " Initial soil moisture content (%)   : ";
inline constexpr const char* kMoistMark = " Initial soil mois";  // columns 1-18
inline constexpr const char* kIrrEff = " Irrigation efficiency (%)           : ";
inline constexpr const char* kGrwtInf = " Inflow of groundwater (mm/day)      : ";
inline constexpr const char* kGrwtOut = " Outflow of groundwater (mm/day)     : ";
inline constexpr const char* kSalInf = " Salinity groundwater inflow (dS/m)  : ";
inline constexpr int kInitialValueFrom = 39;  // real values: columns 39-48
inline constexpr int kInitialValueTo = 48;

inline constexpr const char* kHydrological = " Hydrological data";
inline constexpr const char* kHydrologicalMark = " Hydrologi";  // columns 1-10
inline constexpr const char* kHydrHeading =
    " Time Step     Rainfall      Irrigation    Evaporation    Irrigation salinity";
inline constexpr const char* kTimeStepMark = " Time Step";  // columns 1-10
inline constexpr const char* kHydrUnits =
    "             mm/time step   mm/time step   mm/time step         dS/m";

inline constexpr const char* kSoil1 = " Soil properties, root zone has 1 layer";
inline constexpr const char* kSoil2 = " Soil properties, root zone has 2 layers";
inline constexpr const char* kSoil3 = " Soil properties, root zone has 3 layers";
inline constexpr const char* kThickness1 = "             Thickness (m)";
inline constexpr const char* kThickness2 = "                   Thickness (m) ";
inline constexpr const char* kThickness3 = "                      Thickness (m)";
inline constexpr const char* kDashes1 = " - - - - - - - - - - - - - - - - - - -";
inline constexpr const char* kDashes2 = " - - - - - - - - - - - - - - - - - - - - - -";
inline constexpr const char* kDashes3 = " - - - - - - - - - - - - - - - - - - - - - - - - - - - ";
inline constexpr const char* kZones1 = " Root zone   Transition zone   Aquifer";
inline constexpr const char* kRootZone2 = "    Root zone   ";
inline constexpr const char* kZones2 = " - - - - - - - -   Transition zone   Aquifer";
inline constexpr const char* kLayers2 = " Layer1    Layer2";
inline constexpr const char* kRootZone3 = "         Root zone   ";
inline constexpr const char* kZones3 = " - - - - - - - - - - - - - -  Transition zone   Aquifer";
inline constexpr const char* kLayers3 = " Layer1    Layer2    Layer3";
inline constexpr const char* kOtherSoil = " Other soil properties in %";
inline constexpr const char* kPorosityHeading =
    "              Total porosity  Effective porosity  Leaching efficiency";
inline constexpr const char* kRowRootZone = " Root zone   ";
inline constexpr const char* kRowLayer1 = " 1st layer   ";
inline constexpr const char* kRowLayer2 = " 2nd layer   ";
inline constexpr const char* kRowLayer3 = " 3rd layer   ";
inline constexpr const char* kRowTrans = " Trans. zone ";
inline constexpr const char* kRowAquif = " Aquifer     ";

inline constexpr const char* kMeasured1 =
    " Measured soil moisture salinity data ECsm in dS/m, root zone has 1 layer";
inline constexpr const char* kMeasured2 =
    " Measured soil moisture salinity data ECsm in dS/m, root zone has 2 layers";
inline constexpr const char* kMeasured3 =
    " Measured soil moisture salinity data ECsm in dS/m, root zone has 3 layers";
inline constexpr const char* kMeasuredColumns1 =
    " Time step   Root zone   Transition zone   Aquifer";
inline constexpr const char* kMeasuredRoot2 = "              Root zone   ";
inline constexpr const char* kMeasuredColumns2 =
    " Time Step  - - - - - - - -   Transition zone   Aquifer";
inline constexpr const char* kMeasuredLayers2 = "            Layer1   Layer2";
inline constexpr const char* kMeasuredDashes2 = " - - - - - - - - - - - - - -";
inline constexpr const char* kMeasuredRoot3 = "                   Root zone   ";
inline constexpr const char* kMeasuredColumns3 =
    " Time Step  - - - - - - - - - - -   Transition zone   Aquifer";
inline constexpr const char* kMeasuredLayers3 = "            Layer1  Layer2  Layer3";
inline constexpr const char* kMeasuredDashes3 = " - - - - - - - - - - - - - - - - -";

// The lines of block E before its thickness line, and of block F before its rows, per layer
// count; the writer writes them, the readers count them.
inline constexpr const char* kSoilHeading1[] = {kSoil1, kThickness1, kDashes1, kZones1};
inline constexpr const char* kSoilHeading2[] = {kSoil2,     kThickness2, kDashes2,
                                                kRootZone2, kZones2,     kLayers2};
inline constexpr const char* kSoilHeading3[] = {kSoil3,     kThickness3, kDashes3,
                                                kRootZone3, kZones3,     kLayers3};
inline constexpr const char* kMeasuredHeading1[] = {kMeasured1, kMeasuredColumns1};
inline constexpr const char* kMeasuredHeading2[] = {kMeasured2, kMeasuredRoot2, kMeasuredColumns2,
                                                    kMeasuredLayers2, kMeasuredDashes2};
inline constexpr const char* kMeasuredHeading3[] = {kMeasured3, kMeasuredRoot3, kMeasuredColumns3,
                                                    kMeasuredLayers3, kMeasuredDashes3};

constexpr std::span<const char* const> SoilHeading(int layers) {
    if (layers == 1) return kSoilHeading1;
    return layers == 2 ? std::span<const char* const>(kSoilHeading2) : kSoilHeading3;
}
constexpr std::span<const char* const> MeasuredHeading(int layers) {
    if (layers == 1) return kMeasuredHeading1;
    return layers == 2 ? std::span<const char* const>(kMeasuredHeading2) : kMeasuredHeading3;
}
// Between the thickness line and the porosity rows: an empty line, kOtherSoil and
// kPorosityHeading.
inline constexpr int kLinesBeforePorosityRows = 3;

// Each value line of blocks A to C is recognised by the start of its label, taken in lower
// case with only its letters and digits ("Init. salt conc. 2nd layer" gives "initsaltconc2").
// Only as much is compared as tells the lines of a block apart, so that labels that differ
// in spelling or spacing further on ("Nunber" or "Number of time steps") still read; a line
// whose label starts otherwise is not the line the reader expects.
inline constexpr const char* kTitle1Key = "first";
inline constexpr const char* kTitle2Key = "second";
inline constexpr const char* kNrTstKey = "nu";
inline constexpr const char* kTstLengthKey = "st";
inline constexpr const char* kNrLayersKey = "nr";
inline constexpr const char* kDrainPresentKey = "drainag";
inline constexpr const char* kDrainDepthKey = "de";
inline constexpr const char* kQH1Key = "drainreactfactqh1";
inline constexpr const char* kQH2Key = "drainreactfactqh2";
inline constexpr const char* kSaltIrrigKey = "salt";
inline constexpr const char* kLayerCountKey = "nu";
inline constexpr const char* kInitSaltRootKey = "initsaltconcr";
inline constexpr const char* kInitSaltLayer1Key = "initsaltconc1";
inline constexpr const char* kInitSaltLayer2Key = "initsaltconc2";
inline constexpr const char* kInitSaltLayer3Key = "initsaltconc3";
inline constexpr const char* kInitSaltTransKey = "initsaltconct";
inline constexpr const char* kInitSaltAquifKey = "initsaltconca";
inline constexpr const char* kWTdepthKey = "initiald";
inline constexpr const char* kCritDepthKey = "c";
inline constexpr const char* kMoistKey = "initials";
inline constexpr const char* kIrrEffKey = "ir";
inline constexpr const char* kGrwtInfKey = "inf";
inline constexpr const char* kGrwtOutKey = "o";
inline constexpr const char* kSalInfKey = "sali";

// Column ranges (first, last) of the reader, counted from 1.
struct Columns {
    int from;
    int to;
};

// Hydrological rows: Rain, Irrig, Evap, IrrSal.
inline constexpr Columns kHydrColumns[4] = {{11, 25}, {26, 40}, {41, 55}, {56, 70}};

// Thickness line per layer count, zones in the order 1, (2), (3), 4, 5.
inline constexpr Columns kThickColumns1[3] = {{1, 10}, {11, 28}, {29, 38}};
inline constexpr Columns kThickColumns2[4] = {{1, 10}, {11, 20}, {21, 38}, {39, 46}};
inline constexpr Columns kThickColumns3[5] = {{1, 10}, {11, 20}, {21, 30}, {31, 48}, {49, 56}};

// Porosity rows: TotPor, EffPor, LeachEff.
inline constexpr Columns kPorosityColumns[3] = {{19, 36}, {37, 54}, {55, 72}};

// Measured rows per layer count, zones in the order 1, (2), (3), 4, 5.
inline constexpr Columns kMeasColumns1[3] = {{11, 22}, {23, 40}, {41, 50}};
inline constexpr Columns kMeasColumns2[4] = {{11, 18}, {19, 27}, {28, 45}, {46, 55}};
inline constexpr Columns kMeasColumns3[5] = {{11, 18}, {19, 26}, {27, 34}, {35, 52}, {53, 62}};

// Columns of a row with ZonesOf(layers) zones, as the measured rows have them.
inline constexpr const Columns* MeasColumns(int layers) {
    return layers == 1 ? kMeasColumns1 : layers == 2 ? kMeasColumns2 : kMeasColumns3;
}

// The reading for viewing (the input file beside an opened output file) takes only the
// series, skipping lines by count and cutting chunks of its own.
namespace view {

// The first line of block C, read as 20 characters, is this text alone in the layout of
// earlier versions; the current heading kInitial never equals it.
inline constexpr const char* kEarlierInitial = "    Initial data";
inline constexpr int kInitialChars = 20;
// The moisture line, told by its first 10 characters.
inline constexpr const char* kMoistMark = " Initial s";

// Block C from its heading up to the moisture line: heading, irrigation water salinity,
// layer count, one line per root-zone layer, transition zone, aquifer, water table and
// critical depth.
constexpr int SkipToHydrology(int layers) {
    return 7 + layers;
}
// From the moisture line to the first hydrological row: the rest of block C (irrigation
// efficiency, groundwater inflow, outflow and salinity) and the four lines that open block D.
inline constexpr int kSkipAfterMoistureLine = 4 + 4;
inline constexpr int kSkipWithoutMoistureLine = kSkipAfterMoistureLine - 1;
// The earlier layout's block C and the lines that open its block D.
inline constexpr int kEarlierSkipToHydrology = 15;

// From the last hydrological row to the first measured row: block E (an empty line, its
// heading, the thickness line, the porosity heading and one row per zone) and the lines that
// open block F; the earlier layout has one line less.
constexpr int SkipToMeasured(int layers) {
    const int zones = layers + 2;
    return 1 + static_cast<int>(SoilHeading(layers).size()) + 1 + kLinesBeforePorosityRows + zones +
           1 + static_cast<int>(MeasuredHeading(layers).size());
}
constexpr int EarlierSkipToMeasured(int layers) {
    return SkipToMeasured(layers) - 1;
}

// Hydrological rows: Rain, Irrig and Evap in chunks of 15 after 12 ignored characters.
inline constexpr Columns kHydrColumns[3] = {{13, 27}, {28, 42}, {43, 57}};

}  // namespace view

}  // namespace halosoil::input_layout
