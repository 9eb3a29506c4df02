#include "ui/win32/GridPeer.h"

#include <stdexcept>

#include "ui/win32/PopupMenu.h"

namespace kav::ui::win32 {

TGridPeer::TGridPeer(ui::TStringGrid& model, TPeerContext& context, HWND parent)
    : TControlPeer(model, context) {
  grid_ = TGridControl::Create(parent, model, Theme().Palette(), Theme().Dpi());
  if (!grid_ || grid_->Handle() == nullptr) throw std::runtime_error("cannot create the grid " + model.Name);
  grid_->OnContextMenu = [this](POINT screenPoint) {
    if (model_.PopupMenu == nullptr) return;
    ShowPopupMenu(*model_.PopupMenu, GetAncestor(Handle(), GA_ROOT), screenPoint, Theme(), context_.Form);
  };
  Attach(false);
}

void TGridPeer::OnDpiChanged(int oldDpi, int newDpi) {
  TControlPeer::OnDpiChanged(oldDpi, newDpi);
  grid_->SetDpi(newDpi);
}

}  // namespace kav::ui::win32
