// Several input files in one call: each gets the output file a call of its own would write,
// and the program's status is the highest of the files' statuses.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BatchTestSupport.h"
#include "ExampleProjects.h"

namespace {

namespace fs = std::filesystem;
using halosoil::test::ReadBytes;
using halosoil::test::RunBatch;
using halosoil::test::Scratch;

std::vector<fs::path> CopyExamples(const fs::path& folder) {
    std::vector<fs::path> inputs;
    for (const fs::path& example : halosoil::test::examples::ExampleInputFiles(HALOSOIL_EXAMPLES)) {
        inputs.push_back(folder / example.filename());
        fs::copy_file(example, inputs.back());
    }
    return inputs;
}

std::string Joined(const std::vector<fs::path>& paths) {
    std::string text;
    for (const fs::path& path : paths) {
        text += ' ';
        text += path.string();
    }
    return text;
}

// The messages less the warnings of the salt budget, which the daily and yearly examples
// give: their specified salt balance makes salt.
std::string WithoutSaltWarnings(const std::string& text) {
    std::string kept;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size() - 1) + 1;
        const std::string line = text.substr(start, end - start);
        if (line.find(": warning: the salt balance ") == std::string::npos) kept += line;
        start = end;
    }
    return kept;
}

// The deep water table of the early-stop test, in a copy of an example.
fs::path DeepProject(const fs::path& example, const fs::path& target) {
    std::string text = ReadBytes(example);
    const std::string label = " Initial depth water table (m)       : ";
    text.replace(text.find(label) + label.size(), 7, "  99.00");
    std::ofstream(target, std::ios::binary) << text;
    return target;
}

TEST(BatchRunManyTest, EachFileGetsTheOutputOfItsOwnRun) {
    const fs::path one = Scratch("many-one");
    const fs::path many = Scratch("many-all");
    const std::vector<fs::path> single = CopyExamples(one);
    const std::vector<fs::path> inputs = CopyExamples(many);
    ASSERT_GE(inputs.size(), 4u);
    for (const fs::path& input : single)
        ASSERT_EQ(RunBatch("run --refine --optimise " + input.string(), one / "errors.txt"), 0);
    ASSERT_EQ(RunBatch("run --refine --optimise -j 2" + Joined(inputs), many / "errors.txt"), 0);
    EXPECT_EQ(WithoutSaltWarnings(ReadBytes(many / "errors.txt")), "");
    for (std::size_t k = 0; k < inputs.size(); ++k) {
        const fs::path output = fs::path(inputs[k]).replace_extension(".out");
        const fs::path alone = fs::path(single[k]).replace_extension(".out");
        // The output's second line names the file, which lies in another folder here.
        std::string expected = ReadBytes(alone);
        expected.replace(expected.find(alone.string()), alone.string().size(), output.string());
        EXPECT_EQ(ReadBytes(output), expected) << output;
    }
}

TEST(BatchRunManyTest, TheStatusIsTheHighestOfAllFiles) {
    const fs::path folder = Scratch("many-status");
    std::vector<fs::path> inputs = CopyExamples(folder);
    std::ofstream(folder / "bad.inp", std::ios::binary) << "not an input file\r\n";
    std::vector<fs::path> withBad = inputs;
    withBad.insert(withBad.begin() + 1, folder / "bad.inp");
    EXPECT_EQ(RunBatch("run -j 3" + Joined(withBad), folder / "errors.txt"), 1);
    // The one line of the damaged file is its first title; the reader misses the second line.
    EXPECT_EQ(WithoutSaltWarnings(ReadBytes(folder / "errors.txt")),
              (folder / "bad.inp").string() +
                  ", line 2: The input file ends before all its data were read; it may be "
                  "damaged.\n");
    for (const fs::path& input : inputs)
        EXPECT_TRUE(fs::exists(fs::path(input).replace_extension(".out"))) << input;

    withBad.push_back(DeepProject(inputs.front(), folder / "deep.inp"));
    EXPECT_EQ(RunBatch("run" + Joined(withBad), folder / "errors.txt"), 3);
    EXPECT_FALSE(fs::exists(folder / "deep.out"));
}

TEST(BatchRunManyTest, WrongJobCountsAndOneOutputForManyInputsAreUsageErrors) {
    const fs::path folder = Scratch("many-usage");
    const std::vector<fs::path> inputs = CopyExamples(folder);
    for (const char* options : {"-j 0", "-j x", "-j", "-j -2", "-o one.out"}) {
        EXPECT_EQ(RunBatch(std::string("run ") + options + Joined(inputs), folder / "errors.txt"),
                  2)
            << options;
        EXPECT_NE(ReadBytes(folder / "errors.txt").find("[-j N]"), std::string::npos);
    }
    for (const fs::path& input : inputs)
        EXPECT_FALSE(fs::exists(fs::path(input).replace_extension(".out"))) << input;
}

}  // namespace
