// Writing through a temporary file: each step failing on demand leaves the old file whole
// and no temporary file behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/FileSystem.h"
#ifdef _WIN32
#include "platform/win32/Win32Services.h"
#else
#include "platform/portable/PosixFileSystem.h"
#endif

namespace kav {
namespace {

namespace fs = std::filesystem;

std::unique_ptr<IFileSystem> MakeFileSystem(std::function<bool(WriteStep)> failAt = {}) {
#ifdef _WIN32
  return MakeWin32FileSystem(std::move(failAt));
#else
  return MakePosixFileSystem(std::move(failAt));
#endif
}

std::string U8(const fs::path& p) {
  const std::u8string s = p.u8string();
  return std::string(s.begin(), s.end());
}

fs::path FromU8(const std::string& s) { return fs::path(std::u8string(s.begin(), s.end())); }

class FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("kav-fs-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string PathOf(const std::string& name) { return U8(dir / FromU8(name)); }
  std::size_t FilesInDir() { return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {})); }
  fs::path dir;
};

TEST_F(FileSystemTest, WritesReadsAndListsFilesWithJapaneseNames) {
  auto files = MakeFileSystem();
  const std::string path = PathOf("部品リスト.tsv");
  files->WriteAtomically(path, "a\tb\r\n");
  files->WriteAtomically(path, "c\r\n");
  EXPECT_EQ(files->ReadAll(path), "c\r\n");
  files->WriteAtomically(PathOf("other.TSV"), "");
  files->WriteAtomically(PathOf("skip.tsvx"), "");
  fs::create_directory(dir / "folder.tsv");
  auto names = files->ListFiles(U8(dir) + std::string(1, fs::path::preferred_separator), "*.tsv");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"other.TSV", "部品リスト.tsv"}));
  EXPECT_TRUE(files->FileExists(path));
  EXPECT_FALSE(files->FileExists(U8(dir / "folder.tsv")));
  EXPECT_THROW(files->ReadAll(PathOf("missing.tsv")), FileError);
}

TEST_F(FileSystemTest, AFailingStepKeepsTheOldFileAndLeavesNoTemporaryFile) {
  for (auto failing : {WriteStep::CreateTemporary, WriteStep::WriteData, WriteStep::Flush, WriteStep::PutInPlace}) {
    const std::string path = PathOf("list.tsv");
    MakeFileSystem()->WriteAtomically(path, "old line\r\n");
    auto files = MakeFileSystem([failing](WriteStep step) { return step == failing; });
    EXPECT_THROW(files->WriteAtomically(path, "new line\r\n"), FileError) << static_cast<int>(failing);
    EXPECT_EQ(MakeFileSystem()->ReadAll(path), "old line\r\n");
    EXPECT_EQ(FilesInDir(), 1u);
    // A new file that fails is not created at all.
    EXPECT_THROW(files->WriteAtomically(PathOf("new.tsv"), "x"), FileError);
    EXPECT_FALSE(MakeFileSystem()->FileExists(PathOf("new.tsv")));
  }
}

TEST_F(FileSystemTest, AMissingFolderIsAnErrorWithTheSystemsMessage) {
  auto files = MakeFileSystem();
  try {
    files->WriteAtomically(PathOf("no-such-folder/x.tsv"), "x");
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("x.tsv"), std::string::npos);
    EXPECT_GT(std::string(e.what()).size(), PathOf("no-such-folder/x.tsv").size() + 2);
  }
}

}  // namespace
}  // namespace kav
