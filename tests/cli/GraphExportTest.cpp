// halosoil-batch graph: the nine graph types of an example output as SVG drawings and as
// bitmaps, without a display. Whether the bitmaps hold the very pixels of the Graphs page is
// checked beside the page (tests/ui/GraphExportTest.cpp).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "BatchTestSupport.h"

namespace {

namespace fs = std::filesystem;
using halosoil::test::ReadBytes;
using halosoil::test::RunBatch;
using halosoil::test::RunProgram;
using halosoil::test::Scratch;

const char* const kTypeNames[] = {"hydrology",       "surface-hydrology", "subsurface-hydrology",
                                  "water-table",     "salinity",          "salinity-layer1",
                                  "salinity-layer2", "salinity-layer3",   "salinity-below"};

// The output of the three-layer example, with its input file beside it.
fs::path ThreeLayerOutput(const fs::path& folder) {
    const fs::path input = folder / "three_layers_weekly_drained.inp";
    fs::copy_file(fs::path(HALOSOIL_EXAMPLES) / input.filename(), input);
    EXPECT_EQ(RunBatch("run " + input.string(), folder / "run-err"), 0);
    return folder / "three_layers_weekly_drained.out";
}

bool WellFormedXml(const fs::path& file) {
    const std::string command = "xmllint --noout " + file.string() + " 2>/dev/null";
    return std::system(command.c_str()) == 0;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// The title each family draws after the frame.
std::string FamilyTitle(const std::string& type) {
    if (type.find("hydrology") != std::string::npos)
        return "Hydrologic flow factors (mm / time step)";
    if (type == "water-table") return " Level of water table relative to soil surface";
    return "Soil moisture salinity (ECsm in dS / m)";
}

TEST(GraphExport, EveryTypeIsAnSvgDrawingOfTheFrameTitlesAndLines) {
    const fs::path folder = Scratch("graph-svg");
    const fs::path output = ThreeLayerOutput(folder);
    for (const std::string type : kTypeNames) {
        SCOPED_TRACE(type);
        const fs::path svg = folder / (type + ".svg");
        ASSERT_EQ(RunBatch("graph " + type + " " + output.string() + " -o " + svg.string(),
                           folder / "err"),
                  0)
            << ReadBytes(folder / "err");
        ASSERT_TRUE(WellFormedXml(svg));
        const std::string text = ReadBytes(svg);
        EXPECT_NE(text.find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
        EXPECT_NE(text.find("width=\"617\" height=\"441\" viewBox=\"0 0 617 441\""),
                  std::string::npos);
        // The silver background, then the dark blue plot panel from (20, 19) to (605, 420).
        EXPECT_NE(
            text.find("<rect x=\"0\" y=\"0\" width=\"623\" height=\"460\" fill=\"#c0c0c0\"/>"),
            std::string::npos);
        EXPECT_NE(
            text.find("<rect x=\"20\" y=\"19\" width=\"585\" height=\"401\" fill=\"#00008b\"/>"),
            std::string::npos);
        EXPECT_NE(text.find(">Time step</text>"), std::string::npos);
        EXPECT_NE(text.find(">Program Halosoil at www.example.org/halosoil</text>"),
                  std::string::npos);
        EXPECT_NE(text.find(std::string(">") + FamilyTitle(type) + "</text>"), std::string::npos);
        // Two axis lines and their ticks at least; the data lines or bars besides.
        EXPECT_GT(Count(text, "<line "), 10u);
        EXPECT_EQ(text.find("<image"), std::string::npos);
    }
}

TEST(GraphExport, BitmapsHaveTheGraphsSize) {
    const fs::path folder = Scratch("graph-bitmaps");
    const fs::path output = ThreeLayerOutput(folder);
    const fs::path png = folder / "wt.png";
    ASSERT_EQ(
        RunBatch("graph water-table " + output.string() + " -o " + png.string(), folder / "err"), 0)
        << ReadBytes(folder / "err");
    const std::string bytes = ReadBytes(png);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    auto bigEndian = [&bytes](std::size_t at) {
        return (static_cast<unsigned char>(bytes[at]) << 24) |
               (static_cast<unsigned char>(bytes[at + 1]) << 16) |
               (static_cast<unsigned char>(bytes[at + 2]) << 8) |
               static_cast<unsigned char>(bytes[at + 3]);
    };
    EXPECT_EQ(bigEndian(16), 617u);
    EXPECT_EQ(bigEndian(20), 441u);

    const fs::path bmp = folder / "sal.bmp";
    ASSERT_EQ(RunBatch("graph salinity " + output.string() + " -o " + bmp.string(), folder / "err"),
              0);
    const std::string bitmap = ReadBytes(bmp);
    ASSERT_GT(bitmap.size(), 26u);
    EXPECT_EQ(bitmap.substr(0, 2), "BM");
    auto littleEndian = [&bitmap](std::size_t at) {
        return static_cast<unsigned char>(bitmap[at]) |
               (static_cast<unsigned char>(bitmap[at + 1]) << 8);
    };
    EXPECT_EQ(littleEndian(18), 617u);
    EXPECT_EQ(littleEndian(22), 441u);
    EXPECT_EQ(ReadBytes(folder / "err"), "");
}

// Bitmaps are drawn by a module the program opens only for them; a copy of the program without
// the module beside it tells which module is missing and still draws SVG.
TEST(GraphExport, WithoutTheRasterExportBitmapsAreRefusedAndSvgStillDrawn) {
    const fs::path folder = Scratch("graph-no-raster");
    const fs::path output = ThreeLayerOutput(folder);
    const fs::path program = folder / "bin" / "halosoil-batch";
    fs::create_directories(program.parent_path());
    fs::copy_file(HALOSOIL_BATCH, program);
    const auto graph = [&](const std::string& target) {
        return RunProgram(program, "graph water-table " + output.string() + " -o " + target,
                          folder / "err");
    };

    const fs::path png = folder / "wt.png";
    EXPECT_EQ(graph(png.string()), 1);
    const std::string message = ReadBytes(folder / "err");
    EXPECT_EQ(message.rfind(
                  "PNG and BMP graphs need Halosoil's raster export " + folder.string() + "/", 0),
              0u)
        << message;
    EXPECT_NE(message.find("/halosoil-raster.so, which cannot be loaded ("), std::string::npos);
    EXPECT_NE(message.find("). SVG graphs need no such module.\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(png));

    const fs::path svg = folder / "wt.svg";
    EXPECT_EQ(graph(svg.string()), 0) << ReadBytes(folder / "err");
    EXPECT_TRUE(WellFormedXml(svg));
}

TEST(GraphExport, ALayerTheOutputDoesNotHaveIsRefused) {
    const fs::path folder = Scratch("graph-layers");
    const fs::path input = folder / "one_layer_monthly.inp";
    fs::copy_file(fs::path(HALOSOIL_EXAMPLES) / input.filename(), input);
    ASSERT_EQ(RunBatch("run " + input.string(), folder / "err"), 0);
    const fs::path svg = folder / "l2.svg";
    EXPECT_EQ(RunBatch("graph salinity-layer2 " + (folder / "one_layer_monthly.out").string() +
                           " -o " + svg.string(),
                       folder / "err"),
              1);
    EXPECT_NE(ReadBytes(folder / "err").find("needs 2"), std::string::npos);
    EXPECT_FALSE(fs::exists(svg));
}

TEST(GraphExport, WrongTypesFormatsAndMissingTargetsAreUsageErrors) {
    const fs::path folder = Scratch("graph-usage");
    for (const std::string& arguments :
         {std::string("graph rainfall a.out -o a.svg"), std::string("graph water-table a.out"),
          std::string("graph water-table a.out -o a.jpg"), std::string("graph water-table")}) {
        SCOPED_TRACE(arguments);
        EXPECT_EQ(RunBatch(arguments, folder / "stdout", folder / "err"), 2);
        EXPECT_EQ(ReadBytes(folder / "stdout"), "");
        EXPECT_NE(ReadBytes(folder / "err").find("usage: halosoil-batch"), std::string::npos);
    }
}

}  // namespace
