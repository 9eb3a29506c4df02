// TForm88's drawing operations: the CAD session, what each operation reads from the window,
// and the handlers that run them.
#include "app/Form88.h"

#include "harvest/HarvestTable.h"
#include "placement/ChangeText.h"
#include "platform/Text.h"

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

placement::TTextLines TForm88::TextLinesToCreate() const {
  placement::TTextLines o;
  // One column of several rows: the top cell is the first line and the cells below it follow;
  // otherwise the send box's text alone.
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
  o.Alignment = placement::AlignmentFor(JustificationControls());
  return o;
}

placement::TCreateTextOptions TForm88::CreateTextOptions() const {
  placement::TCreateTextOptions o{TextLinesToCreate(), std::nullopt, std::nullopt};
  const placement::TJustificationControls justification = JustificationControls();
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

placement::TBulkAttributeOptions TForm88::BulkAttributeOptions() const {
  return {ComboBox3.Text(), Trim(Edit15.Text()), CheckBox6.Checked()};
}

void TForm88::ShowTextProperties(const placement::TTextProperties& p) {
  Edit9.SetText(FormatNumber(p.Height, 2));
  Edit10.SetText(FormatNumber(p.WidthFactor, 2));
  Edit3.SetText(FormatNumber(p.Height * NumberIn(Edit7, 2.0), 2));
  const auto view = placement::ControlsFor(p.Alignment);
  if (!view) return;   // Aligned, Fit: the justification controls stay as they are
  using placement::TJustificationRadio;
  const std::pair<TJustificationRadio, ui::TRadioButton*> radios[] = {
      {TJustificationRadio::MiddleLeft, &RadioButton1}, {TJustificationRadio::MiddleCenter, &RadioButton2},
      {TJustificationRadio::MiddleRight, &RadioButton3}, {TJustificationRadio::Other, &RadioButton4}};
  for (const auto& [radio, button] : radios)
    if (radio != view->Radio) button->SetChecked(false);
  for (const auto& [radio, button] : radios)
    if (radio == view->Radio) button->SetChecked(true);   // its click handler enables the mode boxes
  if (view->ComboIndex) ComboBox2.SetItemIndex(*view->ComboIndex);
}

void TForm88::Button1Click() {
  if (Cad) placement::CreateText(*Cad, CreateTextOptions());
}

void TForm88::N15Click() {
  if (Cad) placement::CreateFrameRow(*Cad, FrameRowOptions());
}

void TForm88::Button3Click() {
  if (Cad) placement::ChangeText(*Cad, Trim(Edit2.Text()));
}

void TForm88::Button4Click() {
  if (Cad) placement::PickTextProperties(*Cad, [this](const placement::TTextProperties& p) { ShowTextProperties(p); });
}

void TForm88::Button6Click() {
  if (Cad) placement::PlainCreate(*Cad, TextLinesToCreate());
}

void TForm88::N14Click() { Button6Click(); }

void TForm88::Button7Click() {
  if (Cad) placement::ChangeAttributes(*Cad, BulkAttributeOptions());
}

void TForm88::Button2Click() {
  if (Cad) harvest::HarvestTable(*Cad, HarvestArrays, StringGrid2);
}

}  // namespace kav::app
