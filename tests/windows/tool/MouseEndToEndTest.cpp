// The real kaverolin.exe's operations answered by hand in simcad.exe's window: real mouse
// clicks and key strokes (SendInput) for a point, a LINE, an attribute, a window selection and
// the paste's insertion point, and Escape to cancel a pick.
#include <algorithm>

#include "ToolFixture.h"

namespace kav::test {
namespace {

class ByHand : public ToolEndToEnd {
 protected:
  void SetUp() override {
    ToolEndToEnd::SetUp();
    line = app->Call("SimAddLine", {0.0, 0.0, 40.0, 30.0}).AsInt32();
    cad::VariantArray tags{0, {cad::Variant("PARTNO"), cad::Variant("NAME")}};
    cad::VariantArray values{0, {cad::Variant("K-1"), cad::Variant("ブラケット")}};
    first = app->Call("SimAddBlock", {"TITLE", 120.0, 60.0, tags, values}).AsInt32();
    second = app->Call("SimAddBlock", {"TITLE", 160.0, 60.0, tags, values}).AsInt32();
    app->Call("SimAddCircle", {140.0, 10.0, 8.0});
    app->Call("SimAddLine", {0.0, 90.0, 230.0, 90.0});   // the drawing reaches past the window drawn below
    app->Call("SimFitView");
  }
  POINT Screen(double x, double y) { return test::ScreenPointOf(*app, x, y); }
  double Pixel() { return test::PixelLength(*app); }
  // Starts the operation of `caption` and waits until the CAD asks the user.
  void StartAndWaitForTheCad(TToolProcess& tool, const std::wstring& caption, bool lowest = false) {
    tool.Click(caption, lowest);
    ASSERT_TRUE(WaitUntil([&] { return CadBusy(); })) << "the CAD never asked";
  }
  int Count(const std::string& text) {
    const auto lines = Drawing();
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
      return l.find(text) != std::string::npos;
    }));
  }
  int line = 0, first = 0, second = 0;
};

TEST_F(ByHand, APointALineAndEscape) {
  auto tool = StartTool();
  ChooseRow(*tool, 2);
  StartAndWaitForTheCad(*tool, L"TEXT 作成", true);
  EXPECT_TRUE(tool->Minimized());
  Click(Screen(30, 40));
  WaitUntilBack(*tool);
  ASSERT_EQ(TextsOf("ボルト").size(), 1u);
  const std::string text = TextsOf("ボルト")[0];
  const auto anchor = text.find("anchor ");
  EXPECT_NEAR(std::stod(text.substr(anchor + 7)), 30, 2 * Pixel()) << text;

  // Escape in the CAD's window cancels the pick: nothing more is made.
  StartAndWaitForTheCad(*tool, L"TEXT 作成", true);
  Key(VK_ESCAPE);
  WaitUntilBack(*tool);
  EXPECT_EQ(TextsOf("ボルト").size(), 1u);

  // On a line: the click on the LINE turns the text along it.
  tool->Click(L"線上点");
  StartAndWaitForTheCad(*tool, L"TEXT 作成", true);
  Click(Screen(20, 15));
  WaitUntilBack(*tool);
  ASSERT_EQ(TextsOf("ボルト").size(), 2u);
  EXPECT_NE(TextsOf("ボルト")[1].find("r=0.643501"), std::string::npos) << TextsOf("ボルト")[1];
}

TEST_F(ByHand, AnAttributeAWindowSelectionAndThePaste) {
  auto tool = StartTool("[ComboBox]\r\nText3=NAME : 名称\r\n", {{"ATTTAGList.txt", "NAME\t名称\r\n"}});
  ChooseRow(*tool, 3);   // "ナット"
  // The sub-entity pick takes the attribute under the pointer: the first stands from 60 to 62.5.
  StartAndWaitForTheCad(*tool, L"TEXT, 属性変更", true);
  Click(Screen(123, 61));
  WaitUntilBack(*tool);
  EXPECT_EQ(Count("PARTNO=ナット"), 1);

  // A window drawn from left to right around both references, ended with a right click.
  StartAndWaitForTheCad(*tool, L"属性一括変更");
  Click(Screen(110, 70));
  Click(Screen(200, 40));
  RightClick(Screen(200, 40));
  WaitUntilBack(*tool);
  EXPECT_EQ(Count("NAME=ナット"), 2);

  // Plain creation: the TEXT follows the pointer until the click places it.
  StartAndWaitForTheCad(*tool, L"普通に作成", true);
  MoveTo(Screen(60, 80));
  Click(Screen(70, 85));
  WaitUntilBack(*tool);
  ASSERT_EQ(TextsOf("ナット").size(), 1u);
  const std::string pasted = TextsOf("ナット")[0];
  const auto anchor = pasted.find("anchor ");
  EXPECT_NEAR(std::stod(pasted.substr(anchor + 7)), 70, 2 * Pixel()) << pasted;
}

}  // namespace
}  // namespace kav::test
