// Peers of drop-down boxes (fixed list or editable) and list boxes. The items come in the
// model's order (the model sorts); they are drawn in the dark palette.
#pragma once

#include "ui/ComboBox.h"
#include "ui/win32/ControlPeer.h"

namespace kav::ui::win32 {

class TComboBoxPeer final : public TStandardPeer {
 public:
  TComboBoxPeer(ui::TComboBox& model, TPeerContext& context, HWND parent);
  bool OnCommand(UINT code) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  HBRUSH OnCtlColor(HDC dc) override;

 protected:
  void OnAspect(ui::TAspect aspect) override;
  RECT DesignedRect() const override;
  LRESULT SubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int ItemHeight() const;
  void FillItems();
  void ShowChosenItem();
  void PaintClosedList(HDC dc);

  ui::TComboBox& combo_;
  bool updating_ = false;   // the window is being set from the model
};

class TListBoxPeer final : public TStandardPeer {
 public:
  TListBoxPeer(ui::TListBox& model, TPeerContext& context, HWND parent);
  bool OnCommand(UINT code) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  HBRUSH OnCtlColor(HDC dc) override;

 protected:
  void OnAspect(ui::TAspect aspect) override;
  LRESULT SubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FillItems();
  ui::TListBox& list_;
  bool updating_ = false;
};

}  // namespace kav::ui::win32
