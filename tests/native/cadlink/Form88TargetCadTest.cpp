// The main window's side of the CAD link: the message filter registered by FormCreate and
// revoked by FormDestroy, and SpeedButton7 opening the target CAD dialog.
#include <gtest/gtest.h>

#include "app/Form88.h"
#include "cadlink/TargetCADForm.h"
#include "tests/support/Fakes.h"

namespace kav::app {
namespace {

class TRecordingFilter final : public cad::IMessageFilterHook {
 public:
  void RegisterFilter() override { Calls.push_back("register"); }
  void RevokeFilter() override { Calls.push_back("revoke"); }
  std::vector<std::string> Calls;
};

TEST(Form88TargetCad, TheMessageFilterLivesFromFormCreateToFormDestroy) {
  test::TFakePlatform platform;
  cad::TTargetState target;
  TForm88 form(platform.Services(), target);
  TRecordingFilter filter;
  form.MessageFilter = &filter;
  form.FormCreate();
  EXPECT_EQ(filter.Calls, (std::vector<std::string>{"register"}));
  form.FormDestroy();
  EXPECT_EQ(filter.Calls, (std::vector<std::string>{"register", "revoke"}));
}

TEST(Form88TargetCad, SpeedButton7ChoosesTheTargetAndNamesItInTheCaption) {
  test::TFakePlatform platform;
  platform.Files.Files["C:\\Tools\\TargetCAD_APIVersion.txt"] = "Sim\tKaverolinSim.Application\r\nBricsCAD\tBricscadApp.AcadApplication\r\n";
  cad::TTargetState target;
  TForm88 form(platform.Services(), target);
  form.FormCreate();
  EXPECT_EQ(form.GetCaption(), "KAVEROLIN 2.18 [ BricsCAD ]");
  cad::TTargetCADForm dialog(platform.Services(), target, form, kApplicationTitle);
  form.TargetCADForm = &dialog;
  dialog.ModalRunner = [](cad::TTargetCADForm& shown) {
    EXPECT_EQ(shown.Edit1.Text(), "BricsCAD");   // the current target is selected
    shown.ListBox1.UserSelect(shown.ListBox1.Items.IndexOf("Sim\tKaverolinSim.Application"));
    shown.Button1.UserClick();
  };
  form.SpeedButton7.UserClick();
  EXPECT_EQ(target.TargetProgID, "KaverolinSim.Application");
  EXPECT_EQ(form.GetCaption(), "KAVEROLIN 2.18 [Sim]");
  EXPECT_EQ(target.TargetCaption, "KAVEROLIN 2.18 [Sim]");
  EXPECT_TRUE(form.Topmost());
  form.FormDestroy();
}

}  // namespace
}  // namespace kav::app
