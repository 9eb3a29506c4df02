// Parts-list files: the lines of a selection, new files, appending in every encoding, round
// trips through the import, and writes that fail at every step.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "partslist/PartsListFile.h"
#include "partslist/TableLoad.h"
#include "platform/TextFile.h"
#include "tests/native/partslist/GridText.h"
#include "tests/support/Fakes.h"
#ifdef _WIN32
#include "platform/win32/Win32Services.h"
#else
#include "platform/portable/PosixFileSystem.h"
#endif

namespace kav::partslist {
namespace {

using test::Fill;
using test::Rows;
using test::TTable;
using V = std::vector<std::string>;

TEST(SelectionLines, BlankRowsAreLeftOutAndCellsStayUntrimmed) {
  ui::TStringGrid grid("StringGrid2");
  Fill(grid, {{"a", " b ", "c"}, {"", " ", ""}, {"d", "e", "f"}, {"g", "h", "i"}, {"j", "k", "l"}});
  EXPECT_EQ(CollectLines(grid, {1, 3, 2, 5}), (V{"e\tf", "h\ti", "k\tl"}));
  EXPECT_EQ(CollectLines(grid, {0, 1, 2, 2}), (V{"a\t b \tc"}));
}

TEST(SelectionLines, TooLittleToSaveOrAppend) {
  const V one{"x"}, two{"x", "y"};
  EXPECT_TRUE(TooLittleToSave({1, 1, 1, 1}, two));    // a single cell
  EXPECT_TRUE(TooLittleToSave({0, 1, 3, 2}, one));    // two rows, one blank
  EXPECT_FALSE(TooLittleToSave({0, 1, 3, 2}, two));
  EXPECT_TRUE(TooLittleToAppend({1, 1, 1, 1}, one));
  EXPECT_FALSE(TooLittleToAppend({0, 1, 3, 2}, one));
  EXPECT_TRUE(TooLittleToAppend({0, 1, 3, 2}, {}));
}

class PartsListFileTest : public ::testing::Test {
 protected:
  kav::test::TFakePlatform platform;
  const std::string path = "C:\\Tools\\parts.tsv";
  const ICodePage& cp() { return *platform.CodePage; }
};

TEST_F(PartsListFileTest, NewFileIsAnsiWithCrLfAfterEveryLine) {
  WriteNewPartsList(platform.Files, cp(), path, {"品名\t数量", " ボルト \t4"});
  EXPECT_EQ(platform.Files.Files[path], "\x95\x69\x96\xBC\t\x90\x94\x97\xCA\r\n \x83\x7B\x83\x8B\x83\x67 \t4\r\n");
  WriteNewPartsList(platform.Files, cp(), path, {});
  EXPECT_EQ(platform.Files.Files[path], "");
}

TEST_F(PartsListFileTest, TextTheCodePageLacksIsKeptAsUtf8WithBom) {
  const std::string emoji = "\xF0\x9F\x94\xA9";   // a nut and bolt, not in code page 932
  WriteNewPartsList(platform.Files, cp(), path, {"ボルト\t" + emoji});
  EXPECT_EQ(platform.Files.Files[path], "\xEF\xBB\xBF" "ボルト\t" + emoji + "\r\n");
}

TEST_F(PartsListFileTest, SavedFileReadsBackIntoTheSameTable) {
  ui::TStringGrid source("StringGrid2"), target("StringGrid2");
  const TTable table{{"品名", "数量", "備考"}, {"ボルト", "4", ""}, {"ナット", "", "M6,P1.0"}, {"Ｗ", "1", "x"}};
  Fill(source, table);
  WriteNewPartsList(platform.Files, cp(), path, CollectLines(source, {0, 1, 2, 4}));
  LoadTextFileIntoGrid(target, platform.Files, cp(), path);
  EXPECT_EQ(Rows(target), table);
}

TEST_F(PartsListFileTest, AppendingKeepsEveryEncodingAndTheOldBytes) {
  const std::string old = "品名\t数量\r\nボルト\t4\r\n";
  const V added{"ナット\t8"};
  const std::string expectedText = old + "ナット\t8\r\n";
  for (TextEncoding e : {TextEncoding::Utf8Bom, TextEncoding::Utf16LE, TextEncoding::Utf16BE, TextEncoding::Ansi,
                         TextEncoding::Utf8}) {
    const std::string before = EncodeText(old, e, cp());
    platform.Files.Files[path] = before;
    ASSERT_TRUE(AppendToPartsList(platform.Files, cp(), path, added));
    const std::string after = platform.Files.Files[path];
    EXPECT_EQ(after, EncodeText(expectedText, e, cp())) << static_cast<int>(e);
    EXPECT_EQ(after.substr(0, before.size()), before) << static_cast<int>(e);
  }
}

TEST_F(PartsListFileTest, AppendingKeepsBytesThatDoNotDecode) {
  // Code page 932 with an undefined sequence and a line without its final break: the old
  // bytes stay as they were, only CR LF is added where a line had none.
  platform.Files.Files[path] = "\x83\x7B\xFF\xFF\t4\n\x83\x69";
  ASSERT_TRUE(AppendToPartsList(platform.Files, cp(), path, {"x\ty"}));
  EXPECT_EQ(platform.Files.Files[path], "\x83\x7B\xFF\xFF\t4\r\n\x83\x69\r\nx\ty\r\n");
  // UTF-16 with a lone surrogate keeps it.
  platform.Files.Files[path] = std::string("\xFF\xFE\x00\xD8\r\0\n\0", 8);
  ASSERT_TRUE(AppendToPartsList(platform.Files, cp(), path, {"z"}));
  EXPECT_EQ(platform.Files.Files[path], std::string("\xFF\xFE\x00\xD8\r\0\n\0z\0\r\0\n\0", 14));
}

TEST_F(PartsListFileTest, AppendingThatWouldLoseDataIsRefusedAndTheFileStays) {
  platform.Files.Files[path] = std::string("\xFF\xFE" "a\0b", 5);   // odd length
  EXPECT_THROW(AppendToPartsList(platform.Files, cp(), path, {"x"}), std::runtime_error);
  EXPECT_EQ(platform.Files.Files[path].size(), 5u);
  platform.Files.Files[path] = "ascii\r\n";
  EXPECT_THROW(AppendToPartsList(platform.Files, cp(), path, {"\xF0\x9F\x94\xA9"}), std::runtime_error);
  EXPECT_EQ(platform.Files.Files[path], "ascii\r\n");
  // Half-width katakana whose code page 932 bytes (C3 A9) are valid UTF-8: appended to an
  // all-ASCII file they would make it read as UTF-8, "ﾃｩ" coming back as "é".
  EXPECT_THROW(AppendToPartsList(platform.Files, cp(), path, {"ﾃｩ"}), std::runtime_error);
  EXPECT_EQ(platform.Files.Files[path], "ascii\r\n");
  EXPECT_EQ(platform.Files.Writes, 0);
  // Beside bytes that are no UTF-8, the same characters are appended and read back.
  platform.Files.Files[path] = "\x83\x7B\x83\x8B\x83\x67\r\n";   // ボルト
  ASSERT_TRUE(AppendToPartsList(platform.Files, cp(), path, {"ﾃｩ"}));
  EXPECT_EQ(ReadTextFile(platform.Files, cp(), path).Lines.back(), "ﾃｩ");
}

TEST_F(PartsListFileTest, AppendingToAMissingFileWritesNothing) {
  EXPECT_FALSE(AppendToPartsList(platform.Files, cp(), path, {"x"}));
  EXPECT_TRUE(platform.Files.Files.empty());
  platform.Files.Files[path] = "";
  ASSERT_TRUE(AppendToPartsList(platform.Files, cp(), path, {"x"}));
  EXPECT_EQ(platform.Files.Files[path], "x\r\n");
}

#ifdef _WIN32
std::unique_ptr<IFileSystem> RealFiles(std::function<bool(WriteStep)> failAt) { return MakeWin32FileSystem(failAt); }
#else
std::unique_ptr<IFileSystem> RealFiles(std::function<bool(WriteStep)> failAt) { return MakePosixFileSystem(failAt); }
#endif

std::string ReadBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

TEST_F(PartsListFileTest, AFailedWriteOnDiskLeavesTheOldFileAndNoTemporary) {
  const auto folder = std::filesystem::temp_directory_path() / ("kav-partslist-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::create_directories(folder);
  const auto file = folder / "list.tsv";
  const std::string old = "\xEF\xBB\xBF" "品名\t数量\r\n";
  for (WriteStep step : {WriteStep::CreateTemporary, WriteStep::WriteData, WriteStep::Flush, WriteStep::PutInPlace}) {
    { std::ofstream(file, std::ios::binary) << old; }
    auto files = RealFiles([step](WriteStep s) { return s == step; });
    EXPECT_THROW(AppendToPartsList(*files, cp(), file.string(), {"ボルト\t4"}), FileError);
    EXPECT_THROW(WriteNewPartsList(*files, cp(), file.string(), {"a", "b"}), FileError);
    EXPECT_EQ(ReadBytes(file), old) << static_cast<int>(step);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << static_cast<int>(step);
  }
  auto files = RealFiles({});
  ASSERT_TRUE(AppendToPartsList(*files, cp(), file.string(), {"ボルト\t4"}));
  EXPECT_EQ(ReadBytes(file), old + "ボルト\t4\r\n");
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace kav::partslist
