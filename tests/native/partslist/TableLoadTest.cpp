// Loading text files into a grid: the import of the file grid and the work-area list with
// its filter, in every encoding and with bad input.
#include <gtest/gtest.h>

#include "partslist/TableLoad.h"
#include "platform/TextFile.h"
#include "tests/native/partslist/GridText.h"
#include "tests/support/Fakes.h"

namespace kav::partslist {
namespace {

using test::Header;
using test::Rows;
using test::TTable;
using V = std::vector<std::string>;

const std::string kPath = "C:\\Tools\\list.tsv";

class ImportTest : public ::testing::Test {
 protected:
  ui::TStringGrid grid{"StringGrid2"};
  kav::test::TFakePlatform platform;

  void Import(const std::string& bytes) {
    platform.Files.Files[kPath] = bytes;
    LoadTextFileIntoGrid(grid, platform.Files, *platform.CodePage, kPath);
  }
  int WorkArea(const std::string& bytes, const std::string& filter) {
    platform.Files.Files[kPath] = bytes;
    return LoadWorkAreaGrid(grid, platform.Files, *platform.CodePage, kPath, filter);
  }
  void ExpectReset() {
    EXPECT_EQ(grid.ColCount(), 1);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(Rows(grid, 0), (TTable{{""}, {""}}));
    EXPECT_EQ(grid.ColWidth(0), kFirstColumnWidth);
  }
};

TEST_F(ImportTest, TabFileGivesNumberedColumnsAndTrimmedCells) {
  Import("品名\t数量\r\n ボルト \t 4\r\n");
  EXPECT_EQ(Header(grid), (V{"1", "2"}));
  EXPECT_EQ(Rows(grid), (TTable{{"品名", "数量"}, {"ボルト", "4"}}));
}

TEST_F(ImportTest, DelimiterOfTheFirstLineHoldsForTheWholeFile) {
  Import("a,b\nc\td,e\n");
  EXPECT_EQ(Rows(grid), (TTable{{"a", "b"}, {"c\td", "e"}}));
  Import("品名\nボルト\t4\nナット,8\n");
  EXPECT_EQ(Rows(grid), (TTable{{"品名"}, {"ボルト\t4"}, {"ナット,8"}}));
  EXPECT_EQ(Header(grid), (V{"1"}));
}

TEST_F(ImportTest, BlankLinesAreSkippedButWidenTheGrid) {
  Import("a\tb\r\n\r\n   \r\n\t\t\t\r\nc\td\r\n");
  EXPECT_EQ(grid.ColCount(), 4);   // the line of three TABs has four fields
  EXPECT_EQ(Rows(grid), (TTable{{"a", "b", "", ""}, {"c", "d", "", ""}}));
  EXPECT_EQ(Header(grid), (V{"1", "2", "3", "4"}));
  Import("a\tb\t\n");
  EXPECT_EQ(Rows(grid), (TTable{{"a", "b", ""}}));
}

TEST_F(ImportTest, FullWidthSpaceIsNotTrimmed) {
  Import("\xE3\x80\x80x\xE3\x80\x80\t y\x01\n");
  EXPECT_EQ(Rows(grid), (TTable{{"\xE3\x80\x80x\xE3\x80\x80", "y"}}));
}

TEST_F(ImportTest, ReplacesThePreviousTableAndItsWidths) {
  Import("a-very-long-cell-text-indeed\tb\tc\n1\t2\t3\n4\t5\t6\n");
  EXPECT_GT(grid.ColWidth(0), 100);
  Import("x\ny\n");
  EXPECT_EQ(grid.ColCount(), 1);
  EXPECT_EQ(grid.RowCount(), 3);
  EXPECT_EQ(grid.ColWidth(0), kFirstColumnWidth);   // "xAAA" is narrower than 32 pixels
  grid.SetColCount(3);
  EXPECT_EQ(grid.ColWidth(2), grid.DefaultColWidth);
  EXPECT_EQ(Rows(grid), (TTable{{"x", "", ""}, {"y", "", ""}}));
}

TEST_F(ImportTest, ColumnsWidenToTheTextAndAAAInTheGridsFont) {
  grid.TextWidth = [](std::string_view s) { return static_cast<int>(s.size()) * 10; };
  Import("ab\tabcdefghij\r\nabcdef\tx\r\n");
  EXPECT_EQ(grid.ColWidth(0), 90);    // "abcdefAAA"
  EXPECT_EQ(grid.ColWidth(1), 130);   // "abcdefghijAAA"
  Import("a\tb\r\n");
  EXPECT_EQ(grid.ColWidth(0), 40);    // "aAAA" is wider than 32
  EXPECT_EQ(grid.ColWidth(1), 64);    // "bAAA" is narrower than the default
}

TEST_F(ImportTest, MissingFileChangesNothingUnreadableFileLeavesTheGridReset) {
  Import("a\tb\nc\td\n");
  LoadTextFileIntoGrid(grid, platform.Files, *platform.CodePage, "C:\\Tools\\none.tsv");
  EXPECT_EQ(Rows(grid), (TTable{{"a", "b"}, {"c", "d"}}));
  platform.Files.Unreadable[kPath] = true;
  EXPECT_THROW(LoadTextFileIntoGrid(grid, platform.Files, *platform.CodePage, kPath), FileError);
  ExpectReset();
  EXPECT_FALSE(grid.Updating());
}

TEST_F(ImportTest, EmptyAndBlankFilesLeaveTheGridReset) {
  Import("a\tb\n");
  Import("");
  ExpectReset();
  Import("\r\n \r\n\t\r\n");   // no delimiter in the (empty) first line
  ExpectReset();
}

TEST_F(ImportTest, EveryEncodingShowsTheSameText) {
  const std::string utf8 = "品名\tボルト\r\n";
  const TTable expected{{"品名", "ボルト"}};
  Import("\xEF\xBB\xBF" + utf8);
  EXPECT_EQ(Rows(grid), expected);
  for (TextEncoding e : {TextEncoding::Ansi, TextEncoding::Utf16LE, TextEncoding::Utf16BE, TextEncoding::Utf8}) {
    Import(EncodeText(utf8, e, *platform.CodePage));
    EXPECT_EQ(Rows(grid), expected) << static_cast<int>(e);
  }
  // Code page 932 bytes of 品名 TAB ボルト, as a Japanese editor saves them.
  Import("\x95\x69\x96\xBC\t\x83\x7B\x83\x8B\x83\x67\r\n");
  EXPECT_EQ(Rows(grid), expected);
}

TEST_F(ImportTest, BadBytesGiveADefinedTable) {
  // Odd-length UTF-16: the last byte is dropped. A lone surrogate becomes U+FFFD.
  Import(std::string("\xFF\xFE" "a\0\t\0b\0\n", 9));
  EXPECT_EQ(Rows(grid), (TTable{{"a", "b"}}));
  Import(std::string("\xFF\xFE" "a\0\t\0\x00\xD8\n\0", 10));
  EXPECT_EQ(Rows(grid), (TTable{{"a", "\xEF\xBF\xBD"}}));
  // Invalid code page 932 (a lead byte at the end, an undefined lead byte) never stops the read.
  Import("x\t\x81\r\n\xFF\xFF\ty\r\n");
  EXPECT_EQ(grid.RowCount(), 3);
  EXPECT_EQ(grid.Cell(0, 1), "x");
  EXPECT_EQ(grid.Cell(1, 2), "y");
  // NUL bytes stay inside their cell.
  Import(std::string("a\0b\tc\n", 6));
  EXPECT_EQ(grid.Cell(1, 1), "c");
  EXPECT_EQ(grid.Cell(0, 1).size(), 3u);
}

TEST_F(ImportTest, HugeLinesAndManyFields) {
  std::string wide;
  for (int i = 0; i < 10000; ++i) {
    wide += 'f';
    wide += std::to_string(i);
    wide += '\t';
  }
  Import(wide + "\r\n" + std::string(1 << 20, 'x') + "\r\n");
  EXPECT_EQ(grid.ColCount(), 10001);
  EXPECT_EQ(grid.Cell(9999, 1), "f9999");
  EXPECT_EQ(grid.Cell(0, 2).size(), 1u << 20);
  EXPECT_EQ(grid.Cell(1, 2), "");
}

TEST_F(ImportTest, FiftyMegabytesOfBinaryLoadWithoutCrashing) {
  // Random bytes with a TAB in the first line: every line gives a defined row or is skipped.
  std::string bytes = "head\tx\n";
  bytes.reserve(50u << 20);
  std::uint32_t seed = 12345;
  while (bytes.size() < (50u << 20)) {
    seed = seed * 1664525u + 1013904223u;
    bytes += static_cast<char>(seed >> 24);
  }
  Import(bytes);
  EXPECT_EQ(grid.Cell(0, 1), "head");
  EXPECT_GT(grid.RowCount(), 1000);
  EXPECT_GT(grid.ColCount(), 2);
}

TEST_F(ImportTest, WorkAreaFilterSeesTheRawLineWithOnlyAToZFolded) {
  const std::string file = "品名\t数量\r\nボルト\t4\r\nナット\t8\r\nBOLT M6\t2\r\n";
  EXPECT_EQ(WorkArea(file, "ト"), 2);
  EXPECT_EQ(Rows(grid), (TTable{{"ボルト", "4"}, {"ナット", "8"}}));
  EXPECT_EQ(Header(grid), (V{"1", "2"}));
  EXPECT_EQ(WorkArea(file, "bolt"), 1);
  EXPECT_EQ(Rows(grid), (TTable{{"BOLT M6", "2"}}));
  EXPECT_EQ(WorkArea("SIZE M6\t1\r\nWASHER\t2\r\n", "size"), 1);
  EXPECT_EQ(Rows(grid), (TTable{{"SIZE M6", "1"}}));
  // A match may span the delimiter between two fields.
  EXPECT_EQ(WorkArea(file, "ト\t8"), 1);
  EXPECT_EQ(WorkArea("品名,数量\r\nボルト,4\r\n", ",4"), 1);
  // Half-width kana and full-width letters are not folded.
  EXPECT_EQ(WorkArea("ﾎﾞﾙﾄ\t1\r\nＢＯＬＴ\t2\r\n", "ボ"), 0);
  EXPECT_EQ(WorkArea("ﾎﾞﾙﾄ\t1\r\nＢＯＬＴ\t2\r\n", "ｂｏｌｔ"), 0);
  // Blanks in the filter count as typed.
  EXPECT_EQ(WorkArea(file, "T M"), 1);
  EXPECT_EQ(WorkArea(file, " BOLT"), 0);
}

TEST_F(ImportTest, WorkAreaFilterNothingPassesOrFilteredLinesStillWiden) {
  // The lines that fail the filter have widened the grid; nothing else is loaded.
  EXPECT_EQ(WorkArea("a\tb\r\nc\td\r\n", "zzz"), 0);
  EXPECT_EQ(Rows(grid, 0), (TTable{{"", ""}, {"", ""}}));
  EXPECT_EQ(WorkArea("a\tb\r\nwide\tx\ty\tz\r\n", "a"), 1);
  EXPECT_EQ(grid.ColCount(), 4);
  EXPECT_EQ(Header(grid), (V{"1", "2", "3", "4"}));
  // Missing file: reset, nothing else.
  EXPECT_EQ(LoadWorkAreaGrid(grid, platform.Files, *platform.CodePage, "C:\\Tools\\gone.tsv", ""), 0);
  ExpectReset();
}

TEST(FilterMatching, FoldsOnlyAsciiLetters) {
  EXPECT_TRUE(FilterMatches("anything", ""));
  EXPECT_TRUE(FilterMatches("BOLT M6", "bolt m"));
  EXPECT_TRUE(FilterMatches("bolt", "BOLT"));
  EXPECT_FALSE(FilterMatches("bo", "bolt"));
  EXPECT_FALSE(FilterMatches("ä", "Ä"));
  EXPECT_TRUE(FilterMatches("x[y", "X[Y"));
  EXPECT_FALSE(FilterMatches("{", "["));   // '{' and '[' differ by the case bit but are not letters
  EXPECT_TRUE(FilterMatches("aab", "ab"));
}

TEST(FilterMatching, EveryLetterFromAToZFoldsBothWays) {
  const std::string lower = "abcdefghijklmnopqrstuvwxyz";
  const std::string upper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (std::size_t i = 0; i < lower.size(); ++i) {
    const std::string l(1, lower[i]), u(1, upper[i]);
    EXPECT_TRUE(FilterMatches("[" + u + "]", l)) << l;
    EXPECT_TRUE(FilterMatches("[" + l + "]", u)) << u;
  }
  // The neighbours of the two letter ranges are not letters and stay apart.
  EXPECT_FALSE(FilterMatches("@", "`"));
  EXPECT_FALSE(FilterMatches("`", "@"));
  EXPECT_FALSE(FilterMatches("[", "{"));
}

}  // namespace
}  // namespace kav::partslist
