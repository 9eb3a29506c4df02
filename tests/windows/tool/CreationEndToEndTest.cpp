// The real kaverolin.exe creating TEXT in simcad.exe's drawing: at a pick (the tool minimised
// while the CAD waits, back afterwards, Escape pressed in the CAD's window), inside the ruled
// cell, along a line, and a grid row into a table row.
#include <algorithm>

#include "ToolFixture.h"

namespace kav::test {
namespace {

bool Has(const std::vector<std::string>& lines, const std::string& text) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

TEST_F(ToolEndToEnd, TextAtAPickWithTheWindowsSettingsWhileTheToolStepsAside) {
  auto tool = StartTool("[Text]\r\nHeight=3\r\nWidth=0.8\r\n");
  ChooseRow(*tool, 2);   // "ボルト"
  tool->Click(L"TEXT 作成", true);
  // The CAD waits for the point with the tool's prompt; the tool is out of the way meanwhile.
  ASSERT_TRUE(WaitUntil([&] { return CadBusy(); }));
  EXPECT_TRUE(Has(CommandLine(), "作成基点を指示"));
  EXPECT_TRUE(tool->Minimized());
  app->Call("SimQueuePoint", {120.0, 80.0});
  WaitUntilBack(*tool);
  ASSERT_TRUE(WaitUntil([&] { return !TextsOf("ボルト").empty(); }));
  const std::string text = TextsOf("ボルト")[0];
  EXPECT_NE(text.find("anchor 120,80 h=3 w=0.8 a=9"), std::string::npos) << text;
  EXPECT_EQ(app->Call("SimUndoGroups").AsInt32(), 1);
  // The Escape key stroke reached the CAD's window: its command line answered it.
  EXPECT_TRUE(WaitUntil([&] { return Has(CommandLine(), "*キャンセル*"); }));
  EXPECT_EQ(tool->Close(), 0u);
}

TEST_F(ToolEndToEnd, InsideTheRuledCellAndAlongALine) {
  for (double x : {0.0, 40.0}) app->Call("SimAddLine", {x, 0.0, x, 10.0});
  for (double y : {0.0, 10.0}) app->Call("SimAddLine", {0.0, y, 40.0, y});
  const int slope = app->Call("SimAddLine", {100.0, 0.0, 110.0, 10.0}).AsInt32();
  auto tool = StartTool("[CheckBox]\r\nChecked3=1\r\n");
  ChooseRow(*tool, 3);   // "ナット"
  app->Call("SimQueuePoint", {13.0, 3.0});
  tool->Click(L"TEXT 作成", true);
  ASSERT_TRUE(WaitUntil([&] { return !TextsOf("ナット").empty(); }));
  WaitUntilBack(*tool);
  // Half a row height after the cell's left line, in the middle of the row (height 2.5).
  EXPECT_NE(TextsOf("ナット")[0].find("anchor 5,5 h=2.5"), std::string::npos) << TextsOf("ナット")[0];

  tool->Click(L"線上点");   // on a line instead of in a cell
  app->Call("SimQueuePick", {slope, 105.0, 5.0});
  tool->Click(L"TEXT 作成", true);
  ASSERT_TRUE(WaitUntil([&] { return TextsOf("ナット").size() == 2; }));
  WaitUntilBack(*tool);
  // Turned along the line (45 degrees) and set off to its left by h (0.5 + 0.5).
  const std::string onLine = TextsOf("ナット")[1];
  EXPECT_NE(onLine.find("r=0.785398"), std::string::npos) << onLine;
  EXPECT_NE(onLine.find("anchor 103.232233,6.767767"), std::string::npos) << onLine;
}

TEST_F(ToolEndToEnd, AGridRowIntoARuledTableRow) {
  // A row 10 high: the picked cell 0 to 20, the next 20 to 60.
  for (double x : {0.0, 20.0, 60.0}) app->Call("SimAddLine", {x, 0.0, x, 10.0});
  for (double y : {0.0, 10.0}) app->Call("SimAddLine", {0.0, y, 60.0, y});
  auto tool = StartTool();
  ChooseRow(*tool, 2);   // the current cell is "ボルト", "4" is to its right
  app->Call("SimQueuePoint", {10.0, 4.0});
  tool->Click(L"枠内に左中基点で一括作成");
  ASSERT_TRUE(WaitUntil([&] { return !TextsOf("4").empty(); }));
  WaitUntilBack(*tool);
  EXPECT_NE(TextsOf("ボルト")[0].find("anchor 5,5 "), std::string::npos) << TextsOf("ボルト")[0];
  EXPECT_NE(TextsOf("4")[0].find("anchor 22.5,5 "), std::string::npos) << TextsOf("4")[0];
}

TEST_F(ToolEndToEnd, TheToolAnswersWhileTheCadWaitsAndComesBackWhenTheCadIsClosedDuringThePick) {
  constexpr const char* kProgId = "KaverolinSim.ToolClose";
  TSimProcess closing(L"--progid KaverolinSim.ToolClose");
  ASSERT_TRUE(WaitUntil([&] { return host_->IsActive(kProgId); }));
  const cad::ObjectRef cad = host_->GetActiveObject(kProgId);
  const HWND cadWindow = reinterpret_cast<HWND>(static_cast<std::intptr_t>(cad->Get("HWND").AsInteger()));
  auto tool = StartTool("", {}, kProgId);
  ChooseRow(*tool, 2);
  tool->Click(L"TEXT 作成", true);
  ASSERT_TRUE(WaitUntil([&] { return !cad->Call("GetAcadState").AsObject()->Get("IsQuiescent").AsBool(); }));
  // The tool waits in its call to the CAD, and its window still answers.
  DWORD_PTR answer = 0;
  EXPECT_NE(SendMessageTimeoutW(tool->MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer), 0);
  // The user closes the CAD instead of picking: the tool comes back, nothing hangs.
  PostMessageW(cadWindow, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !closing.Running(); }));
  ASSERT_TRUE(WaitUntil([&] { return !tool->Minimized(); }));
  EXPECT_NE(SendMessageTimeoutW(tool->MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer), 0);
  EXPECT_EQ(tool->Close(), 0u);
}

}  // namespace
}  // namespace kav::test
