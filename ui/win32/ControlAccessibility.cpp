#include "ui/win32/ControlAccessibility.h"

#include <oleacc.h>

#include "platform/Text.h"
#include "ui/AccessibleName.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"

namespace kav::ui::win32 {
namespace {

long RoleOf(ui::TControlKind kind) {
  switch (kind) {
    case ui::TControlKind::Button:
    case ui::TControlKind::SpeedButton: return ROLE_SYSTEM_PUSHBUTTON;
    case ui::TControlKind::CheckBox: return ROLE_SYSTEM_CHECKBUTTON;
    case ui::TControlKind::RadioButton: return ROLE_SYSTEM_RADIOBUTTON;
    case ui::TControlKind::Edit: return ROLE_SYSTEM_TEXT;
    case ui::TControlKind::ComboBox: return ROLE_SYSTEM_COMBOBOX;
    case ui::TControlKind::ListBox: return ROLE_SYSTEM_LIST;
    case ui::TControlKind::Label: return ROLE_SYSTEM_STATICTEXT;
    case ui::TControlKind::StringGrid: return ROLE_SYSTEM_TABLE;
    case ui::TControlKind::GroupBox: return ROLE_SYSTEM_GROUPING;
    case ui::TControlKind::TabSheet: return ROLE_SYSTEM_PROPERTYPAGE;
    case ui::TControlKind::PageControl: return ROLE_SYSTEM_PAGETABLIST;
    default: return 0;
  }
}

}  // namespace

TAccessibleParts DescribeControl(ui::TControl& model) {
  TAccessibleParts parts;
  ui::TControl* control = &model;
  parts.Name = [control] { return Utf8ToWide(ui::AccessibleName(*control)); };
  parts.Role = RoleOf(model.Kind);
  parts.State = [control] {
    long state = 0;
    if (!control->Enabled()) state |= STATE_SYSTEM_UNAVAILABLE;
    if (const auto* box = dynamic_cast<const ui::TCheckBox*>(control); box != nullptr && box->Checked())
      state |= STATE_SYSTEM_CHECKED;
    if (const auto* radio = dynamic_cast<const ui::TRadioButton*>(control); radio != nullptr && radio->Checked())
      state |= STATE_SYSTEM_CHECKED;
    if (const auto* edit = dynamic_cast<const ui::TEdit*>(control); edit != nullptr && edit->ReadOnly)
      state |= STATE_SYSTEM_READONLY;
    return state;
  };
  if (auto* edit = dynamic_cast<ui::TEdit*>(control)) parts.Value = [edit] { return Utf8ToWide(edit->Text()); };
  if (auto* combo = dynamic_cast<ui::TComboBox*>(control)) parts.Value = [combo] { return Utf8ToWide(combo->Text()); };
  if (!model.Hint.empty() && ui::AccessibleName(model) != model.Hint)
    parts.Description = [control] { return Utf8ToWide(control->Hint); };
  return parts;
}

}  // namespace kav::ui::win32
