#include "MapPage.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

#include "FileBytes.h"
#include "RegionTestFiles.h"

namespace halosoil::region {
namespace {

using namespace halosoil::test;
using study::Quantity;

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

TEST(MapPageTest, ThePageHoldsLeafletAndTheFieldsInLongitudeAndLatitude) {
    // A square at the equator on UTM 43N's central meridian: its corner (500000, 0) is (75, 0).
    ResultsFile file = UtmBlock();
    file.fields = {{"a</script>", Square(500000, 0, 1000), 1.0, {1.0, 2.0}},
                   {"r", Square(501000, 0, 1000), std::nullopt, {std::nullopt, std::nullopt}},
                   {"empty", "POLYGON EMPTY", 5.0, {5.0, 5.0}}};
    const fs::path path = RegionScratch("page") / "results.gpkg";
    WriteResultsGeoPackage(path, file);
    const ResultsLayer layer =
        InWgs84(ReadResultsLayer(path, {Quantity::SalinityLayer1, Summary::Final, 0}));
    const std::string page =
        MapPage(layer, ClassesOf({1.5}), {"Salinity & <more>", MapThreshold{1.5, false}});

    // Offline: Leaflet inlined, nothing fetched.
    EXPECT_NE(page.find(LeafletScript()), std::string::npos);
    EXPECT_EQ(page.find("<script src"), std::string::npos);
    EXPECT_EQ(page.find("<link"), std::string::npos);
    // Only the page's own two scripts end; the id's "</" is escaped in the data.
    EXPECT_EQ(Count(page, "</script>"), 2u);
    EXPECT_NE(page.find(R"("id":"a<\/script>")"), std::string::npos);
    EXPECT_NE(page.find("<title>Salinity &amp; &lt;more&gt;</title>"), std::string::npos);
    // The slider's positions: the final value, then the two steps.
    EXPECT_NE(page.find(R"("positions":["final","step 1","step 2"],"start":0)"), std::string::npos);
    EXPECT_NE(page.find(R"("values":[1,1,2])"), std::string::npos);
    EXPECT_NE(page.find(R"("values":[null,null,null])"), std::string::npos);
    // final 1, mean 11, min 0, max 2.
    EXPECT_NE(page.find(R"("summaries":{"final":1,"mean":11,"min":0,"max":2})"), std::string::npos);
    EXPECT_NE(page.find(R"("breaks":[1.5],"colors":["#fde725","#440154"])"), std::string::npos);
    EXPECT_NE(page.find(R"("threshold":{"value":1.5,"below":false})"), std::string::npos);
    EXPECT_NE(page.find(R"("coordinates":[[[[75,0],)"), std::string::npos);
    // A field without a polygon is left out of the page.
    EXPECT_EQ(page.find(R"("id":"empty")"), std::string::npos);
}

// Runs the command; yields its exit status.
int RunCommand(const std::string& command) {
    return WEXITSTATUS(std::system(command.c_str()));
}

std::string Output(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    pclose(pipe);
    return output;
}

constexpr const char* kChromium = "/usr/bin/chromium";

TEST(MapPageBrowserTest, ThePageLoadsCleanAndItsSliderRecoloursTheFields) {
    if (!fs::exists(kChromium) || !fs::exists("/usr/bin/python3"))
        GTEST_SKIP() << "no chromium (or python3) to open the page in";
    const fs::path folder = RegionScratch("browser");
    WriteResultsGeoPackage(folder / "results.gpkg", UtmBlock());
    // Step 2 with the breaks 3 and 5: the slider runs through the steps 1..3 (positions 0..2).
    ASSERT_EQ(
        RunCommand(std::string(HALOSOIL_BATCH) + " map " + (folder / "results.gpkg").string() +
                   " salinity_layer1:2 --breaks 3,5 -o " + (folder / "map.html").string()),
        0);
    const std::string check = std::string("/usr/bin/python3 ") + HALOSOIL_BROWSER_CHECK + " " +
                              kChromium + " " + (folder / "map.html").string();
    // b's steps are 2, 4, 6: below 3 (yellow), 3 to 5 (the ramp's middle), 5 and up (purple).
    // d was refused: no data at every step. a's steps 1, 2, 3: yellow, yellow, the middle.
    EXPECT_EQ(Output(check + " b:0,1,2 d:2,0 a:1,2"),
              R"({"errors": [], "colors": {"b": ["#fde725", "#23908c", "#440154"], )"
              R"("d": ["#cccccc", "#cccccc"], "a": ["#fde725", "#23908c"]}, "label": "step 3"})"
              "\n");
}

}  // namespace
}  // namespace halosoil::region
