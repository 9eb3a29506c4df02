// Peer of a drop-down box: a window of our own that draws the closed box in the palette (the
// chosen item, or an edit box for the editable style, and the arrow) and opens its list in a
// popup made at the first opening. The user's choice by mouse, keys or typed letter goes to
// the model as the user's (its change event fires); the program's choice only shows. It also
// answers the standard drop-down messages (CB_GETCOUNT, CB_GETCURSEL, CB_SETCURSEL, ...) and
// WM_GETTEXT from the model, as Windows' own drop-down box does, for automation tools.
#pragma once

#include <memory>

#include "ui/ComboBox.h"
#include "ui/win32/WheelNotches.h"
#include "ui/win32/ControlPeer.h"
#include "ui/win32/DropDownList.h"

namespace kav::ui::win32 {

class TComboBoxPeer final : public TControlPeer, public TWindowBase {
 public:
  TComboBoxPeer(ui::TComboBox& model, TPeerContext& context, HWND parent);
  ~TComboBoxPeer() override;
  HWND Handle() const override { return TWindowBase::Handle(); }
  bool IsOpen() const { return list_ != nullptr && list_->IsOpen(); }
  void OnDpiChanged(int oldDpi, int newDpi) override;

 protected:
  void OnAspect(ui::TAspect aspect) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  ui::TForm* ErrorForm() const override { return &context_.Form; }

 private:
  bool Editable() const { return combo_.Style == ui::TComboStyle::DropDown; }
  int RowHeight() const;
  int ArrowWidth() const;
  bool HasFocus() const;

  // Key presses (WM_KEYDOWN, WM_SYSKEYDOWN) of the box and of its edit box; false for other
  // messages and for keys it leaves to the window they reached.
  bool KeyMessage(UINT message, WPARAM key);
  bool KeyDown(WPARAM key, bool alt);
  void TypedLetter(wchar_t letter);
  void WheelTurned(int delta);
  void Open(bool buttonHeld);
  void Close();
  void ChooseMarkedAndClose();
  // The user chose `index` (the model fires its change when the choice changed).
  void UserChoose(int index);
  void ShowModel();
  void Paint(HDC dc);
  void PlaceEdit();
  void CreateEdit();
  LRESULT EditMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The standard drop-down box messages; false for other messages.
  bool ComboMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  TAccessibleParts Describe();
  TAccessibleParts DescribeEdit();

  ui::TComboBox& combo_;
  HWND edit_ = nullptr;            // child of the box, destroyed with it
  TSubclass editSubclass_;
  std::unique_ptr<TDropDownList> list_;
  TAccessibility accessible_;      // the box: a combo box with the items as its children
  TAccessibility editAccessible_;  // the edit box of an editable one, named as the box
  bool updating_ = false;          // the edit box is being set from the model
  TWheelNotches wheel_;
};

}  // namespace kav::ui::win32
