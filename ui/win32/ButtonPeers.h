// Peers of push buttons, flat tool buttons, check boxes and radio buttons: owner-drawn in the
// dark palette from the state their models hold; a click goes to the model. Check boxes and
// radio buttons answer BM_GETCHECK, BM_SETCHECK and BM_GETSTATE from their model as Windows'
// own buttons do, so that automation tools and screen readers can read and set them.
#pragma once

#include "ui/Button.h"
#include "ui/win32/ControlPeer.h"

namespace kav::ui::win32 {

// Push button, or flat tool button for a model of kind SpeedButton.
class TButtonPeer final : public TStandardPeer {
 public:
  TButtonPeer(ui::TButton& model, TPeerContext& context, HWND parent);
  bool OnCommand(UINT code) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

 protected:
  LRESULT SubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  ui::TButton& button_;
  bool hot_ = false;   // the mouse is over the button
};

class TCheckBoxPeer final : public TStandardPeer {
 public:
  TCheckBoxPeer(ui::TCheckBox& model, TPeerContext& context, HWND parent);
  bool OnCommand(UINT code) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

 protected:
  void OnAspect(ui::TAspect aspect) override;
  LRESULT SubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  ui::TCheckBox& box_;
};

// One radio button; its group is the radio buttons of the same parent, the arrow keys move
// the choice within it, and only the chosen one is a tab stop.
class TRadioButtonPeer final : public TStandardPeer {
 public:
  TRadioButtonPeer(ui::TRadioButton& model, TPeerContext& context, HWND parent);
  bool OnCommand(UINT code) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

 protected:
  void OnAspect(ui::TAspect aspect) override;
  LRESULT SubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void MoveInGroup(int step);
  void UpdateTabStop();
  ui::TRadioButton& radio_;
};

}  // namespace kav::ui::win32
