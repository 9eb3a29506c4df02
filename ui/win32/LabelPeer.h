// Peer of a label: static text drawn in the palette's colours.
#pragma once

#include "ui/win32/ControlPeer.h"

namespace kav::ui::win32 {

class TLabelPeer final : public TStandardPeer {
 public:
  TLabelPeer(ui::TLabel& model, TPeerContext& context, HWND parent);
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  ui::TLabel& label_;
};

}  // namespace kav::ui::win32
