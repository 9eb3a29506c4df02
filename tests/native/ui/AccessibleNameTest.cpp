// The names screen readers get: captions, the label beside a box, else its hint or its group.
#include <gtest/gtest.h>

#include "ui/AccessibleName.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/StringGrid.h"

namespace kav::ui {
namespace {

struct TNamedForm : TForm {
  TNamedForm() : TForm("Form") {
    Add(Box);
    Box.Bounds = {0, 0, 400, 300};
    for (TControl* c : std::initializer_list<TControl*>{&HeightLabel, &Height, &Unit, &WidthLabel, &Width, &Hinted,
                                                         &Check, &Grid, &Above, &Below})
      Box.Add(*c);
    HeightLabel.Bounds = {6, 28, 52, 16};
    Height.Bounds = {62, 25, 52, 22};
    Unit.Bounds = {62, 48, 90, 16};   // under Height, above Width
    WidthLabel.Bounds = {6, 69, 52, 16};
    Width.Bounds = {62, 66, 52, 22};
    Hinted.Bounds = {200, 200, 100, 22};
    Hinted.Hint = "送る文字";
    Check.Bounds = {6, 100, 100, 20};
    Grid.Bounds = {200, 20, 150, 100};
    Above.Bounds = {6, 130, 100, 16};
    Below.Bounds = {6, 150, 100, 22};
  }
  TGroupBox Box{"Box", "文字"};
  TLabel HeightLabel{"HeightLabel", "文字高"};
  TEdit Height{"Height"};
  TLabel Unit{"Unit", "x DIMSCALE"};
  TLabel WidthLabel{"WidthLabel", "文字幅"};
  TEdit Width{"Width"};
  TEdit Hinted{"Hinted"};
  TCheckBox Check{"Check", "罫線内"};
  TStringGrid Grid{"Grid"};
  TLabel Above{"Above", "属性タグ"};
  TEdit Below{"Below"};
};

TEST(AccessibleName, CaptionsLabelsBesideOrAboveHintsAndGroups) {
  TNamedForm form;
  EXPECT_EQ(AccessibleName(form.Check), "罫線内");
  EXPECT_EQ(AccessibleName(form.Box), "文字");
  // The label on the box's row wins over one just above it.
  EXPECT_EQ(AccessibleName(form.Height), "文字高");
  EXPECT_EQ(AccessibleName(form.Width), "文字幅");
  EXPECT_EQ(LabelBeside(form.Width), &form.WidthLabel);
  EXPECT_EQ(AccessibleName(form.Below), "属性タグ");
  // No label near: the hint, and without one the group's caption.
  EXPECT_EQ(AccessibleName(form.Hinted), "送る文字");
  EXPECT_EQ(AccessibleName(form.Grid), "文字");
  EXPECT_EQ(LabelBeside(form.Grid), nullptr);
}

}  // namespace
}  // namespace kav::ui
