// The grey heading boxes of the Output page, read-only, over the output table: the hydrology
// table's and the salinity table's for a root zone of 1, 2 and 3 layers, and how they name
// the grid's columns word by word. Their last line holds one name per column from column 1 on,
// the step column having none. The box is moved right to where column 1 begins, and its
// characters are spaced so that each name starts over its own column, whatever the layer
// count and whatever font size the desktop uses.
#pragma once

#include <QStringList>
#include <array>

class QHBoxLayout;
class QLayout;
class QPlainTextEdit;
class QSpacerItem;
class QWidget;

namespace halosoil {

class StringGrid;

class OutputHeadings {
public:
    // The boxes are made on page.
    explicit OutputHeadings(QWidget* page);

    // The boxes one under the other behind the indent that aligns them, for the page's layout,
    // which takes it over.
    QLayout* Row() const;
    // The salinity heading of a root zone of layers over grid, the others hidden.
    void ShowSalinity(int layers, const StringGrid& grid);
    // The hydrology heading over grid, the others hidden.
    void ShowHydrology(const StringGrid& grid);
    void Hide();
    bool HydrologyShown() const;

private:
    QPlainTextEdit* Box(const char* name, const QStringList& lines);
    // Moves heading over the grid's columns and spaces its characters so that each column
    // name stands over its column.
    void Align(QPlainTextEdit* heading, const StringGrid& grid);

    QWidget* page_;
    QPlainTextEdit* hydrology_ = nullptr;
    // The salinity table's heading for a root zone of 1, 2 and 3 layers.
    std::array<QPlainTextEdit*, 3> salinity_{};
    QSpacerItem* indent_ = nullptr;
    QHBoxLayout* row_ = nullptr;
};

}  // namespace halosoil
