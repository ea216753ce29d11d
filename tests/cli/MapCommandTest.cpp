// halosoil-batch map: a hand-made results GeoPackage drawn as SVG, PNG and HTML, and every
// request the command refuses, with its message and exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "BatchTestSupport.h"
#include "ResultsGeoPackages.h"

namespace {

namespace fs = std::filesystem;
using halosoil::test::ReadBytes;
using halosoil::test::ResultsField;
using halosoil::test::ResultsFile;
using halosoil::test::RunBatch;
using halosoil::test::Scratch;
using halosoil::test::Square;

// Four fields of 1 km in UTM 43N (EPSG:32643), 2 x 2 km from (500000, 3300000): a (lower left,
// salinity_layer1 final 1), b (lower right, 2), c (upper left, 3), d (upper right, refused),
// three steps each of the final value times the step.
fs::path Block(const fs::path& folder, int epsg = 32643) {
    ResultsFile file;
    file.epsg = epsg;
    const auto field = [](std::string id, double x, double y, std::optional<double> v) {
        std::vector<std::optional<double>> steps;
        for (int s = 1; s <= 3; ++s) steps.push_back(v ? std::optional(*v * s) : std::nullopt);
        return ResultsField{std::move(id), Square(x, y, 1000), v, steps};
    };
    file.fields = {field("a", 500000, 3300000, 1), field("b", 501000, 3300000, 2),
                   field("c", 500000, 3301000, 3), field("d", 501000, 3301000, std::nullopt)};
    const fs::path path = folder / "results.gpkg";
    halosoil::test::WriteResultsGeoPackage(path, file);
    return path;
}

std::string FirstLine(const fs::path& file) {
    const std::string text = ReadBytes(file);
    return text.substr(0, text.find('\n'));
}

TEST(MapCommand, DrawsTheFieldsAsSvgInTheirClassesColours) {
    const fs::path folder = Scratch("map-svg");
    const fs::path results = Block(folder);
    const fs::path svg = folder / "map.svg";
    ASSERT_EQ(RunBatch("map " + results.string() + " salinity_layer1 --breaks 1.5,2.5 -o " +
                           svg.string() + " --threshold 2.5",
                       folder / "err"),
              0)
        << ReadBytes(folder / "err");
    const std::string document = ReadBytes(svg);
    // 2 km into 560 pixels: 0.28 a metre; a from x 16 to 296, y 612 (south) to 332.
    EXPECT_NE(document.find("width=\"854\" height=\"684\""), std::string::npos);
    EXPECT_NE(document.find("<path d=\"M16 612 L296 612 L296 332 L16 332 Z\" fill=\"#fde725\" "
                            "fill-rule=\"evenodd\"/>"),
              std::string::npos);
    // b (2) in the middle class, d without a value in grey.
    EXPECT_NE(document.find("<path d=\"M296 612 L576 612 L576 332 L296 332 Z\" fill=\"#23908c\""),
              std::string::npos);
    EXPECT_NE(document.find("<path d=\"M296 332 L576 332 L576 52 L296 52 Z\" fill=\"#cccccc\""),
              std::string::npos);
    for (const char* text :
         {">salinity_layer1, final</text>", ">1.5 – 2.5</text>", ">no data (1 field)</text>",
          ">above 2.5 dS/m</text>", ">500 m</text>"})
        EXPECT_NE(document.find(text), std::string::npos) << text;
    EXPECT_EQ(std::system(("xmllint --noout " + svg.string() + " 2>/dev/null").c_str()), 0);
}

TEST(MapCommand, DrawsAPngOfTheLayoutsSize) {
    const fs::path folder = Scratch("map-png");
    const fs::path results = Block(folder);
    const fs::path png = folder / "map.png";
    ASSERT_EQ(RunBatch("map " + results.string() + " salinity_layer1:3 -o " + png.string() +
                           " --title 'Step 3'",
                       folder / "err"),
              0)
        << ReadBytes(folder / "err");
    // Three values (3, 6, 9) make three classes of the five asked for by default.
    EXPECT_EQ(FirstLine(folder / "err"),
              "halosoil-batch: the values of salinity_layer1:3 make 3 classes, not 5");
    const std::string bytes = ReadBytes(png);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
    // IHDR: the width and height, big-endian, at bytes 16 and 20: 854 = 0x356, 684 = 0x2ac.
    EXPECT_EQ(bytes.substr(16, 8), std::string("\0\0\x03\x56\0\0\x02\xac", 8));
}

TEST(MapCommand, WritesAnOfflinePage) {
    const fs::path folder = Scratch("map-html");
    const fs::path results = Block(folder);
    const fs::path html = folder / "map.html";
    ASSERT_EQ(RunBatch("map " + results.string() + " salinity_layer1:mean -o " + html.string(),
                       folder / "err"),
              0)
        << ReadBytes(folder / "err");
    const std::string page = ReadBytes(html);
    EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(page.find("\"positions\":[\"mean\",\"step 1\",\"step 2\",\"step 3\"]"),
              std::string::npos);
    EXPECT_EQ(page.find("<script src"), std::string::npos);
}

struct Refusal {
    const char* arguments;  // after "map RESULTS"
    int status;
    std::string message;  // the first line on standard error
};

TEST(MapCommand, RefusesWhatItCannotDrawWithAClearMessage) {
    const fs::path folder = Scratch("map-refusals");
    const fs::path results = Block(folder);
    const std::string out = " -o " + (folder / "map.svg").string();
    const Refusal refusals[] = {
        {"salinity", 2,
         "halosoil-batch: unknown quantity 'salinity'; the quantities are depth_water_table, "
         "drainage, percolation, capillary_rise, actual_evaporation, salinity_layer1, "
         "salinity_layer2, salinity_layer3, salinity_transition, salinity_aquifer"},
        {"salinity_layer1:4", 2,
         "halosoil-batch: step 4 is beyond the 3 steps of " + results.string()},
        {"salinity_layer1:median", 2,
         "halosoil-batch: 'median' after salinity_layer1: is neither a summary (final, mean, "
         "min, max) nor a step (1, 2, ...)"},
        {"salinity_layer1 --breaks 2,x", 2, "halosoil-batch: --breaks: 'x' is not a number"},
        {"salinity_layer1 --breaks 3,2", 2, "halosoil-batch: --breaks must increase: 2 follows 3"},
        {"salinity_layer1 --classes 12", 2, "halosoil-batch: --classes is 2 to 9, not 12"},
        {"salinity_layer1 --classes 1", 2, "halosoil-batch: --classes is 2 to 9, not 1"},
        {"salinity_layer1 --classes 3 --breaks 2", 2,
         "halosoil-batch: give either --classes or --breaks (the breaks make their classes)"},
        {"salinity_layer1 --threshold high", 2,
         "halosoil-batch: --threshold: 'high' is not a number (VALUE or >VALUE marks the fields "
         "above it, <VALUE those below)"},
        {"drainage", 1,
         "halosoil-batch: " + results.string() +
             " has no value of drainage (final) in any field: the projects lack the zone, or "
             "every field was refused"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.arguments);
        fs::remove(folder / "map.svg");
        EXPECT_EQ(
            RunBatch("map " + results.string() + " " + refusal.arguments + out, folder / "err"),
            refusal.status);
        EXPECT_EQ(FirstLine(folder / "err"), refusal.message);
        EXPECT_FALSE(fs::exists(folder / "map.svg"));
    }
    // A letter for a number of classes is CLI11's to refuse: wrong usage.
    EXPECT_EQ(
        RunBatch("map " + results.string() + " salinity_layer1 --classes x" + out, folder / "err"),
        2);
    EXPECT_EQ(FirstLine(folder / "err"), "halosoil-batch: map: Could not convert: --classes = x");
    EXPECT_EQ(RunBatch("map " + results.string() + " salinity_layer1", folder / "err"), 2);
    EXPECT_EQ(FirstLine(folder / "err"), "halosoil-batch: map: -o is required");
    EXPECT_EQ(
        RunBatch("map " + results.string() + " salinity_layer1 -o " + (folder / "map.pdf").string(),
                 folder / "err"),
        2);
    EXPECT_EQ(FirstLine(folder / "err"),
              "halosoil-batch: the map file ends in .svg, .png or "
              ".html, not " +
                  (folder / "map.pdf").string());
}

TEST(MapCommand, RefusesFilesThatAreNoResults) {
    const fs::path folder = Scratch("map-files");
    const std::string out = " -o " + (folder / "map.svg").string();
    halosoil::test::WriteBytes(folder / "notes.gpkg", "field,status\n");
    EXPECT_EQ(
        RunBatch("map " + (folder / "notes.gpkg").string() + " drainage" + out, folder / "err"), 1);
    EXPECT_EQ(FirstLine(folder / "err")
                  .rfind("halosoil-batch: " + (folder / "notes.gpkg").string() +
                             " cannot be read as a GeoPackage",
                         0),
              0u)
        << FirstLine(folder / "err");
    EXPECT_EQ(
        RunBatch("map " + (folder / "absent.gpkg").string() + " drainage" + out, folder / "err"),
        1);

    // Without a CRS the drawing works in the layer's units; the page, which needs the globe,
    // is refused.
    const fs::path unplaced = Block(folder, 0);
    EXPECT_EQ(RunBatch("map " + unplaced.string() + " salinity_layer1" + out, folder / "err"), 0);
    EXPECT_NE(ReadBytes(folder / "map.svg").find("(layer units)"), std::string::npos);
    EXPECT_EQ(RunBatch("map " + unplaced.string() + " salinity_layer1 -o " +
                           (folder / "map.html").string(),
                       folder / "err"),
              1);
    EXPECT_EQ(FirstLine(folder / "err"),
              "halosoil-batch: " + unplaced.string() +
                  ": the fields have no CRS, so they cannot be placed on the globe of an HTML "
                  "map; give the input layer its CRS (e.g. ogr2ogr -a_srs EPSG:32643) or draw an "
                  "SVG or PNG map");
    EXPECT_FALSE(fs::exists(folder / "map.html"));

    // A folder that is not there: the file cannot be made.
    EXPECT_EQ(RunBatch("map " + unplaced.string() + " salinity_layer1 -o " +
                           (folder / "none" / "map.svg").string(),
                       folder / "err"),
              1);
    EXPECT_EQ(
        FirstLine(folder / "err")
            .rfind("Cannot create file \"" + (folder / "none" / "map.svg").string() + "\".", 0),
        0u)
        << FirstLine(folder / "err");
}

}  // namespace
