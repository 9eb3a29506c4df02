// simcad.exe and drawing files, end to end under Wine: a drawing named on the command line is
// open when the CAD can be found, with its name in the window's title; SimSaveDxf writes a file
// that SimOpenDxf reads back as the same drawing; a file that cannot be read is said so in a
// message box (none with --hidden) and the CAD starts with an empty drawing; and the sub-entity
// pick of a TEXT inside a block answers through COM with its matrix and context.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "SimProcess.h"
#include "cadlink/Point.h"
#include "cadlink/com/ComHost.h"
#include "platform/Text.h"
#include "tests/support/win32/HostPaths.h"

namespace kav::cad {
namespace {

constexpr const char* kProgId = "KaverolinSim.DxfTest";   // apart from the other tests' simulated CAD

std::wstring SourceFile(const std::string& relative) {
  return test::WindowsPath(std::string(KAV_SOURCE_DIR) + "/" + relative);
}

std::string TempPath(const std::string& name) {
  wchar_t folder[MAX_PATH] = L"";
  GetTempPathW(MAX_PATH, folder);
  return WideToUtf8(folder) + name;
}

std::vector<std::string> Lines(const Variant& value) {
  std::vector<std::string> lines;
  for (const auto& item : value.AsVariants()) lines.push_back(item.AsString());
  return lines;
}

std::wstring Title(const ObjectRef& app) {
  wchar_t title[256] = L"";
  GetWindowTextW(reinterpret_cast<HWND>(static_cast<std::intptr_t>(app->Get("HWND").AsInteger())), title, 256);
  return title;
}

class SimDxfServerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    apartment_ = std::make_unique<com::TComApartment>();
    host_ = com::MakeComHost();
  }
  static void TearDownTestSuite() {
    host_.reset();
    apartment_.reset();
  }
  void TearDown() override {
    try {
      if (app) app->Call("SimQuit");
    } catch (const std::exception&) {
    }
    app.reset();
    process_.reset();
  }

  // Starts simcad.exe with `arguments` and waits until its application object can be found.
  void Start(const std::wstring& arguments) {
    process_ = std::make_unique<test::TSimProcess>(L"--progid " + Utf8ToWide(kProgId) + L" " + arguments);
    for (int i = 0; i < 300 && !host_->IsActive(kProgId); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(host_->IsActive(kProgId)) << "simcad.exe did not register";
    app = host_->GetActiveObject(kProgId);
  }

  static inline std::unique_ptr<com::TComApartment> apartment_;
  static inline std::unique_ptr<IAutomationHost> host_;
  std::unique_ptr<test::TSimProcess> process_;
  ObjectRef app;
};

TEST_F(SimDxfServerTest, OpensTheDrawingOnItsCommandLineAndSavesAFileThatReadsBackEqual) {
  Start(L"--hidden \"" + SourceFile("tests/data/parts-list-ruled-932.dxf") + L"\"");
  const auto drawing = Lines(app->Call("SimDrawing"));
  ASSERT_EQ(drawing.size(), 38u);
  EXPECT_NE(drawing[10].find("AcDbText\t品番"), std::string::npos) << drawing[10];
  EXPECT_EQ(app->GetObj("ActiveDocument")->Get("Name").AsString(), "parts-list-ruled-932.dxf");
  EXPECT_EQ(Title(app), L"parts-list-ruled-932.dxf - KaverolinSim");

  const std::string copy = TempPath("kav-simcad-copy-図面.dxf");
  app->Call("SimSaveDxf", {copy});
  EXPECT_EQ(Title(app), L"kav-simcad-copy-図面.dxf - KaverolinSim");
  app->Call("SimReset");
  EXPECT_TRUE(Lines(app->Call("SimDrawing")).empty());
  app->Call("SimOpenDxf", {copy});
  EXPECT_EQ(Lines(app->Call("SimDrawing")), drawing);

  // A file that cannot be read: the automation error says why, the drawing stays.
  const std::string broken = TempPath("kav-simcad-broken.dxf");
  HANDLE file = CreateFileW(Utf8ToWide(broken).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  const char bytes[] = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nLINE\r\n 10\r\n";
  DWORD written = 0;
  WriteFile(file, bytes, sizeof bytes - 1, &written, nullptr);
  CloseHandle(file);
  try {
    app->Call("SimOpenDxf", {broken});
    ADD_FAILURE() << "a broken file opened";
  } catch (const TAutomationError& e) {
    EXPECT_NE(std::string(e.what()).find("kav-simcad-broken.dxf: line 7:"), std::string::npos) << e.what();
  }
  EXPECT_EQ(Lines(app->Call("SimDrawing")), drawing);
  DeleteFileW(Utf8ToWide(copy).c_str());
  DeleteFileW(Utf8ToWide(broken).c_str());
}

TEST_F(SimDxfServerTest, AFileThatCannotBeReadIsSaidSoAndTheCadStartsEmpty) {
  const std::wstring text = SourceFile("tests/data/make-drawings.py");   // no DXF file
  // Shown: a message box names the file and the line, and the CAD goes on once it is closed.
  process_ = std::make_unique<test::TSimProcess>(L"--progid " + Utf8ToWide(kProgId) + L" \"" + text + L"\"");
  HWND box = nullptr;
  for (int i = 0; i < 300 && box == nullptr; ++i) {
    box = FindWindowW(L"#32770", L"KaverolinSim");
    if (box == nullptr) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  ASSERT_NE(box, nullptr) << "no message box";
  wchar_t message[512] = L"";
  GetDlgItemTextW(box, 0xFFFF, message, 512);
  EXPECT_EQ(std::wstring(message).rfind(L"make-drawings.py を開けません。\n\nline 1: this is not a DXF file", 0), 0u)
      << WideToUtf8(message);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  for (int i = 0; i < 300 && !host_->IsActive(kProgId); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  ASSERT_TRUE(host_->IsActive(kProgId));
  app = host_->GetActiveObject(kProgId);
  EXPECT_TRUE(Lines(app->Call("SimDrawing")).empty());
  EXPECT_EQ(Title(app), L"Drawing1.dwg - KaverolinSim");
  app->Call("SimQuit");
  app.reset();
  process_.reset();

  // Hidden: no box at all, the same empty drawing.
  Start(L"--hidden \"" + text + L"\"");
  EXPECT_TRUE(Lines(app->Call("SimDrawing")).empty());
  EXPECT_EQ(FindWindowW(L"#32770", L"KaverolinSim"), nullptr);
}

TEST_F(SimDxfServerTest, ATextInsideABlockIsPickedThroughCom) {
  Start(L"--hidden \"" + SourceFile("tests/data/title-block-2007.dxf") + L"\"");
  // The first reference of the title block, and the label "図番" of its definition.
  const auto drawing = Lines(app->Call("SimDrawing"));
  ASSERT_FALSE(drawing.empty());
  const int reference = std::stoi(drawing[0]);
  int label = 0;
  for (const auto& line : Lines(app->Call("SimBlocks")))
    if (line.find("AcDbText\t図番") != std::string::npos) label = std::stoi(line);
  ASSERT_LT(label, 0);

  app->Call("SimQueuePick", {label, 230.0, 8.0, reference});
  auto utility = app->GetObj("ActiveDocument")->GetObj("Utility");
  std::vector<TArg> sub{Out(), Out(), Out(), Out(), In("\n文字を変更する TEXT、属性を選択 : ")};
  utility->CallWithRefs("GetSubEntity", sub);
  auto text = sub[0].Value.AsObject();
  EXPECT_EQ(text->Get("EntityName").AsString(), "AcDbText");
  const std::vector<double> matrix = sub[2].Value.AsDoubles();
  ASSERT_EQ(matrix.size(), 16u);
  EXPECT_EQ(matrix[3], 200);   // the reference stands at (200, 0), unscaled
  const auto context = sub[3].Value.AsVariants();
  ASSERT_EQ(context.size(), 1u);
  EXPECT_EQ(context[0].AsInt32(), reference);
  text->Put("TextString", "DRAWING NO.");
  bool changed = false;
  for (const auto& line : Lines(app->Call("SimBlocks"))) changed = changed || line.find("AcDbText\tDRAWING NO.") != std::string::npos;
  EXPECT_TRUE(changed);
}

}  // namespace
}  // namespace kav::cad
