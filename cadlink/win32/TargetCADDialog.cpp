#include "cadlink/win32/TargetCADDialog.h"

#include "ui/win32/FormPeer.h"

namespace kav::cad::win32 {

void AttachNativeDialog(TTargetCADForm& dialog, std::function<HWND()> owner) {
  dialog.ModalRunner = [owner = std::move(owner)](TTargetCADForm& form) {
    ui::win32::ShowModal(form, owner ? owner() : nullptr);
  };
}

}  // namespace kav::cad::win32
