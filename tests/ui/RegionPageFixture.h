// The Region page under test: the window with the region module opened from the build tree,
// layers of fields made with GDAL as a GIS writes them, and results GeoPackages made by hand.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGraphicsPathItem>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <future>

#include "MainFormFixture.h"
#include "RegionColumnsTable.h"
#include "RegionFieldChart.h"
#include "RegionFieldsTable.h"
#include "RegionLegend.h"
#include "RegionLibrary.h"
#include "RegionMapView.h"
#include "RegionPage.h"
#include "RegionResultsPanel.h"
#include "RegionRunner.h"
#include "ResultsGeoPackages.h"
#include "StudyWorker.h"
#include "TestFiles.h"
#include "TestLayers.h"

namespace halosoil::test {
namespace {

class RegionPageTest : public MainFormTest {
protected:
    void SetUp() override {
        RegionLibrary::UseModule(HALOSOIL_REGION_MODULE);
        MainFormTest::SetUp();
    }

    QString Path(const QString& name) const { return dir.filePath(name); }
    RegionPage* Page() { return W<RegionPage>("RegionPage"); }
    RegionMapView* Map() { return W<RegionMapView>("RegionMap"); }
    RegionLegend* Legend() { return W<RegionLegend>("RegionLegend"); }
    RegionColumnsTable* Columns() { return W<RegionColumnsTable>("RegionColumnsTable"); }
    QString Status() { return W<QLabel>("RegionStatusLabel")->text(); }
    void ShowRegionPage() { Pages()->setCurrentIndex(static_cast<int>(WindowPage::Region)); }

    // The one-layer monthly example on the Input page: the base of the region.
    void OpenExampleInput() {
        ASSERT_TRUE(QFile::copy(HALOSOIL_EXAMPLES "/one_layer_monthly.inp", Path("base.inp")));
        dialogs.files.push_back(Path("base.inp"));
        Click("OpenInpButton");
    }
    // Three squares side by side: their first layer's initial salinity, a groundwater inflow
    // under a name of the user's own and a crop that sets nothing.
    void WriteFields() {
        WriteTestLayer(
            Path("fields.gpkg").toStdString(),
            {{"initial_salinity_layer1", OFTReal}, {"gw_in", OFTReal}, {"crop", OFTString}},
            {{{{"initial_salinity_layer1", 3.0}, {"gw_in", 0.7}, {"crop", "wheat"}}, 0, 0, ""},
             {{{"initial_salinity_layer1", 5.0}, {"gw_in", 1.1}, {"crop", "cotton"}}, 100, 0, ""},
             {{{"initial_salinity_layer1", 9.0}, {"gw_in", 0.2}, {"crop", "rice"}}, 200, 0, ""}});
    }
    void OpenFields() {
        dialogs.files.push_back(Path("fields.gpkg"));
        Click("RegionOpenLayerButton");
    }
    // The base and the layer open, ready to run.
    void PrepareRegion() {
        OpenExampleInput();
        WriteFields();
        ShowRegionPage();
        OpenFields();
    }
    void Run(const QString& results) {
        dialogs.files.push_back(Path(results));
        Click("RegionRunButton");
        Page()->WaitForRegion();
    }
    // The fill of each field on the map.
    std::vector<QColor> Fills() {
        std::vector<QColor> fills;
        for (int k = 0; k < Map()->FieldCount(); ++k)
            fills.push_back(Map()->FieldItem(k)->brush().color());
        return fills;
    }
    // The legend's lines: the title, then a line per class and the grey of no value.
    QStringList LegendLines() {
        QStringList lines;
        for (int row = 0; row < Legend()->count(); ++row) lines << Legend()->item(row)->text();
        return lines;
    }
    // The colour of the legend's swatch on line row.
    QColor Swatch(int row) {
        return Legend()->item(row)->icon().pixmap(16, 16).toImage().pixelColor(8, 8);
    }
};

}  // namespace
}  // namespace halosoil::test
