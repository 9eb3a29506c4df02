// simcad.exe's File menu under Wine, its window in this process: ファイル > 開く... with a file
// that is not a drawing, an empty one, one cut short and one too large shows a message naming
// the file and keeps the drawing, its title and its undo steps; a drawing file replaces the
// drawing, is named in the title and is shown whole; 名前を付けて保存... writes a file that
// opens as the same drawing. The dialogs answer from a script; the menu's commands are the
// window's own.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>

#include "platform/Text.h"
#include "simcad/SimCad.h"
#include "simcad/SimDxfFile.h"
#include "simcad/com/DrawingView.h"
#include "tests/support/Fakes.h"
#include "tests/support/win32/HostPaths.h"

namespace kav::sim {
namespace {

std::wstring Text(HWND window) {
  wchar_t text[512] = L"";
  GetWindowTextW(window, text, 512);
  return text;
}

std::wstring SourceFile(const std::string& relative) {
  return test::WindowsPath(std::string(KAV_SOURCE_DIR) + "/" + relative);
}

class SimFileMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    folder_ = WideToUtf8(temp) + "kav-simcad-menu-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryW(Utf8ToWide(folder_).c_str(), nullptr);
    cad.State().FileAccess = &files.Access();
    view = std::make_unique<com::TDrawingView>(cad.State(), false, com::TFileMenuServices{&files, &messages, &dialogs});
    ASSERT_NE(view->Handle(), nullptr);
  }
  void TearDown() override {
    view.reset();
    for (const auto& name : written_) DeleteFileW(Utf8ToWide(name).c_str());
    RemoveDirectoryW(Utf8ToWide(folder_).c_str());
  }

  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = folder_ + name;
    HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    written_.push_back(path);
    return path;
  }
  // A file of `size` bytes of zeros, made without writing them.
  std::string Sized(const std::string& name, std::uint64_t size) {
    const std::string path = Write(name, "");
    HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(size);
    SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    return path;
  }

  // The command of the File menu's item whose text begins with `text`, chosen as the user does.
  void Choose(const std::wstring& text) {
    HMENU bar = GetMenu(view->Handle());
    ASSERT_NE(bar, nullptr);
    wchar_t title[64] = L"";
    GetMenuStringW(bar, 0, title, 64, MF_BYPOSITION);
    ASSERT_EQ(std::wstring(title), L"ファイル(&F)");
    HMENU file = GetSubMenu(bar, 0);
    for (int i = 0; i < GetMenuItemCount(file); ++i) {
      wchar_t item[64] = L"";
      GetMenuStringW(file, static_cast<UINT>(i), item, 64, MF_BYPOSITION);
      if (std::wstring(item).rfind(text, 0) == 0) {
        SendMessageW(view->Handle(), WM_COMMAND, GetMenuItemID(file, i), 0);
        return;
      }
    }
    FAIL() << "no menu item " << WideToUtf8(text);
  }
  void Open(const std::string& path) {
    dialogs.OpenAnswers.push_back(path);
    Choose(L"開く(&O)...");
  }

  TSimCad cad;
  com::TDrawingFiles files;
  test::TFakeMessages messages;
  test::TFakeFileDialogs dialogs;
  std::unique_ptr<com::TDrawingView> view;
  std::string folder_;   // a folder of this test's own, emptied at the end

 private:
  std::vector<std::string> written_;
};

TEST_F(SimFileMenuTest, AFileThatCannotBeOpenedShowsWhyAndKeepsTheDrawing) {
  cad.AddLine(0, 0, 10, 10);
  cad.Application()->GetObj("ActiveDocument")->GetObj("ModelSpace")->Call("AddText", {"部品", cad::MakePoint(1, 1), 2.5});
  const auto drawing = cad.DrawingLines();
  const std::wstring title = Text(view->Handle());
  ASSERT_EQ(title, L"Drawing1.dwg - KaverolinSim");
  ASSERT_EQ(cad.State().Undo.Steps(), 1u);

  std::ifstream drawingFile(WideToUtf8(SourceFile("tests/data/parts-list-ruled-932.dxf")), std::ios::binary);
  const std::string whole{std::istreambuf_iterator<char>(drawingFile), std::istreambuf_iterator<char>()};
  ASSERT_GT(whole.size(), 1000u);
  struct TCase {
    std::string Path, Reason;
  };
  const TCase cases[] = {
      {Write("部品表.dxf", "品番\t品名\r\n1\tボルト\r\n"), "this is not a DXF file"},
      {Write("empty.dxf", ""), "empty"},
      {Write("cut.dxf", whole.substr(0, whole.size() / 2)), "line "},
      {Sized("huge.dxf", kMaxDxfFileBytes + 1), "too large to open: 128.0 MB (at most 128.0 MB)"},
      {folder_ + "missing.dxf", "missing.dxf"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Path);
    messages.Errors.clear();
    Open(c.Path);
    ASSERT_EQ(messages.Errors.size(), 1u);
    const std::string& error = messages.Errors[0];
    EXPECT_EQ(error.rfind(ExtractFileName(c.Path) + " を開けません。", 0), 0u) << error;
    EXPECT_NE(error.find(c.Reason), std::string::npos) << error;
    EXPECT_EQ(cad.DrawingLines(), drawing);
    EXPECT_EQ(Text(view->Handle()), title);
    EXPECT_EQ(cad.State().Undo.Steps(), 1u);
  }
  // Cancelling the dialog changes nothing either.
  Choose(L"開く(&O)...");
  EXPECT_EQ(cad.DrawingLines(), drawing);
}

TEST_F(SimFileMenuTest, ADrawingOpensInPlaceIsNamedAndShownWholeAndSavesAsDxf) {
  cad.AddLine(0, 0, 10, 10);
  const std::wstring path = SourceFile("tests/data/title-block-2007.dxf");
  dialogs.OpenAnswers.push_back(WideToUtf8(path));
  Choose(L"開く(&O)...");
  EXPECT_TRUE(messages.Errors.empty()) << messages.Errors[0];
  EXPECT_EQ(Text(view->Handle()), L"title-block-2007.dxf - KaverolinSim");
  EXPECT_EQ(dialogs.OpenOptions.at(0).DefaultExt, "dxf");
  EXPECT_NE(dialogs.OpenOptions.at(0).Filter.find("*.dxf"), std::string::npos);
  const auto opened = cad.DrawingLines();
  EXPECT_NE(opened.front().find("AcDbBlockReference\tTITLE"), std::string::npos) << opened.front();
  // Shown whole: the corners of the drawing (the turned reference reaches to (-16, 190), the
  // title block to (380, 0)) are inside the window.
  cad::TArg corner[2] = {cad::In(0.0), cad::In(0.0)};
  cad::Variant result;
  RECT client{};
  GetClientRect(view->Handle(), &client);
  for (const auto& xy : {std::pair{-16.0, 190.0}, std::pair{380.0, 0.0}}) {
    corner[0] = cad::In(xy.first);
    corner[1] = cad::In(xy.second);
    ASSERT_TRUE(view->HandleViewMember("SIMSCREENPOINT", corner, result));
    POINT p{static_cast<LONG>(result.AsDoubles()[0]), static_cast<LONG>(result.AsDoubles()[1])};
    ScreenToClient(view->Handle(), &p);
    EXPECT_TRUE(p.x > 0 && p.x < client.right && p.y > 0 && p.y < client.bottom) << xy.first << "," << xy.second;
  }

  // Saved under a new name: the dialog proposes the drawing's name as DXF; the file opens as
  // the same drawing.
  wchar_t temp[MAX_PATH] = L"";
  GetTempPathW(MAX_PATH, temp);
  const std::string saved = WideToUtf8(temp) + "kav-simcad-menu-保存.dxf";
  dialogs.SaveAnswers.push_back(saved);
  Choose(L"名前を付けて保存(&A)...");
  EXPECT_EQ(dialogs.SaveOptions.at(0).FileName, "title-block-2007.dxf");
  EXPECT_TRUE(dialogs.SaveOptions.at(0).ConfirmOverwrite);
  EXPECT_EQ(Text(view->Handle()), L"kav-simcad-menu-保存.dxf - KaverolinSim");
  cad.Application()->Call("SimReset");
  ASSERT_TRUE(view->OpenFile(saved));
  EXPECT_EQ(cad.DrawingLines(), opened);
  DeleteFileW(Utf8ToWide(saved).c_str());
}

}  // namespace
}  // namespace kav::sim
