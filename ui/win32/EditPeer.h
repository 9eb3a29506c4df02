// Peer of an edit box: number boxes are right-aligned with the input method off, read-only
// boxes are skipped by the Tab key, an empty box shows its grey placeholder, and inverse
// boxes are white on black. Typing goes to the model's key and change events.
#pragma once

#include "ui/Edit.h"
#include "ui/win32/ControlPeer.h"

namespace kav::ui::win32 {

class TEditPeer final : public TStandardPeer {
 public:
  TEditPeer(ui::TEdit& model, TPeerContext& context, HWND parent);
  bool OnCommand(UINT code) override;
  HBRUSH OnCtlColor(HDC dc) override;

 protected:
  void OnAspect(ui::TAspect aspect) override;
  LRESULT SubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool ShowsPlaceholder() const;
  void PaintPlaceholder(HDC dc);
  LRESULT OnChar(WPARAM wParam, LPARAM lParam);

  ui::TEdit& edit_;
  bool settingText_ = false;     // the text is being set from the model
  wchar_t highSurrogate_ = 0;    // first half of a character typed as two WM_CHARs
  LPARAM highSurrogateFlags_ = 0;
};

}  // namespace kav::ui::win32
