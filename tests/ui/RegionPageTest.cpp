// The Region page from a layer and a base to a map: the columns and what each is taken as, the
// run on the worker (to the end, cancelled, or refused for the groundwater exchange), a field
// opened as a project of the Input page, and the refusal of a file that is no layer.
#include "RegionPageFixture.h"

namespace halosoil::test {
namespace {

TEST_F(RegionPageTest, TheLayersColumnsShowWhatEachIsTakenAs) {
    PrepareRegion();
    EXPECT_EQ(W<QLabel>("RegionLayerLabel")->text(), Path("fields.gpkg") + ": 3 fields");
    RegionColumnsTable* columns = Columns();
    ASSERT_EQ(columns->rowCount(), 3);
    const int salinity = columns->RowOf("initial_salinity_layer1");
    const int inflow = columns->RowOf("gw_in");
    const int crop = columns->RowOf("crop");
    ASSERT_GE(salinity, 0);
    ASSERT_GE(inflow, 0);
    ASSERT_GE(crop, 0);
    EXPECT_EQ(columns->UseOf(salinity), "initial_salinity_layer1");
    EXPECT_EQ(columns->item(salinity, RegionColumnsTable::UnitColumn)->text(), "dS/m");
    EXPECT_EQ(columns->UseOf(inflow), RegionColumnsTable::kNotUsed);
    EXPECT_EQ(columns->UseOf(crop), RegionColumnsTable::kNotUsed);
    EXPECT_TRUE(columns->ColumnUse().empty());

    // The user takes gw_in as the groundwater inflow and leaves the salinity unused.
    columns->ChooseUse(inflow, "groundwater_inflow");
    columns->ChooseUse(salinity, "");
    EXPECT_EQ(columns->item(inflow, RegionColumnsTable::UnitColumn)->text(), "mm/day");
    EXPECT_EQ(columns->item(salinity, RegionColumnsTable::UnitColumn)->text(), "");
    const std::map<std::string, std::string> chosen = {{"gw_in", "groundwater_inflow"},
                                                       {"initial_salinity_layer1", ""}};
    EXPECT_EQ(columns->ColumnUse(), chosen);
    EXPECT_FALSE(W<QComboBox>("ColumnUse_gw_in")->accessibleName().isEmpty());
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
}

TEST_F(RegionPageTest, ARunDrawsAnItemPerFieldAndAFieldOpensAsAProject) {
    PrepareRegion();
    Columns()->ChooseUse(Columns()->RowOf("gw_in"), "groundwater_inflow");
    EXPECT_EQ(W<QLabel>("RegionBaseLabel")->text(),
              "Base: the Input page's project " + Path("base.inp"));
    Run("results.gpkg");
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
    EXPECT_EQ(Status(), "3 fields: 3 ran, 0 stopped, 0 refused.");
    EXPECT_EQ(W<QProgressBar>("RegionProgressBar")->value(), 100);
    EXPECT_TRUE(QFile::exists(Path("results.gpkg")));
    ASSERT_EQ(Map()->FieldCount(), 3);
    // The squares of 100 m side by side keep their shape and order from west to east.
    const QRectF first = Map()->FieldItem(0)->path().boundingRect();
    const QRectF second = Map()->FieldItem(1)->path().boundingRect();
    EXPECT_GT(first.width(), 10);
    EXPECT_NEAR(first.width(), first.height(), 1e-6 * first.width());
    EXPECT_NEAR(second.left(), first.right(), 1e-6 * first.width());

    // The second field (gw_in 1.1, its first layer at 5 dS/m) as a project of its own.
    Page()->Results().SelectField(1);
    ASSERT_TRUE(On("RegionOpenProjectButton"));
    dialogs.files.push_back(Path("field2.inp"));
    Click("RegionOpenProjectButton");
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
    EXPECT_EQ(Pages()->currentIndex(), static_cast<int>(WindowPage::Input));
    EXPECT_EQ(form->Data().InputFileName, Path("field2.inp").toStdString());
    EXPECT_EQ(form->Data().GrwtInf, 1.1);
    EXPECT_EQ(form->Data().InitSalt[Layer1], 5);
    Click("CondOpenButton");
    EXPECT_EQ(E("GrwtInfEdit")->text(), "1.1");
}

TEST_F(RegionPageTest, TheIdsComeFromTheColumnChosen) {
    PrepareRegion();
    Columns()->ChooseUse(Columns()->RowOf("gw_in"), "groundwater_inflow");
    C("RegionIdCombo")->setCurrentText("crop");
    EXPECT_EQ(Columns()->UseOf(Columns()->RowOf("crop")), "the field's id");
    // The use chosen before stays.
    EXPECT_EQ(Columns()->UseOf(Columns()->RowOf("gw_in")), "groundwater_inflow");
    Run("results.gpkg");
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
    const region::ResultsLayer& results = Page()->Results().Layer();
    ASSERT_EQ(results.fields.size(), 3u);
    EXPECT_EQ(results.fields[0].id, "wheat");
    EXPECT_EQ(results.fields[2].id, "rice");
    // The third field, rice, with its inflow of 0.2 mm/day.
    Page()->Results().SelectField(2);
    dialogs.files.push_back(Path("rice.inp"));
    Click("RegionOpenProjectButton");
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
    EXPECT_EQ(form->Data().GrwtInf, 0.2);
    EXPECT_EQ(form->Data().InitSalt[Layer1], 9);
}

TEST_F(RegionPageTest, CancelLeavesThePreviousResults) {
    PrepareRegion();
    Run("results.gpkg");
    ASSERT_EQ(Map()->FieldCount(), 3);
    QFile before(Path("results.gpkg"));
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray previous = before.readAll();
    before.close();

    // The run is held before it begins, cancelled there, then let go.
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    Page()->Runner().Worker().SetStartGate([released] { released.wait(); });
    dialogs.files.push_back(Path("results.gpkg"));
    dialogs.answers = {true};  // overwrite the previous results
    Click("RegionRunButton");
    EXPECT_TRUE(Page()->RegionRunning());
    EXPECT_TRUE(On("RegionCancelButton"));
    EXPECT_FALSE(On("RegionRunButton"));
    Click("RegionCancelButton");
    release.set_value();
    Page()->WaitForRegion();

    EXPECT_EQ(Status(), "The region was stopped.");
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
    QFile after(Path("results.gpkg"));
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), previous);
    EXPECT_EQ(Map()->FieldCount(), 3);
    EXPECT_FALSE(On("RegionCancelButton"));
    EXPECT_TRUE(On("RegionRunButton"));
}

TEST_F(RegionPageTest, WithTheExchangeOfGroundwaterTheFieldsRunTogether) {
    PrepareRegion();
    W<QCheckBox>("RegionExchangeCheck")->setChecked(true);
    Run("results.gpkg");
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
    EXPECT_EQ(Map()->FieldCount(), 3);
    // The exchange's own table is in the results: the neighbours of each field.
    QFile results(Path("results.gpkg"));
    ASSERT_TRUE(results.open(QIODevice::ReadOnly));
    const QByteArray bytes = results.readAll();
    EXPECT_TRUE(bytes.contains("lateral_inflow"));
    EXPECT_TRUE(bytes.contains("CREATE TABLE \"neighbours\""));
}

TEST_F(RegionPageTest, AFileThatIsNoLayerIsRefusedByName) {
    ShowRegionPage();
    WriteBytes(Path("broken.gpkg"), "this is no GeoPackage\n");
    dialogs.files.push_back(Path("broken.gpkg"));
    Click("RegionOpenLayerButton");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].startsWith(Path("broken.gpkg") + ": not a layer GDAL can read"))
        << dialogs.messages[0].toStdString();
    EXPECT_EQ(W<QLabel>("RegionLayerLabel")->text(), "No layer is open.");
    EXPECT_FALSE(On("RegionRunButton"));
}

TEST_F(RegionPageTest, ARunWithoutABaseSaysWhy) {
    WriteFields();
    ShowRegionPage();
    OpenFields();
    Click("RegionRunButton");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0],
              "There is no base project: choose one, or complete the Input page's. The Input "
              "page's project is not complete.");
}

TEST_F(RegionPageTest, AColumnTakenAsNoParameterIsRefusedBeforeTheRun) {
    // A parameter's name given twice: the layer's own column and one the user points at it.
    PrepareRegion();
    Columns()->ChooseUse(Columns()->RowOf("gw_in"), "initial_salinity_layer1");
    Run("results.gpkg");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0], Path("fields.gpkg") +
                                       ": the columns 'initial_salinity_layer1' and 'gw_in' are "
                                       "both read as initial_salinity_layer1");
    EXPECT_FALSE(QFile::exists(Path("results.gpkg")));
}

}  // namespace
}  // namespace halosoil::test
