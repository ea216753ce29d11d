// What halosoil-batch tells about its use: the short usage shown after a wrong command line
// and the full help of --help; each command's own --help is made by CLI11 from its options.
#pragma once

#include <iosfwd>
#include <string>

namespace halosoil {

inline constexpr const char* kBatchUsage =
    "usage: halosoil-batch run [--refine] [--optimise] [-j N] [-o OUTPUT.out] INPUT.inp...\n"
    "       halosoil-batch convert INPUT.inp OUTPUT.inp\n"
    "       halosoil-batch table salinity|hydrology OUTPUT.out [-o FILE.csv]\n"
    "       halosoil-batch graph TYPE OUTPUT.out -o FILE.svg|FILE.png|FILE.bmp\n"
    "       halosoil-batch calibrate INPUT.inp --parameter NAME=LOW:HIGH...\n"
    "                 [--observations OBS.csv] [--weight QUANTITY=W...] [--seed N] [-j N]\n"
    "                 [-o CALIBRATED.inp] [--report REPORT.json]\n"
    "       halosoil-batch sensitivity INPUT.inp --parameter NAME=LOW:HIGH...\n"
    "                 --target TARGET... [--method sobol|morris] [--samples N] [--seed N]\n"
    "                 [--observations OBS.csv] [-j N] [-o FILE.csv]\n"
    "       halosoil-batch ensemble INPUT.inp (--parameter NAME=DISTRIBUTION...\n"
    "                 | --from REPORT.json) [--members N] [--design lhs|sobol]\n"
    "                 [--threshold QUANTITY>VALUE...] [--seed N] [-j N] [-o FILE.csv]\n"
    "       halosoil-batch weather STATION.csv --latitude DEG --elevation M [--wind-height M]\n"
    "                 [--coastal] [--method penman-monteith|hargreaves] [--kc K | --kc-file F]\n"
    "                 [--start DATE] [--step year|month|week|day] [--steps N] [--fill linear]\n"
    "                 [--max-gap D] [--delta V=C...] [--delta-file F]\n"
    "                 [--into INPUT.inp -o NEW.inp] [-o STEPS.csv] [--days DAYS.csv]\n"
    "       halosoil-batch region BASE.inp FIELDS.gpkg [--layer NAME] [--id COLUMN]\n"
    "                 [--refine] [--optimise] [--exchange] [--fill linear] [--max-gap D]\n"
    "                 [--crop NAME] [--crops FILE] [--ece-factor F]\n"
    "                 [-j N] -o RESULTS.gpkg [--outputs DIR] [--projects DIR]\n"
    "       halosoil-batch map RESULTS.gpkg QUANTITY[:final|mean|min|max|STEP] -o "
    "MAP.svg|MAP.png|MAP.html\n"
    "                 [--classes N] [--breaks a,b,c] [--threshold VALUE] [--title TEXT]\n"
    "       halosoil-batch yield OUTPUT.out --crop NAME [--crops FILE.csv] [--ece-factor F]\n"
    "                 [-o FILE.csv] | yield --list-crops [--crops FILE.csv]\n"
    "       halosoil-batch drains (--spacing L | --qh1 Q) --k-above K1 --k-below K2\n"
    "                 --impervious D --radius r\n"
    "       halosoil-batch design INPUT.inp --crop NAME --control NAME=LOW:HIGH...\n"
    "                 --require relative_yield>=Y[@final] [--probability P (--from REPORT.json\n"
    "                 | --parameter NAME=DISTRIBUTION...) [--members N]]\n"
    "                 --minimise irrigation|drainage|NAME [--seed N] [-j N] [-o DESIGN.inp]\n"
    "                 [--report DESIGN.json]\n"
    "       halosoil-batch --help | --version\n";

// The usage, what each command does, and the graph types one per line.
std::string BatchHelp();
// The graph types, one a line, each beside the caption of its button on the Graphs page.
std::string GraphTypeLines();

// A wrong command line: the usage on errors, after the complaint if one is given. Both yield
// kWrongUsage.
int WrongUsage(std::ostream& errors);
int WrongUsage(std::ostream& errors, const std::string& complaint);

}  // namespace halosoil
