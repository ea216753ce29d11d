// The Output page's two tables as CSV files for spreadsheets and scripts: UTF-8, commas
// between the cells, the point as decimal separator, and one heading row that names each
// column with its unit in place of the grid's unit-only headings.
#pragma once

#include <string>
#include <vector>

#include "OutputTables.h"

namespace halosoil {

// The headings of the salinity table of 1, 2 or 3 root-zone layers.
std::vector<std::string> SalinityCsvHeadings(int layers);
std::vector<std::string> HydrologyCsvHeadings();

// The headings, then rows 1 onwards of the table. The blanks that align the grid's cells are
// dropped, a missing measurement (the hyphen) becomes an empty cell, a cell holding a comma,
// a quote or a line break is quoted. Lines end in a line feed.
std::string CsvText(const TextTable& table, const std::vector<std::string>& headings);

}  // namespace halosoil
