// The table of a region's fields on the Region page: each field's id, status, the quantity's
// summaries and the value on the map; and the same as CSV.
#pragma once

#include <QTableWidget>
#include <optional>
#include <string>
#include <vector>

#include "ResultsLayer.h"

namespace halosoil {

class RegionFieldsTable : public QTableWidget {
    Q_OBJECT
public:
    explicit RegionFieldsTable(QWidget* parent = nullptr);

    // summaryColumns names the four summaries' columns (final, mean, min, max) as the results
    // name them; shownHeading the map's value, shown[k] field k's.
    void ShowFields(const region::ResultsLayer& layer,
                    const std::vector<std::string>& summaryColumns, const QString& shownHeading,
                    const std::vector<std::optional<double>>& shown);
    // The table as it stands: the headings, then a line per field; a cell with a comma, a quote
    // or a line break quoted.
    std::string Csv() const;
};

}  // namespace halosoil
