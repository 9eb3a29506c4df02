// The real kaverolin.exe changing simcad.exe's drawing: a picked TEXT changed, a TEXT's
// properties taken and used, plain creation returning only after the paste was placed, and
// the bulk attribute change by both paths.
#include "ToolFixture.h"

namespace kav::test {
namespace {

TEST_F(ToolEndToEnd, ChangeAPickedTextThenTakeAnotherTextsPropertiesForTheNextCreation) {
  const int old = app->Call("SimAddText", {"OLD", 10.0, 10.0, 2.5}).AsInt32();
  const int model = app->Call("SimAddText", {"MODEL", 50.0, 10.0, 5.0, 13}).AsInt32();
  auto tool = StartTool();
  ChooseRow(*tool, 2);
  app->Call("SimQueuePick", {old, 10.0, 10.0});
  tool->Click(L"TEXT, 属性変更", true);
  ASSERT_TRUE(WaitUntil([&] { return !TextsOf("ボルト").empty(); }));
  WaitUntilBack(*tool);
  EXPECT_TRUE(TextsOf("OLD").empty());

  app->Call("SimQueuePick", {model, 50.0, 10.0});
  tool->Click(L"文字高さ等取得");
  WaitUntilBack(*tool);
  app->Call("SimQueuePoint", {0.0, 50.0});
  ChooseRow(*tool, 3);
  tool->Click(L"TEXT 作成", true);
  ASSERT_TRUE(WaitUntil([&] { return !TextsOf("ナット").empty(); }));
  WaitUntilBack(*tool);
  // Height 5 and bottom-centre, as the model TEXT has them.
  EXPECT_NE(TextsOf("ナット")[0].find("anchor 0,50 h=5 w=1 a=13"), std::string::npos) << TextsOf("ナット")[0];
}

TEST_F(ToolEndToEnd, PlainCreationReturnsOnlyAfterThePasteWasPlaced) {
  auto tool = StartTool();
  ChooseRow(*tool, 2);
  tool->Click(L"普通に作成", true);
  // The TEXT hangs at the CAD's cursor: the CAD is busy and the tool waits, minimised.
  ASSERT_TRUE(WaitUntil([&] { return CadBusy(); }));
  ::Sleep(500);
  EXPECT_TRUE(tool->Minimized());
  EXPECT_TRUE(CadBusy());
  app->Call("SimQueuePoint", {70.0, 30.0});
  WaitUntilBack(*tool);
  ASSERT_EQ(TextsOf("ボルト").size(), 1u);
  EXPECT_NE(TextsOf("ボルト")[0].find("anchor 70,30 "), std::string::npos) << TextsOf("ボルト")[0];
}

TEST_F(ToolEndToEnd, BulkAttributeChangeDirectlyInOneUndoGroupAndThroughTheCadsCommand) {
  cad::VariantArray tags, values;
  tags.Items = {cad::Variant("PARTNO"), cad::Variant("NAME")};
  values.Items = {cad::Variant("P-1"), cad::Variant("x")};
  const int a = app->Call("SimAddBlock", {"TITLE", 0.0, 0.0, tags, values}).AsInt32();
  const int b = app->Call("SimAddBlock", {"TITLE", 30.0, 0.0, tags, values}).AsInt32();
  const std::map<std::string, std::string> tagList{{"ATTTAGList.txt", "PARTNO\t品番\r\nNAME\t名称\r\n"}};
  {
    auto tool = StartTool("[ComboBox]\r\nText3=PARTNO : 品番\r\n", tagList);
    ChooseRow(*tool, 2);   // "ボルト" becomes the value too
    app->Call("SimQueueSelection", {cad::DoubleArray{0, {double(a), double(b)}}});
    tool->Click(L"属性一括変更");
    WaitUntilBack(*tool);
    ASSERT_TRUE(WaitUntil([&] { return app->Call("SimUndoGroups").AsInt32() == 1; }));
    int changed = 0;
    for (const auto& line : Drawing()) changed += line.find("PARTNO=ボルト") != std::string::npos;
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(tool->Close(), 0u);
  }
  auto tool = StartTool("[ComboBox]\r\nText3=NAME : 名称\r\n[CheckBox]\r\nChecked6=1\r\n", tagList);
  ChooseRow(*tool, 3);
  tool->Click(L"属性一括変更");
  WaitUntilBack(*tool);
  ASSERT_TRUE(WaitUntil([&] {
    int changed = 0;
    for (const auto& line : Drawing()) changed += line.find("NAME=ナット") != std::string::npos;
    return changed == 2;
  }));
}

}  // namespace
}  // namespace kav::test
