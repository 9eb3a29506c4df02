// What each kind of control tells screen readers and automation: its name, role and state
// from its model (a check box drawn by us is a check box, checked or not, and not the push
// button its window class would claim).
#pragma once

#include <windows.h>

#include "ui/Control.h"
#include "ui/win32/Accessible.h"

namespace kav::ui::win32 {

TAccessibleParts DescribeControl(ui::TControl& model);

}  // namespace kav::ui::win32
