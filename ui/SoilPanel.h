// The soil panel of a root zone of one, two or three layers: a grid of five columns
// (thickness, total porosity, effective porosity, leaching efficiency, initial salinity) with
// one row per zone. What a Save takes of an empty cell, whether it reports incomplete zones and
// its messages differ per layer count (SoilPanel.cpp).
#pragma once

#include "InputPanelFrame.h"

class QPushButton;

namespace halosoil {

class StringGrid;

class SoilPanel : public InputPanelFrame {
    Q_OBJECT
public:
    SoilPanel(InputData& data, const InputWorkflow& workflow, Dialogs& dialogs, int layers,
              QWidget* parent);

    int Layers() const { return layers_; }
    // The zone (1..5) of a grid row.
    int ZoneOfRow(int row) const;

    // The handlers of the Save and Cancel buttons Soil<n>SaveButton and Soil<n>QuitButton.
    void SaveButtonClick() override;

    StringGrid* Grid = nullptr;

    // How an empty cell is taken.
    enum class EmptyCell { Invalid, Missing };

signals:
    // Zones without thickness or porosities were reported: the run will show no output.
    void SoilReportedIncomplete();

private:
    // Reads the cells column by column into the record; a filled cell is stored even when a
    // later one fails. Returns false when an empty cell made the input invalid.
    bool ReadGrid(EmptyCell (*emptyRule)(int col, int row));

    int layers_;
};

}  // namespace halosoil
