// The link between the form and a grid window: the grid follows its model by itself; the form
// places it by its anchors and shows the model's popup menu on a right click.
#pragma once

#include <memory>

#include "ui/StringGrid.h"
#include "ui/win32/ControlPeer.h"
#include "ui/win32/GridControl.h"

namespace kav::ui::win32 {

class TGridPeer final : public TControlPeer {
 public:
  TGridPeer(ui::TStringGrid& model, TPeerContext& context, HWND parent);
  HWND Handle() const override { return grid_ ? grid_->Handle() : nullptr; }
  TGridControl& Grid() const { return *grid_; }
  void OnDpiChanged(int oldDpi, int newDpi) override;

 private:
  std::unique_ptr<TGridControl> grid_;
};

}  // namespace kav::ui::win32
