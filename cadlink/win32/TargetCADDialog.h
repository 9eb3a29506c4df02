// The Windows side of the target CAD dialog: shows the TTargetCADForm model as a native modal
// dialog over the main window.
#pragma once

#include <windows.h>

#include <functional>

#include "cadlink/TargetCADForm.h"

namespace kav::cad::win32 {

// Makes `dialog` open as a native window, centred on the screen, owned by the window that
// `owner` gives at that moment.
void AttachNativeDialog(TTargetCADForm& dialog, std::function<HWND()> owner);

}  // namespace kav::cad::win32
