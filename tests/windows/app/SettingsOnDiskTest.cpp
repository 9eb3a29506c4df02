// The settings file on a real Windows disk: the Windows profile functions read what the
// program wrote, Japanese included, a name code page 932 lacks included, and a read-only file
// is reported and left alone.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/Form88.h"
#include "platform/Text.h"
#include "platform/win32/Win32Services.h"
#include "tests/support/Fakes.h"

namespace kav {
namespace {

namespace fs = std::filesystem;

class SettingsOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("kav-settings-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    files = MakeWin32FileSystem();
    platform.ProgramPath = WideToUtf8((folder / L"kaverolin.exe").wstring());
  }
  void TearDown() override {
    SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(folder);
  }
  std::wstring IniPath() const { return (folder / L"kaverolin.ini").wstring(); }
  std::unique_ptr<app::TForm88> MakeForm() {
    TServices services{*platform.CodePage, *platform.Collation, platform.Locale, platform.Clipboard, platform.Messages,
                       platform.FileDialogs, platform.Desktop, *files, platform.ProgramPath};
    return std::make_unique<app::TForm88>(services, target);
  }
  void WriteBytes(const wchar_t* name, const std::string& bytes) {
    std::ofstream(folder / name, std::ios::binary) << bytes;
  }
  std::string ReadBytes(const wchar_t* name) {
    std::ifstream in(folder / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::wstring Profile(const wchar_t* section, const wchar_t* key) {
    wchar_t buf[2048];
    GetPrivateProfileStringW(section, key, L"<missing>", buf, 2048, IniPath().c_str());
    return buf;
  }

  fs::path folder;
  test::TFakePlatform platform;
  std::unique_ptr<IFileSystem> files;
  cad::TTargetState target;
};

TEST_F(SettingsOnDisk, TheProfileFunctionsReadTheWrittenFile) {
  auto form = MakeForm();
  form->FormCreate();
  form->Edit9.SetText("文字高");
  form->ComboBox3.SetText("品番");
  form->SetLeft(123);
  form->FormDestroy();
  EXPECT_EQ(Profile(L"Form", L"Left"), L"123");
  EXPECT_EQ(Profile(L"Text", L"Height"), L"文字高");
  EXPECT_EQ(Profile(L"ComboBox", L"Text3"), L"品番");
  EXPECT_EQ(Profile(L"CheckBox", L"Checked1"), L"1");

  // And the next start reads it back.
  auto again = MakeForm();
  again->FormCreate();
  EXPECT_EQ(again->Edit9.Text(), "文字高");
  EXPECT_EQ(again->Left(), 123);
}

TEST_F(SettingsOnDisk, AFileWrittenByTheProfileFunctionsIsRead) {
  WritePrivateProfileStringW(L"Text", L"Height", L"7.5", IniPath().c_str());
  WritePrivateProfileStringW(L"CheckBox", L"Checked5", L"1", IniPath().c_str());
  auto form = MakeForm();
  form->FormCreate();
  EXPECT_EQ(form->Edit9.Text(), "7.5");
  EXPECT_TRUE(form->CheckBox5.Checked());
}

// An ANSI settings file remembering 部品.tsv; the user chooses Café.tsv, whose é code page 932
// lacks. The file turns UTF-16 rather than remembering "Caf?.tsv", and the next start finds it.
TEST_F(SettingsOnDisk, ANameTheAnsiCodePageLacksIsRememberedWhole) {
  ASSERT_EQ(GetACP(), 932u);
  WriteBytes(L"kaverolin.ini", "[Combo1]\r\nText=\x95\x94\x95\x69.tsv\r\n");   // 部品.tsv
  WriteBytes(L"部品.tsv", "a\r\n");
  WriteBytes(L"Café.tsv", "b\r\n");
  auto form = MakeForm();
  form->FormCreate();
  ASSERT_EQ(form->ComboBox1.Text(), "部品.tsv");
  form->ComboBox1.UserSelect(form->ComboBox1.Items.IndexOf("Café.tsv"));
  form->FormDestroy();
  EXPECT_EQ(ReadBytes(L"kaverolin.ini").substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(Profile(L"Combo1", L"Text"), L"Café.tsv");

  auto again = MakeForm();
  again->FormCreate();
  EXPECT_EQ(again->ComboBox1.Text(), "Café.tsv");
  EXPECT_EQ(again->StringGrid1.Cell(0, 1), "b");

  // Choosing a name that fits leaves the file as it is now: UTF-16.
  again->ComboBox1.UserSelect(again->ComboBox1.Items.IndexOf("部品.tsv"));
  again->FormDestroy();
  EXPECT_EQ(ReadBytes(L"kaverolin.ini").substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(Profile(L"Combo1", L"Text"), L"部品.tsv");
}

TEST_F(SettingsOnDisk, AnAnsiFileWhoseTextFitsStaysAnsi) {
  WriteBytes(L"kaverolin.ini", "[Text]\r\nHeight=3\r\n");
  auto form = MakeForm();
  form->FormCreate();
  form->ComboBox3.SetText("品番");
  form->FormDestroy();
  const std::string bytes = ReadBytes(L"kaverolin.ini");
  EXPECT_EQ(bytes.substr(0, 6), "[Text]");
  EXPECT_NE(bytes.find("Text3=\x95\x69\x94\xD4"), std::string::npos);   // 品番 in code page 932
  EXPECT_EQ(Profile(L"ComboBox", L"Text3"), L"品番");
}

TEST_F(SettingsOnDisk, AReadOnlyFileIsReportedAndKept) {
  WritePrivateProfileStringW(L"Form", L"Left", L"5", IniPath().c_str());
  SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_READONLY);
  auto form = MakeForm();
  form->FormCreate();
  form->SetLeft(99);
  form->FormDestroy();
  ASSERT_EQ(platform.Messages.Errors.size(), 1u);
  EXPECT_NE(platform.Messages.Errors[0].find("kaverolin.ini に書き込めません"), std::string::npos);
  EXPECT_EQ(Profile(L"Form", L"Left"), L"5");
}

}  // namespace
}  // namespace kav
