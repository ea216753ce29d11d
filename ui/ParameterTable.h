// The movable numbers of the project on the Calibration page: a row per parameter with a
// check box and its name, what it means, its unit, its value in the project and the bounds a
// study may move it within. Bounds are checked as they are typed: a refused bound's cell is
// marked and the refusal told through the status callback.
#pragma once

#include <QTableWidget>
#include <functional>
#include <vector>

#include "InputData.h"
#include "Parameters.h"

namespace halosoil {

class ParameterTable : public QTableWidget {
    Q_OBJECT
public:
    enum Column { NameColumn, MeaningColumn, UnitColumn, ValueColumn, LowColumn, HighColumn };

    explicit ParameterTable(QWidget* parent = nullptr);

    // A row for each parameter the project has, with the default bounds, none checked.
    void SetUp(const InputData& data);
    // The values in the project after it changed; the rows and bounds stay.
    void ShowValues(const InputData& data);
    // Where the refusal of a typed bound goes, or an empty text when every bound is right.
    void SetStatusSink(std::function<void(const QString&)> sink) { status_ = std::move(sink); }

    int RowOf(const std::string& name) const;
    // The checked parameters with their bounds; throws the first refusal (MakeParameter's,
    // or CheckParameterSet's for the set).
    std::vector<study::Parameter> Checked() const;
    // Whether a row's bounds are refused (its cells are marked).
    bool Refused(int row) const;

private:
    study::Parameter ParameterOfRow(int row) const;
    void CheckRow(int row);
    void OnItemChanged(QTableWidgetItem* item);

    InputData project_;
    std::vector<study::Parameter> defaults_;
    std::function<void(const QString&)> status_;
};

}  // namespace halosoil
