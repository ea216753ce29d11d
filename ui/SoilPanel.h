// What the three soil panels share: a grid of five columns (thickness, total porosity,
// effective porosity, leaching efficiency, initial salinity) with one row per zone, the
// reading of that grid into the project record and the steps of a Save that passes.
#pragma once

#include <QFrame>

class QPushButton;

namespace halosoil {

class MainForm;
class StringGrid;

class SoilPanel : public QFrame {
    Q_OBJECT
public:
    SoilPanel(MainForm& form, int layers, QWidget* parent);

    int Layers() const { return layers_; }
    // The zone (1..5) of a grid row.
    int ZoneOfRow(int row) const;

    virtual void SaveButtonClick() = 0;
    virtual void QuitButtonClick();

    StringGrid* Grid = nullptr;
    QPushButton* QuitButton = nullptr;
    QPushButton* SaveButton = nullptr;

protected:
    // How an empty cell is taken.
    enum class EmptyCell { Invalid, Missing };
    // Reads the cells column by column into the record; a filled cell is stored even when a
    // later one fails. Returns false when an empty cell made the input invalid.
    bool ReadGrid(EmptyCell (*emptyRule)(int col, int row));
    void FinishSave(const char* completeMessage, const char* firstPassMessage);

    MainForm& form_;

private:
    int layers_;
};

}  // namespace halosoil
