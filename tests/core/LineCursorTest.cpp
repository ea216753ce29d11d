// The cursor over a text held in memory: where its lines end, what a chunk of a short line
// holds, and what lies past the end.
#include "LineCursor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace halosoil {
namespace {

// Every line of the text, as the cursor takes them one after the other.
std::vector<std::string> CursorLinesOf(std::string_view text) {
    std::vector<std::string> lines;
    LineCursor cursor(text);
    for (; !cursor.PastEnd(); cursor.EndLine()) lines.emplace_back(cursor.Line());
    return lines;
}

TEST(LineCursorTest, LinesEndAtCrLfAtLfAndAtCrAlone) {
    const std::vector<std::string> three = {"a", "bc", ""};
    EXPECT_EQ(CursorLinesOf("a\r\nbc\r\n\r\n"), three);
    EXPECT_EQ(CursorLinesOf("a\nbc\n\n"), three);
    EXPECT_EQ(CursorLinesOf("a\rbc\r\r"), three);
    // LF CR is two line ends, the second ending an empty line.
    EXPECT_EQ(CursorLinesOf("a\rbc\n\r"), three);
    EXPECT_EQ(CursorLinesOf("a\n\rbc"), (std::vector<std::string>{"a", "", "bc"}));
}

TEST(LineCursorTest, ALastLineWithoutItsLineEndIsWhole) {
    EXPECT_EQ(CursorLinesOf("first\r\nlast"), (std::vector<std::string>{"first", "last"}));
    EXPECT_EQ(CursorLinesOf("only"), (std::vector<std::string>{"only"}));
    // A line end closes its line; no empty line follows it.
    EXPECT_EQ(CursorLinesOf("first\r\n"), (std::vector<std::string>{"first"}));
}

TEST(LineCursorTest, AnEmptyTextIsPastItsEndAtTheFirstLine) {
    LineCursor cursor("");
    EXPECT_TRUE(cursor.PastEnd());
    EXPECT_EQ(cursor.LineNumber(), 1);
    EXPECT_EQ(cursor.Line(), "");
    EXPECT_EQ(cursor.Chars(5), "");
    EXPECT_EQ(cursor.Token(), "");
    cursor.SkipLines(2);
    EXPECT_EQ(cursor.LineNumber(), 3);
}

TEST(LineCursorTest, ChunksOfAShortLineStopAtItsEndButCountTheColumnsAskedFor) {
    LineCursor cursor("abcdefg\r\nxyz");
    EXPECT_EQ(cursor.Chars(3), "abc");
    EXPECT_EQ(cursor.Column(), 4);
    EXPECT_EQ(cursor.Chars(10), "defg");
    EXPECT_EQ(cursor.Chars(2), "");
    EXPECT_EQ(cursor.Column(), 16);
    cursor.EndLine();
    EXPECT_EQ(cursor.LineNumber(), 2);
    EXPECT_EQ(cursor.Rest(), "xyz");
}

TEST(LineCursorTest, TokensSkipBlanksAndLineEnds) {
    LineCursor cursor("  1 \t 22\r\n\r\n   \n 333 x");
    EXPECT_EQ(cursor.Token(), "1");
    EXPECT_EQ(cursor.Token(), "22");
    EXPECT_EQ(cursor.Token(), "333");
    EXPECT_EQ(cursor.LineNumber(), 4);
    EXPECT_EQ(cursor.Token(), "x");
    EXPECT_EQ(cursor.Token(), "");
    EXPECT_TRUE(cursor.PastEnd());
}

TEST(LineCursorTest, AHugeLineIsOneLine) {
    const std::string huge(5'000'000, 'h');
    const std::vector<std::string> lines = CursorLinesOf("a\r\n" + huge + "\r\nb");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].size(), huge.size());
    EXPECT_EQ(lines[2], "b");
}

TEST(LineCursorTest, ManyLinesOfCarriageReturnsAloneAreFoundInOrder) {
    // The next LF is looked for once, not once per line: a long file of CRs alone reads in
    // one pass and keeps every line.
    std::string text;
    for (int k = 0; k < 20000; ++k) text += std::to_string(k) + "\r";
    LineCursor cursor(text);
    cursor.SkipLines(12345);
    EXPECT_EQ(cursor.Line(), "12345");
    EXPECT_EQ(cursor.LineNumber(), 12346);
    cursor.SkipLines(20000 - 12345);
    EXPECT_TRUE(cursor.PastEnd());
}

}  // namespace
}  // namespace halosoil
