// The Region page's results: a results GeoPackage drawn as a map of its fields, coloured by the
// classes and ramp of `halosoil-batch map`, with its legend; the quantity and what of it the map
// shows (a summary, or the step of the slider); the clicked field's series in a chart; the
// table of the fields; the map saved as PNG or SVG and the table as CSV.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "Dialogs.h"
#include "MapDrawing.h"
#include "ResultsLayer.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

namespace halosoil {

class RegionFieldChart;
class RegionFieldsTable;
class RegionLegend;
class RegionMapView;

class RegionResultsPanel : public QWidget {
    Q_OBJECT
public:
    explicit RegionResultsPanel(Dialogs& dialogs, QWidget* parent = nullptr);

    // Reads the results of path with the quantity chosen. Throws HalosoilError; the results on
    // view then stay.
    void Open(const QString& path);
    bool HasResults() const { return !path_.isEmpty(); }
    const QString& Path() const { return path_; }
    const region::ResultsLayer& Layer() const { return layer_; }
    // The field clicked last; -1 for none.
    int SelectedField() const { return selected_; }
    void SelectField(int field);
    // What the map shows of field k, and its colour.
    std::optional<double> ShownValue(int field) const;

    void SaveMapButtonClick();
    void SaveCsvButtonClick();

signals:
    // "Open as project" for the selected field.
    void OpenProjectRequested(int field);

private:
    QWidget* BuildControls();
    void QuantityChosen();
    void Recolour();
    void ShowSelectedSeries();
    void EnableControls();
    // The results as the map on view shows them, for the saved map.
    region::ResultsLayer ShownLayer() const;
    region::MapChoice ShownChoice() const;
    void Save(const QString& filter, const QString& extension,
              const std::function<std::string(const QString&)>& bytesFor);

    Dialogs& dialogs_;
    QString path_;
    QString folder_;
    region::ResultsLayer layer_;
    region::MapLayout layout_;
    region::MapClasses classes_;
    int selected_ = -1;

    QComboBox* quantityCombo_ = nullptr;
    QComboBox* summaryCombo_ = nullptr;
    QSlider* stepSlider_ = nullptr;
    QLabel* stepLabel_ = nullptr;
    QLabel* fieldLabel_ = nullptr;
    QPushButton* saveMapButton_ = nullptr;
    QPushButton* saveCsvButton_ = nullptr;
    QPushButton* openProjectButton_ = nullptr;
    RegionMapView* map_ = nullptr;
    RegionLegend* legend_ = nullptr;
    RegionFieldChart* chart_ = nullptr;
    RegionFieldsTable* table_ = nullptr;
};

}  // namespace halosoil
