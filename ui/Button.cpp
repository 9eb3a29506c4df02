#include "ui/Button.h"

#include "ui/Form.h"

namespace kav::ui {

void TButton::UserClick() {
  if (!Enabled()) return;
  if (ModalResult != 0) {
    if (TForm* form = Form()) form->ModalResult = ModalResult;
  }
  RunUserEvent([this] {
    if (OnClick) OnClick();
  });
}

void TCheckBox::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  Notify(TAspect::Checked);
  if (OnClick) OnClick();
}

void TCheckBox::UserClick() {
  if (!Enabled()) return;
  RunUserEvent([this] { SetChecked(!checked_); });
}

void TRadioButton::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  Notify(TAspect::Checked);
  if (!checked) return;
  if (TContainer* group = Parent()) {
    for (TControl* sibling : group->Children()) {
      if (sibling != this && sibling->Kind == TControlKind::RadioButton)
        static_cast<TRadioButton*>(sibling)->SetChecked(false);
    }
  }
  if (OnClick) OnClick();
}

void TRadioButton::UserClick() {
  if (!Enabled()) return;
  RunUserEvent([this] { SetChecked(true); });
}

}  // namespace kav::ui
