// The settings file on a real Windows disk: the Windows profile functions read what the
// program wrote, Japanese included, and a read-only file is reported and left alone.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

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
    TServices services{*platform.CodePage, *platform.Collation, platform.Clipboard, platform.Messages,
                       platform.FileDialogs, platform.Desktop, *files, platform.ProgramPath};
    return std::make_unique<app::TForm88>(services, target);
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
