// Changing the number of root-zone layers carries the soil rows and the salinity columns over
// to the panels of the new layer count, zone by zone.
#include "LayerCarryOver.h"
#include "MainFormFixture.h"

namespace halosoil::test {
namespace {

// A soil grid whose every cell names its zone and column, e.g. "L2c3", "Tc0", "Ac4".
void FillNamedSoil(StringGrid& grid, int layers) {
    const QStringList zones = layers == 1   ? QStringList{"L1", "T", "A"}
                              : layers == 2 ? QStringList{"L1", "L2", "T", "A"}
                                            : QStringList{"L1", "L2", "L3", "T", "A"};
    for (int row = 0; row < zones.size(); ++row)
        for (int col = 0; col < 5; ++col)
            grid.SetCell(col, row, zones[row] + "c" + QString::number(col));
}

QStringList SoilRows(const StringGrid& grid, int layers) {
    QStringList rows;
    for (int row = 0; row < layers + 2; ++row) {
        QString first = grid.Cell(0, row);
        rows << first.left(first.indexOf('c'));
        for (int col = 1; col < 5; ++col)
            EXPECT_EQ(grid.Cell(col, row), rows.last() + "c" + QString::number(col));
    }
    return rows;
}

struct Change {
    int from;
    int to;
    QStringList rows;
};

// The table of carried rows (soil) and columns (salinity).
const Change kChanges[] = {
    {1, 2, {"L1", "L1", "T", "A"}},
    {1, 3, {"L1", "L1", "L1", "T", "A"}},
    {2, 3, {"L1", "L1", "L2", "T", "A"}},
    {2, 1, {"L1", "T", "A"}},
    {3, 1, {"L1", "T", "A"}},
    {3, 2, {"L1", "L2", "T", "A"}},
};

TEST(CarryOver, SoilRowsFollowTheTable) {
    for (const Change& change : kChanges) {
        StringGrid from(5, change.from + 2, nullptr, false);
        StringGrid to(5, change.to + 2, nullptr, false);
        FillNamedSoil(from, change.from);
        CarrySoilGrid(from, change.from, to, change.to);
        EXPECT_EQ(SoilRows(to, change.to), change.rows) << change.from << "->" << change.to;
    }
}

TEST(CarryOver, SalinityColumnsFollowTheTableForTheRowsOfTheSteps) {
    for (const Change& change : kChanges) {
        StringGrid from(change.from + 3, 5, nullptr);
        StringGrid to(change.to + 3, 5, nullptr);
        const QStringList names = change.from == 1   ? QStringList{"L1", "T", "A"}
                                  : change.from == 2 ? QStringList{"L1", "L2", "T", "A"}
                                                     : QStringList{"L1", "L2", "L3", "T", "A"};
        for (int col = 1; col <= names.size(); ++col)
            for (int row = 1; row <= 4; ++row)
                from.SetCell(col, row, names[col - 1] + "r" + QString::number(row));
        CarrySalinityGrid(from, change.from, to, change.to, 3);
        for (int col = 1; col <= change.rows.size(); ++col) {
            for (int row = 1; row <= 3; ++row)
                EXPECT_EQ(to.Cell(col, row), change.rows[col - 1] + "r" + QString::number(row))
                    << change.from << "->" << change.to << " col " << col;
            EXPECT_EQ(to.Cell(col, 4), "");  // beyond the number of steps
        }
    }
}

using CarryOverWindow = MainFormTest;

TEST_F(CarryOverWindow, TwoToThreeLayersCarriesTheEnteredGridsAndLeavesTheRecord) {
    EnterProject(SampleEntry(2));
    Type(G("SaltGrid2"), 2, 4, "5.1");
    Type(G("SaltGrid2"), 4, 6, "2.2");
    const ZoneValues thickBefore = form->Data().Thick;
    Click("GenOpenButton");
    C("LayersCombo")->setCurrentIndex(2);
    Click("GenSaveButton");
    StringGrid* soil3 = G("Soil3Grid");
    const QStringList thick = {soil3->Cell(0, 0), soil3->Cell(0, 1), soil3->Cell(0, 2),
                               soil3->Cell(0, 3), soil3->Cell(0, 4)};
    EXPECT_EQ(thick, QStringList({"0.3", "0.3", "0.3", "1.4", "10"}));
    EXPECT_EQ(soil3->Cell(1, 2), "44");  // old layer 2
    EXPECT_EQ(soil3->Cell(4, 1), "6");   // old layer 1
    EXPECT_EQ(soil3->Cell(3, 4), "100");
    StringGrid* salt3 = G("SaltGrid3");
    EXPECT_EQ(salt3->Cell(1, 2), "6.5");
    EXPECT_EQ(salt3->Cell(2, 2), "6.5");
    EXPECT_EQ(salt3->Cell(3, 4), "5.1");
    EXPECT_EQ(salt3->Cell(5, 6), "2.2");
    EXPECT_EQ(salt3->RowCount(), 12);
    EXPECT_TRUE(W<SoilPanel>("Soil2Panel")->isHidden());
    EXPECT_EQ(form->Data().Thick, thickBefore);
    // The soil group now opens the three-layer panel.
    Click("HydrSaveButton");
    EXPECT_EQ(ShownPanels(), QStringList({"Soil3Panel"}));
}

}  // namespace
}  // namespace halosoil::test
