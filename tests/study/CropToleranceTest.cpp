// The crop table: the published figures of the shipped table, a table of one's own with its
// damage named by line, the crops found by name with the close names of a slip, and a crop
// given by its numbers.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "CropTolerance.h"
#include "Errors.h"
#include "ExpectRefusals.h"
#include "ExpectThrowMsg.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;
using halosoil::test::ExpectRefusals;

TEST(CropTolerance, TheShippedTableHoldsThePublishedThresholdsAndSlopes) {
    const CropTable& table = ShippedCrops();
    EXPECT_GE(table.size(), 40u);
    // Maas and Hoffman's figures as FAO-29's Table 4 gives them: the ECe of full yield, and
    // the loss per dS/m from the ECe at which the yield is nil (barley 28 dS/m: 100 / (28 - 8)
    // = 5.0; cotton 27: 100 / 19.3 = 5.2; wheat 20: 100 / 14 = 7.1; maize 10: 100 / 8.3 = 12;
    // bean 6.3: 100 / 5.3 = 19).
    struct Published {
        const char* name;
        double threshold, slope;
        const char* toleranceClass;
    };
    for (const Published& crop :
         {Published{"barley", 8.0, 5.0, "tolerant"}, Published{"cotton", 7.7, 5.2, "tolerant"},
          Published{"wheat", 6.0, 7.1, "moderately tolerant"},
          Published{"maize", 1.7, 12, "moderately sensitive"},
          Published{"bean", 1.0, 19, "sensitive"},
          Published{"alfalfa", 2.0, 7.3, "moderately sensitive"},
          Published{"date_palm", 4.0, 3.6, "tolerant"}}) {
        SCOPED_TRACE(crop.name);
        const Crop& found = CropNamed(table, crop.name);
        EXPECT_EQ(found.threshold, crop.threshold);
        EXPECT_EQ(found.slope, crop.slope);
        EXPECT_EQ(found.toleranceClass, crop.toleranceClass);
    }
    // Every row says where it comes from and in which of the four classes it lies.
    const std::set<std::string> classes = {"sensitive", "moderately sensitive",
                                           "moderately tolerant", "tolerant"};
    for (const Crop& crop : table) {
        SCOPED_TRACE(crop.name);
        EXPECT_FALSE(crop.source.empty());
        EXPECT_EQ(classes.count(crop.toleranceClass), 1u);
        EXPECT_GT(crop.slope, 0);
    }
}

TEST(CropTolerance, AUsersTableIsReadWithItsOwnRowsAndItsDamageNamedByLine) {
    const CropTable table = ReadCropTable(
        "crop,threshold,slope,class,source\r\n"
        "Local millet, 5.5 ,9,moderately tolerant,field trial 2019\r\n"
        "\r\n"
        "guava,2.1,12\r\n",
        "own.csv");
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].name, "Local millet");
    EXPECT_EQ(table[0].threshold, 5.5);
    EXPECT_EQ(table[0].slope, 9);
    EXPECT_EQ(table[0].source, "field trial 2019");
    EXPECT_EQ(table[1].toleranceClass, "");
    // The name is found in any case.
    EXPECT_EQ(CropNamed(table, "LOCAL MILLET").threshold, 5.5);

    ExpectRefusals(
        [](const std::string& text) { ReadCropTable(text, "own.csv"); },
        {
            {"name,t,b\nx,1,2\n",
             "own.csv, line 1: the first line must be the heading "
             "crop,threshold,slope,class,source"},
            {"crop,threshold,slope\nrye,1l,2\n", "own.csv, line 2: threshold '1l' is not a number"},
            {"crop,threshold,slope\nrye,1,-2\n",
             "own.csv, line 2: slope -2 is negative; it must be 0 or more"},
            {"crop,threshold,slope\nrye,1\n",
             "own.csv, line 2: a crop's line has 3 to 5 cells "
             "(crop,threshold,slope,class,source), not 2"},
            {"crop,threshold,slope\nrye,1,2\n\nRye,3,4\n",
             "own.csv, line 4: the crop Rye is named twice"},
            {"crop,threshold,slope\n,1,2\n", "own.csv, line 2: the crop has no name"},
            {"crop,threshold,slope\n", "own.csv: the file holds no crop"},
        });
}

TEST(CropTolerance, AnUnknownCropIsRefusedWithTheNamesCloseToIt) {
    const CropTable& table = ShippedCrops();
    ExpectRefusals(
        [&](const std::string& name) { CropNamed(table, name); },
        {
            // One letter swapped: two edits from wheat.
            {"whaet", "Unknown crop 'whaet'; close names: wheat"},
            // A part of two names, and beet within two edits.
            {"sweet", "Unknown crop 'sweet'; close names: sweet_corn, sweet_potato, beet"},
            {"kiwifruit",
             "Unknown crop 'kiwifruit'; halosoil-batch yield --list-crops lists the "
             "crops"},
        });
}

TEST(CropTolerance, ACropOfOnesOwnIsGivenByItsThresholdAndSlope) {
    const Crop crop = ChosenCrop(ShippedCrops(), "slope=12.5, threshold=3");
    EXPECT_EQ(crop.threshold, 3);
    EXPECT_EQ(crop.slope, 12.5);
    EXPECT_EQ(ChosenCrop(ShippedCrops(), "Barley").threshold, 8.0);
    const std::string form = "; a crop of its own is threshold=T,slope=B (dS/m, % per dS/m)";
    ExpectRefusals(
        [](const std::string& text) { ParseOwnCrop(text); },
        {
            {"threshold=3", "--crop 'threshold=3': slope is missing" + form},
            {"threshold=3,slope=x",
             "--crop 'threshold=3,slope=x': slope 'x' is not a number" + form},
            {"threshold=-1,slope=2",
             "--crop 'threshold=-1,slope=2': threshold -1 is negative" + form},
            {"threshold=1,slope=2,threshold=3",
             "--crop 'threshold=1,slope=2,threshold=3': threshold is given twice" + form},
            {"t=1,slope=2",
             "--crop 't=1,slope=2': 't=1' is neither threshold=T nor slope=B" + form},
        });
}

TEST(CropTolerance, TheListHasOneCropALineWithItsNumbersClassAndSource) {
    const CropTable table = ReadCropTable(
        "crop,threshold,slope,class,source\nbarley,8.0,5.0,tolerant,M&H\nbean,1,19,,\n", "t");
    EXPECT_EQ(CropListText(table),
              "crop    threshold dS/m  slope %/(dS/m)  class     source\n"
              "barley               8               5  tolerant  M&H\n"
              "bean                 1              19\n");
}

}  // namespace
