#include <string>
#include <vector>

#include "BatchUsage.h"
#include "GraphTypeNames.h"
#include "Parameters.h"
#include "ProjectInfo.h"
#include "Quantities.h"
#include "WrappedWords.h"
#include "Zones.h"

namespace halosoil {

namespace {

// As wide as the help's other lines of names.
constexpr std::size_t kListWidth = 82;

// The words of a list of names: a comma after each but the last, and the unit after the last
// name of each run of names that share it.
std::vector<std::string> QuantityWords() {
    const auto& quantities = study::Quantities();
    std::vector<std::string> words;
    for (std::size_t k = 0; k < quantities.size(); ++k) {
        std::string word = quantities[k].name;
        const bool last = k + 1 == quantities.size();
        if (last || std::string(quantities[k + 1].unit) != quantities[k].unit)
            word += std::string(" (") + quantities[k].unit + ")";
        words.push_back(last ? word : word + ",");
    }
    return words;
}

// The zones' keys as the words "(ZONE: layer1, ..., aquifer)," after the per-zone names.
void AppendZoneWords(std::vector<std::string>& words) {
    words.push_back("(ZONE:");
    const auto& keys = ZoneKeys();
    for (std::size_t k = 0; k < keys.size(); ++k)
        words.push_back(std::string(keys[k]) + (k + 1 == keys.size() ? ")," : ","));
}

// The parameters up to the factors on the series: the numbers of the record that every project
// has, the per-zone ones with their zones, then the factors.
std::vector<std::string> FirstParameterWords() {
    const auto& table = study::ParameterTable();
    std::size_t lastFactor = 0, lastPerZone = 0;
    for (std::size_t k = 0; k < table.size(); ++k) {
        if (study::IsFactor(table[k].kind)) lastFactor = k;
        if (table[k].perZone) lastPerZone = k;
    }
    std::vector<std::string> words;
    for (std::size_t k = 0; k <= lastFactor; ++k) {
        const std::string name = std::string(table[k].name) + (table[k].perZone ? "_ZONE" : "");
        if (k == lastPerZone) {
            words.push_back(name);
            AppendZoneWords(words);
        } else {
            words.push_back(name + (k == lastFactor ? ";" : ","));
        }
    }
    for (const std::string& word :
         WordsOf("equal bounds hold one fixed, and every member or candidate must pass the "
                 "checks of run"))
        words.push_back(word);
    return words;
}

// The parameters after the factors, the drains' geometry, with their units.
std::vector<std::string> DrainParameterWords() {
    const auto& table = study::ParameterTable();
    std::size_t lastFactor = 0;
    for (std::size_t k = 0; k < table.size(); ++k)
        if (study::IsFactor(table[k].kind)) lastFactor = k;
    std::vector<std::string> words;
    for (std::size_t k = lastFactor + 1; k < table.size(); ++k) {
        const bool last = k + 1 == table.size();
        words.push_back(std::string(table[k].name) + " (" + table[k].unit + ")" +
                        (last ? "," : ";"));
    }
    for (const std::string& word :
         WordsOf("which sets qh1 and qh2 by Hooghoudt's equation in the soil of --drain-soil "
                 "k_above=K1,k_below=K2,impervious=D,radius=r"))
        words.push_back(word);
    return words;
}

std::string QuantityLines() {
    return WrappedWords(QuantityWords(), kListWidth);
}

std::string ParameterLines() {
    return WrappedWords(FirstParameterWords(), kListWidth) +
           WrappedWords(DrainParameterWords(), kListWidth);
}

}  // namespace

std::string GraphTypeLines() {
    std::string lines;
    for (const GraphTypeName& entry : kGraphTypeNames)
        lines += "  " + std::string(entry.name) +
                 std::string(22 - std::string(entry.name).size(), ' ') + entry.caption + "\n";
    return lines;
}

std::string BatchHelp() {
    std::string help = kBatchUsage;
    help +=
        "\n"
        "Runs Halosoil projects and exports their results without a window.\n"
        "\n"
        "Commands:\n"
        "  run       read INPUT.inp, compute, and write the output file (by default the\n"
        "            input's name with the extension .out); --refine and --optimise answer\n"
        "            Yes to the run's two questions; several input files run side by side\n"
        "            on -j N threads (one per core by default), and the program's exit\n"
        "            status is the highest of theirs; --salt-balance conserving runs the\n"
        "            salt balance that keeps to the salt that comes in (also for table\n"
        "            salt-budget, calibrate, sensitivity, ensemble, design and region), and\n"
        "            a run whose salt balance made or lost more than 5 % of the salt brought\n"
        "            in, or whose salinity passed 200 dS/m, is warned of on standard error\n"
        "  convert   read an input file of any layout and write it in the current layout\n"
        "  table     write the salinity or the hydrology table of an output file as CSV\n"
        "            (UTF-8, commas, point decimals), to standard output unless -o is given;\n"
        "            the input file of the same name supplies rainfall, irrigation,\n"
        "            evaporation and measured salinities; table salt-budget INPUT.inp runs\n"
        "            the input file (no output file holds each day's salinities) and writes\n"
        "            the salt in and out of each zone per step, its change in storage and\n"
        "            the imbalance (mm x dS/m)\n"
        "  graph     draw one graph of an output file as the Graphs page draws it; the\n"
        "            extension of FILE chooses SVG, PNG or BMP\n"
        "  calibrate fit parameters to observations: the input file's measured salinities\n"
        "            and a CSV (header step,<quantity>,..., an empty cell where nothing was\n"
        "            observed); writes the calibrated project (INPUT-calibrated.inp), a JSON\n"
        "            report with standard errors, 95 % intervals, correlations and the fit\n"
        "            (INPUT-calibration.json), and prints a summary. The objective, per\n"
        "            observed quantity: the sum of squared residuals over the number of\n"
        "            observations and their variance, times the quantity's weight; a\n"
        "            quantity needs two different readings. For honest intervals give each\n"
        "            quantity the weight n (s / e)^2: its readings n, their standard\n"
        "            deviation s, its measurement error e. The file keeps each value with\n"
        "            the decimals of its column (the report's file_decimals): the project as\n"
        "            written is run again, its objective and fit reported beside the\n"
        "            optimum's, and a value written more than a tenth of a standard error\n"
        "            off is named\n"
        "  sensitivity  Sobol's first-order and total indices, or Morris's elementary\n"
        "            effects, of the parameters on targets QUANTITY:final|mean|max|min,\n"
        "            objective or stopped (1 for a run that stopped early, 0 otherwise), with\n"
        "            bootstrap 95 % intervals, as CSV. Runs that stop early or are refused\n"
        "            are left out of every target but stopped (a warning gives their share);\n"
        "            a target that varies by less than 1e-8 of its size is rounding, and its\n"
        "            Sobol indices are left empty. Morris's intervals are expanded percentile\n"
        "            intervals; at the default 20 trajectories they still cover less than\n"
        "            95 % where the effects are skewed (0.87 to 0.95 across the pairs of the\n"
        "            README's example), at 100 about 0.93 to 0.95\n"
        "  ensemble  run members whose parameters are drawn from distributions or from a\n"
        "            calibration report, and write per step and quantity the mean, the 5, 25,\n"
        "            50, 75 and 95 % quantiles of the members that went through, the share\n"
        "            beyond a threshold and the share stopped, as CSV. The shares are of all\n"
        "            members run: a stopped member's water table stays beyond the aquifer's\n"
        "            bottom from its stop on; what its stop leaves unknown (later flows, all\n"
        "            salinities) counts as not beyond the threshold\n"
        "  weather   turn a station's daily weather (CSV) into time steps of rain and\n"
        "            evaporation: FAO-56 reference evapotranspiration times Kc, with FAO-56's\n"
        "            rules for missing data; the steps as CSV, or with --into a project whose\n"
        "            rain and evaporation they replace\n"
        "  region    run every field (polygon) of a GIS layer as a project: the base with\n"
        "            the field's columns named after parameters applied (NULL keeps the\n"
        "            base's value; a column project names a field's own base, relative to\n"
        "            the layer's folder); the results as a GeoPackage with the layer fields\n"
        "            (geometry, carried columns, status, message, QUANTITY_final, _mean, _min\n"
        "            and _max), the table steps (field, step, the ten quantities) and the\n"
        "            table run. A column weather names a station's daily record (CSV, as\n"
        "            for weather) that gives the field's rain and evaporation at the latitude\n"
        "            of its centroid and the height of a column elevation (m, else 0).\n"
        "            A field that cannot run is named and the others run. --exchange lets\n"
        "            the fields that touch share their groundwater: columns elevation (m),\n"
        "            transmissivity (m2/day) and boundary_head (m); the steps table gains\n"
        "            lateral_inflow, lateral_outflow (mm/day), lateral_salinity (dS/m) and\n"
        "            head (m), and a table neighbours (field, neighbour, length, distance)\n"
        "  yield     a crop's relative yield per step of an output file, 100 - slope x (ECe -\n"
        "            threshold) within 0..100 %, ECe the thickness-weighted salinity of the\n"
        "            root zone's soil moisture times --ece-factor (default 0.5), with the\n"
        "            leaching requirement ECw / (5 threshold - ECw) of the irrigation water\n"
        "            and the irrigation it implies, evaporation / (1 - LR), as CSV;\n"
        "            --list-crops prints the crop table (data/crops.csv, or --crops FILE)\n"
        "  drains    the drainage reaction factors QH1 and QH2 of a drain spacing by\n"
        "            Hooghoudt's equation with Moody's equivalent depth, or with --qh1 the\n"
        "            spacing that gives a QH1\n"
        "  design    the controls (movable parameters) that minimise the irrigation, the\n"
        "            drainage (mm over all steps) or a control while the crop's relative yield\n"
        "            meets --require at every step (or @final), for the project or, with\n"
        "            --probability, for that share of an ensemble's members (the same members\n"
        "            for every candidate); NLopt's COBYLA; writes the designed project\n"
        "            (INPUT-design.inp) and a JSON report (INPUT-design.json)\n"
        "\n"
        "Each command prints a help of its own with --help, as halosoil-batch run --help does.\n"
        "\n"
        "Quantities (observations, targets, thresholds, weights):\n";
    help += QuantityLines();
    help +=
        "\n"
        "Parameters (porosities and efficiencies in percent, as in the files):\n";
    help += ParameterLines();
    help +=
        "\n"
        "Graph types:\n";
    help += GraphTypeLines();
    help +=
        "\n"
        "Exit status: 0 done; 1 a file could not be read or written, or the project is\n"
        "invalid; 2 wrong usage; 3 the run stopped early.\n"
        "\n"
        "Report bugs to " +
        std::string(kMakerEmail) + "; home page: " + kMakerUrl + "\n";
    return help;
}

}  // namespace halosoil
