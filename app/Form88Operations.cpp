// TForm88's drawing operations: the CAD session, what each operation reads from the window,
// and the handlers that run them.
#include "app/Form88.h"

namespace kav::app {

void TForm88::AttachCad(cad::IAutomationHost& host) {
  Cad = std::make_unique<cad::TCadSession>(host, Services.Desktop, Services.Messages, Target, *this);
}

placement::TJustificationControls TForm88::JustificationControls() const {
  using placement::TJustificationRadio;
  TJustificationRadio radio = TJustificationRadio::None;
  if (RadioButton1.Checked()) radio = TJustificationRadio::MiddleLeft;
  else if (RadioButton2.Checked()) radio = TJustificationRadio::MiddleCenter;
  else if (RadioButton3.Checked()) radio = TJustificationRadio::MiddleRight;
  else if (RadioButton4.Checked()) radio = TJustificationRadio::Other;
  return {radio, ComboBox2.Text()};
}

placement::TCreateTextOptions TForm88::CreateTextOptions() const {
  placement::TCreateTextOptions o;
  // One column of several rows: the top cell is the first line and the rest follow it.
  const ui::TGridRect sel = StringGrid1.Selection();
  o.Stack = sel.Left == sel.Right && sel.Top != sel.Bottom;
  if (o.Stack) {
    o.FirstString = StringGrid1.Cell(sel.Left, sel.Top);
    for (int row = sel.Top + 1; row <= sel.Bottom; ++row) o.FollowingCells.push_back(StringGrid1.Cell(sel.Left, row));
  } else {
    o.FirstString = Edit2.Text();
  }
  o.Height = NumberIn(Edit9, 2.5);
  o.WidthFactor = NumberIn(Edit10, 1.0);
  o.Pitch = NumberIn(Edit3, 5.0);
  const placement::TJustificationControls justification = JustificationControls();
  o.Alignment = placement::AlignmentFor(justification);
  // A mode counts only while its box is both enabled and checked.
  if (CheckBox3.Enabled() && CheckBox3.Checked())
    o.InCell = placement::TCellOptions{placement::CellJustificationFor(justification.Radio), NumberIn(Edit4, 5.0),
                                       NumberIn(Edit5, 100.0), NumberIn(Edit6, 0.5)};
  if (CheckBox5.Enabled() && CheckBox5.Checked())
    o.OnLine = placement::TOnLineOptions{NumberIn(Edit12, 0.5), NumberIn(Edit13, 91.0), NumberIn(Edit14, 269.0)};
  return o;
}

placement::TFrameRowOptions TForm88::FrameRowOptions() const {
  placement::TFrameRowOptions o;
  for (int col = StringGrid1.Col(); col < StringGrid1.ColCount(); ++col)
    o.Cells.push_back(StringGrid1.Cell(col, StringGrid1.Row()));
  o.Height = NumberIn(Edit9, 2.5);
  o.WidthFactor = NumberIn(Edit10, 1.0);
  o.Cell = {"ML", NumberIn(Edit4, 5.0), NumberIn(Edit5, 100.0), NumberIn(Edit6, 0.5)};
  return o;
}

void TForm88::Button1Click() {
  if (Cad) placement::CreateText(*Cad, CreateTextOptions());
}

void TForm88::N15Click() {
  if (Cad) placement::CreateFrameRow(*Cad, FrameRowOptions());
}

void TForm88::Button3Click() {}

void TForm88::Button6Click() {}

}  // namespace kav::app
