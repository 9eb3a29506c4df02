// The Windows code page services under the Japanese locale the program is made for.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include "platform/win32/Win32Services.h"

namespace kav {
namespace {

TEST(AnsiCodePage, Is932SoThatJapaneseFilesReadRight) {
  const unsigned acp = GetACP();
  std::printf("ANSI code page: %u\n", acp);
  ASSERT_EQ(acp, 932u) << "the test environment must run with a Japanese locale (LC_ALL=ja_JP.UTF-8)";
  const auto cp = MakeWin32CodePage();
  EXPECT_EQ(cp->AnsiToUtf8("\x83\x7B\x83\x8B\x83\x67"), "ボルト");
  EXPECT_EQ(cp->Utf8ToAnsi("品名"), "\x95\x69\x96\xBC");
}

TEST(Collation, IgnoresCaseInTheUsersLocale) {
  const auto collation = MakeWin32Collation();
  EXPECT_EQ(collation->CompareIgnoreCase("abc", "ABC"), 0);
  EXPECT_LT(collation->CompareIgnoreCase("A", "b"), 0);
  EXPECT_GT(collation->CompareIgnoreCase("b", "A"), 0);
}

TEST(ProgramFile, IsFoundWithItsFullPath) {
  const std::string path = ProgramFilePath();
  EXPECT_NE(path.find("win_platform_tests.exe"), std::string::npos);
  EXPECT_NE(path.find('\\'), std::string::npos);
}

}  // namespace
}  // namespace kav
