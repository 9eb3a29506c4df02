// Peer of a list box: the items come in the model's order (the model sorts) and are drawn in
// the dark palette; the user's choice goes to the model with its click event.
#pragma once

#include "ui/ComboBox.h"
#include "ui/win32/ControlPeer.h"

namespace kav::ui::win32 {

class TListBoxPeer final : public TStandardPeer {
 public:
  TListBoxPeer(ui::TListBox& model, TPeerContext& context, HWND parent);
  bool OnCommand(UINT code) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  HBRUSH OnCtlColor(HDC dc) override;
  void OnDpiChanged(int oldDpi, int newDpi) override;

 protected:
  void OnAspect(ui::TAspect aspect) override;
  LRESULT SubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FillItems();
  void SetItemHeight();   // one row of the font with a little air
  ui::TListBox& list_;
  bool updating_ = false;
};

}  // namespace kav::ui::win32
