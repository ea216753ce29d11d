// The map of a region's results on the Region page, over a GeoPackage made by hand with known
// values: the classes and colours of `halosoil-batch map` in the map and its legend, the
// summary, the step slider and the quantity recolouring it, a click showing the field's
// series, and the map and the table saved.
#include <QImage>

#include "RegionPageFixture.h"

namespace halosoil::test {
namespace {

class RegionMapTest : public RegionPageTest {
protected:
    // Three squares of 100 m, west to east, with salinity_layer1 final 2, 4 and 8 (so means
    // 12, 14, 18, minima 1, 3, 7, maxima 3, 5, 9) and steps 1, 5, 9 / 3, 3, 1 / 2, -, 4.
    void WriteResults() {
        ResultsFile file;
        file.epsg = 32643;
        file.quantity = study::Quantity::SalinityLayer1;
        file.fields = {{"f1", Square(500000, 3000000, 100), 2, {1, 5, 9}},
                       {"f2", Square(500100, 3000000, 100), 4, {3, 3, 1}},
                       {"f3", Square(500200, 3000000, 100), 8, {2, std::nullopt, 4}}};
        WriteResultsGeoPackage(Path("made.gpkg").toStdString(), file);
    }
    void OpenResults() {
        WriteResults();
        ShowRegionPage();
        dialogs.files.push_back(Path("made.gpkg"));
        Click("RegionOpenResultsButton");
    }
    // Each field is filled with the swatch of the legend's line given for it.
    void ExpectFillsOfLines(const std::vector<int>& lines) {
        const std::vector<QColor> fills = Fills();
        ASSERT_EQ(fills.size(), lines.size());
        for (std::size_t k = 0; k < lines.size(); ++k)
            EXPECT_EQ(fills[k], Swatch(lines[k])) << "field " << k + 1;
    }
};

TEST_F(RegionMapTest, TheFinalValuesAreClassedAsTheBatchMapClassesThem) {
    OpenResults();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
    ASSERT_EQ(Map()->FieldCount(), 3);
    // The file has no water table: the map takes the first quantity with values.
    EXPECT_EQ(C("RegionQuantityCombo")->currentText(), "salinity_layer1");
    // Three distinct values for five classes: a class each, the breaks halfway, (2+4)/2 = 3
    // and (4+8)/2 = 6.
    EXPECT_EQ(LegendLines(), QStringList({"salinity_layer1 (dS/m), final", "< 3", "3 – 6", "≥ 6"}));
    ExpectFillsOfLines({1, 2, 3});
    EXPECT_NE(Swatch(1), Swatch(2));
    EXPECT_NE(Swatch(2), Swatch(3));
}

TEST_F(RegionMapTest, ASummaryAndAStepRecolourTheMap) {
    OpenResults();
    C("RegionSummaryCombo")->setCurrentText("mean");
    // Means 12, 14, 18: breaks 13 and 16.
    EXPECT_EQ(LegendLines(),
              QStringList({"salinity_layer1 (dS/m), mean", "< 13", "13 – 16", "≥ 16"}));
    ExpectFillsOfLines({1, 2, 3});

    // Step 2: 5 and 3, the third field without a value; two classes split at (3+5)/2 = 4.
    W<QSlider>("RegionStepSlider")->setValue(2);
    EXPECT_EQ(C("RegionSummaryCombo")->currentText(), "at the step");
    EXPECT_EQ(W<QLabel>("RegionStepLabel")->text(), "step 2 of 3");
    EXPECT_EQ(LegendLines(),
              QStringList({"salinity_layer1 (dS/m), step 2", "< 4", "≥ 4", "no data (1 field)"}));
    ExpectFillsOfLines({2, 1, 3});
    EXPECT_EQ(Fills()[2], QColor(204, 204, 204));

    // Step 3: 9, 1 and 4, a class each again, breaks (1+4)/2 = 2.5 and (4+9)/2 = 6.5.
    W<QSlider>("RegionStepSlider")->setValue(3);
    EXPECT_EQ(LegendLines(),
              QStringList({"salinity_layer1 (dS/m), step 3", "< 2.5", "2.5 – 6.5", "≥ 6.5"}));
    ExpectFillsOfLines({3, 1, 2});
}

TEST_F(RegionMapTest, AQuantityWithoutValuesIsRefusedAndTheMapKeepsItsOwn) {
    OpenResults();
    C("RegionQuantityCombo")->setCurrentText("drainage");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0],
              Path("made.gpkg") +
                  " has no value of drainage (final) in any field: the projects lack the zone, "
                  "or every field was refused");
    EXPECT_EQ(C("RegionQuantityCombo")->currentText(), "salinity_layer1");
    EXPECT_EQ(LegendLines().first(), "salinity_layer1 (dS/m), final");
}

TEST_F(RegionMapTest, AClickOnAFieldShowsItsSeries) {
    OpenResults();
    form->resize(1100, 800);
    form->show();
    QApplication::processEvents();
    Map()->ZoomToAll();
    const QPoint centre = Map()->mapFromScene(Map()->FieldItem(0)->boundingRect().center());
    QTest::mouseClick(Map()->viewport(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(Page()->Results().SelectedField(), 0);
    EXPECT_EQ(W<QLabel>("RegionFieldLabel")->text(), "Field f1 (ok)");
    const QList<QPointF> expected = {{1, 1}, {2, 5}, {3, 9}};
    EXPECT_EQ(W<RegionFieldChart>("RegionFieldChart")->Points(), expected);
    EXPECT_TRUE(On("RegionOpenProjectButton"));

    // The third field has no value at step 2: its line leaves the step out.
    Page()->Results().SelectField(2);
    const QList<QPointF> third = {{1, 2}, {3, 4}};
    EXPECT_EQ(W<RegionFieldChart>("RegionFieldChart")->Points(), third);
}

TEST_F(RegionMapTest, TheMapSavesAsPngAndSvgAndTheTableAsCsv) {
    OpenResults();
    W<QSlider>("RegionStepSlider")->setValue(2);
    dialogs.files = {Path("map.png"), Path("map.svg"), Path("fields.csv")};
    Click("RegionSaveMapButton");
    Click("RegionSaveMapButton");
    Click("RegionSaveCsvButton");
    EXPECT_EQ(dialogs.messages, QStringList({"The map was saved as  " + Path("map.png"),
                                             "The map was saved as  " + Path("map.svg"),
                                             "The table was saved as  " + Path("fields.csv")}));
    const QImage png(Path("map.png"), "PNG");
    ASSERT_FALSE(png.isNull());
    QFile svg(Path("map.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray drawing = svg.readAll();
    EXPECT_TRUE(drawing.contains(QString("width=\"%1\"").arg(png.width()).toUtf8()));
    EXPECT_TRUE(drawing.contains("salinity_layer1, step 2"));
    EXPECT_TRUE(drawing.contains("no data (1 field)"));
    QFile csv(Path("fields.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(csv.readAll()),
              "field,status,salinity_layer1_final,salinity_layer1_mean,salinity_layer1_min,"
              "salinity_layer1_max,salinity_layer1 step 2\n"
              "f1,ok,2,12,1,3,5\n"
              "f2,ok,4,14,3,5,3\n"
              "f3,ok,8,18,7,9,\n");
}

TEST_F(RegionMapTest, AResultsFileDroppedOnTheWindowOpensOnTheRegionPage) {
    WriteResults();
    form->OpenFileNamed(Path("made.gpkg"));
    EXPECT_EQ(Pages()->currentIndex(), static_cast<int>(WindowPage::Region));
    EXPECT_EQ(Map()->FieldCount(), 3);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
}

}  // namespace
}  // namespace halosoil::test
