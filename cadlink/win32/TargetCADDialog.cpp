#include "cadlink/win32/TargetCADDialog.h"

#include "ui/win32/FormPeer.h"

namespace kav::cad::win32 {

namespace {

// The peer keeps the window's outer size in the model's bounds.
void CentreOnScreen(TTargetCADForm& dialog) {
  const int width = dialog.Bounds.Width, height = dialog.Bounds.Height;
  dialog.SetLeft((GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  dialog.SetTop((GetSystemMetrics(SM_CYSCREEN) - height) / 2);
}

}  // namespace

void AttachNativeDialog(TTargetCADForm& dialog, std::function<HWND()> owner) {
  dialog.ModalRunner = [owner = std::move(owner)](TTargetCADForm& form) {
    // The form peer opens a dialog over its owner; this one belongs in the middle of the
    // screen, so it moves there as soon as its window exists.
    bool placed = false;
    ui::win32::RunModal(
        form, owner ? owner() : nullptr,
        [&] {
          if (!placed) {
            placed = true;
            CentreOnScreen(form);
          }
          return form.ModalResult != ui::mrNone;
        },
        [&] { form.ModalResult = ui::mrCancel; });
  };
}

}  // namespace kav::cad::win32
