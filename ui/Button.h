// Buttons, check boxes and radio buttons with the event rules the handlers rely on:
// a check box fires its click whenever its mark changes, also when the program sets it;
// a radio button that becomes checked unchecks the others of its group (the other radio
// buttons of its parent) and fires its click; becoming unchecked fires nothing.
#pragma once

#include <functional>
#include <string>

#include "ui/Control.h"

namespace kav::ui {

class TButton : public TControl {
 public:
  TButton(std::string name, std::string caption, bool flat = false)
      : TControl(flat ? TControlKind::SpeedButton : TControlKind::Button, std::move(name)),
        Caption(std::move(caption)) {}
  std::string Caption;
  std::function<void()> OnClick;
  // Given to the form's ModalResult before OnClick runs, so that pressing it ends a modal dialog.
  int ModalResult = 0;
  // The user pressed the button (ignored while disabled).
  void UserClick();
};

class TCheckBox : public TControl {
 public:
  TCheckBox(std::string name, std::string caption)
      : TControl(TControlKind::CheckBox, std::move(name)), Caption(std::move(caption)) {}
  std::string Caption;
  std::function<void()> OnClick;
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  void UserClick();   // toggles the mark

 private:
  bool checked_ = false;
};

class TRadioButton : public TControl {
 public:
  TRadioButton(std::string name, std::string caption)
      : TControl(TControlKind::RadioButton, std::move(name)), Caption(std::move(caption)) {}
  std::string Caption;
  std::function<void()> OnClick;
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  void UserClick();   // chooses this button

 private:
  bool checked_ = false;
};

}  // namespace kav::ui
