// The simulated CAD's test members for drawing files: SimOpenDxf puts a file's drawing in
// place and names the document after it, a file that cannot be read (or is too large, or comes
// while a pick waits) keeps the old drawing and says why, and an opened drawing is no undo
// step; SimSaveDxf writes a file that opens as the same drawing.
#include <gtest/gtest.h>

#include "DxfTestSupport.h"
#include "cadlink/Point.h"
#include "simcad/SimCad.h"
#include "simcad/SimDxfFile.h"
#include "tests/support/Fakes.h"

namespace kav::sim {
namespace {

using cad::Variant;

class SimDxfFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files.Files["C:\\drawings\\parts.dxf"] = test::ReadBytes(test::SourcePath("tests/data/parts-list-ruled-932.dxf"));
    files.Files["C:\\drawings\\broken.dxf"] = "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\nten\n  0\nENDSEC\n  0\nEOF\n";
    cad.State().FileAccess = &access;
  }

  std::vector<std::string> Drawing() {
    std::vector<std::string> lines;
    for (const Variant& line : app->Call("SimDrawing").AsVariants()) lines.push_back(line.AsString());
    return lines;
  }
  std::string Error(const std::string& member, const std::string& path) {
    try {
      app->Call(member, {path});
    } catch (const cad::TAutomationError& e) {
      EXPECT_EQ(e.Code, cad::kFail);
      return e.what();
    }
    return "no error";
  }

  kav::test::TMemoryFileSystem files;
  TDxfFileAccess access{&files, test::JapaneseSystem()};
  TSimCad cad;
  cad::ObjectRef app = cad.Application();
  cad::ObjectRef doc = app->GetObj("ActiveDocument");
};

TEST_F(SimDxfFileTest, OpenPutsTheFilesDrawingInPlaceAndNamesTheDocument) {
  cad.AddLine(0, 0, 1, 1);
  cad.State().Selection = {1};
  EXPECT_EQ(doc->Get("Name").AsString(), "Drawing1.dwg");
  app->Call("SimOpenDxf", {"C:\\drawings\\parts.dxf"});
  const auto lines = Drawing();
  ASSERT_EQ(lines.size(), 38u);
  EXPECT_NE(lines[10].find("AcDbText\t品番"), std::string::npos) << lines[10];
  EXPECT_EQ(doc->Get("Name").AsString(), "parts.dxf");
  EXPECT_EQ(doc->Get("FullName").AsString(), "C:\\drawings\\parts.dxf");
  EXPECT_TRUE(cad.State().Selection.empty());
}

TEST_F(SimDxfFileTest, AFileThatCannotBeReadKeepsTheDrawingAndSaysWhy) {
  app->Call("SimOpenDxf", {"C:\\drawings\\parts.dxf"});
  const auto before = Drawing();
  EXPECT_EQ(Error("SimOpenDxf", "C:\\drawings\\broken.dxf"), "broken.dxf: line 8: group 10 needs a number, found \"ten\"");
  EXPECT_NE(Error("SimOpenDxf", "C:\\drawings\\missing.dxf").find("missing.dxf"), std::string::npos);
  EXPECT_EQ(Drawing(), before);
  EXPECT_EQ(doc->Get("Name").AsString(), "parts.dxf");

  cad.State().FileAccess = nullptr;   // a simulated CAD without files
  EXPECT_NE(Error("SimOpenDxf", "C:\\drawings\\parts.dxf").find("no access to files"), std::string::npos);
}

TEST_F(SimDxfFileTest, AFileTooLargeOrOneOpenedWhileAPickWaitsKeepsTheDrawing) {
  cad.AddLine(0, 0, 1, 1);
  const auto before = Drawing();
  access.MaxBytes = files.Files["C:\\drawings\\parts.dxf"].size() - 1;
  EXPECT_EQ(Error("SimOpenDxf", "C:\\drawings\\parts.dxf").rfind("parts.dxf: the file is too large to open: ", 0), 0u);
  access.MaxBytes = kMaxDxfFileBytes;
  cad.State().PickWaiting = true;   // a GetPoint waits for the user
  EXPECT_NE(Error("SimOpenDxf", "C:\\drawings\\parts.dxf").find("waits for input"), std::string::npos);
  cad.State().PickWaiting = false;
  EXPECT_EQ(Drawing(), before);
  EXPECT_EQ(doc->Get("Name").AsString(), "Drawing1.dwg");
}

TEST_F(SimDxfFileTest, AnOpenedDrawingIsNoUndoStepAndEndsTheStepsBeforeIt) {
  auto space = doc->GetObj("ModelSpace");
  space->Call("AddText", {"前", cad::MakePoint(0, 0), 2.5});
  ASSERT_EQ(cad.State().Undo.Steps(), 1u);
  const auto opened = cad.State().DrawingsOpened;
  app->Call("SimOpenDxf", {"C:\\drawings\\parts.dxf"});
  EXPECT_EQ(cad.State().DrawingsOpened, opened + 1);
  EXPECT_EQ(cad.State().Undo.Steps(), 0u);
  const auto parts = Drawing();
  EXPECT_FALSE(cad.State().Undo.Undo(cad.Drawing()));
  EXPECT_EQ(Drawing(), parts);
  // Opened inside an operation's undo marks: what the operation does afterwards is one step
  // that goes back to the opened drawing.
  doc->Call("StartUndoMark");
  app->Call("SimOpenDxf", {"C:\\drawings\\parts.dxf"});
  space->Call("AddText", {"後", cad::MakePoint(0, 0), 2.5});
  doc->Call("EndUndoMark");
  EXPECT_EQ(cad.State().Undo.Steps(), 1u);
  ASSERT_TRUE(cad.State().Undo.Undo(cad.Drawing()));
  EXPECT_EQ(Drawing(), parts);
}

TEST_F(SimDxfFileTest, SaveWritesAFileThatOpensAsTheSameDrawing) {
  app->Call("SimOpenDxf", {"C:\\drawings\\parts.dxf"});
  cad.AddBlock("TITLE", 300, 0, {"PARTNO"}, {"K-1"});
  const auto before = Drawing();
  app->Call("SimSaveDxf", {"C:\\drawings\\copy.dxf"});
  EXPECT_EQ(doc->Get("Name").AsString(), "copy.dxf");
  app->Call("SimReset");   // an empty drawing; the access to files stays
  EXPECT_TRUE(Drawing().empty());
  app->Call("SimOpenDxf", {"C:\\drawings\\copy.dxf"});
  EXPECT_EQ(Drawing(), before);

  files.Unwritable["C:\\drawings\\locked.dxf"] = true;
  EXPECT_NE(Error("SimSaveDxf", "C:\\drawings\\locked.dxf"), "no error");
  EXPECT_EQ(files.Files.count("C:\\drawings\\locked.dxf"), 0u);
  EXPECT_EQ(doc->Get("Name").AsString(), "copy.dxf");
}

}  // namespace
}  // namespace kav::sim
