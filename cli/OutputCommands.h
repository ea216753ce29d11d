// The commands of halosoil-batch that export an output file: its tables as CSV and its graphs
// as SVG, PNG or BMP.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace halosoil {

// halosoil-batch table salinity|hydrology OUTPUT.out [-o FILE.csv]
int TableCommand(const std::vector<std::string>& arguments, std::ostream& out,
                 std::ostream& errors);
// halosoil-batch graph TYPE OUTPUT.out -o FILE.svg|png|bmp
int GraphCommand(const std::vector<std::string>& arguments, std::ostream& errors);

// halosoil-batch with its arguments: --help and --version on out, the export commands, and
// run and convert.
int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out,
                   std::ostream& errors);

}  // namespace halosoil
