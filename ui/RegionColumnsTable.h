// The columns of a fields layer and what each is taken as: a movable parameter of the
// parameter table (by the column's name, or as the user chooses for a column of another
// name), the field's own base project, station or elevation, its id, or nothing. The
// user's choices become the layer choice's column uses.
#pragma once

#include <QTableWidget>
#include <map>
#include <string>
#include <vector>

namespace halosoil {

class RegionColumnsTable : public QTableWidget {
    Q_OBJECT
public:
    enum Column { NameColumn, UseColumn, UnitColumn };

    explicit RegionColumnsTable(QWidget* parent = nullptr);

    // Shows the layer's columns, each taken as its name says; idColumn is the ids' column.
    void ShowColumns(const std::vector<std::string>& columns, const std::string& idColumn);
    // The uses the user chose where they differ from the columns' names.
    std::map<std::string, std::string> ColumnUse() const;
    // What the column of a row is taken as ("qh1", "(not used)", "the field's id", ...).
    QString UseOf(int row) const;
    // Takes the column of row as parameter (a name of the table's), or as nothing for "".
    void ChooseUse(int row, const QString& parameter);
    int RowOf(const QString& column) const;

    // The texts of a column that is no parameter.
    static const QString kNotUsed;

signals:
    void UseChanged();

private:
    void ShowUnit(int row);
};

}  // namespace halosoil
