// Popup menus of the control models: owner-drawn dark entries, "-" entries as separator lines,
// no access keys; the chosen entry's handler runs through the form's Dispatch.
#pragma once

#include <windows.h>

#include "ui/Form.h"
#include "ui/Menu.h"
#include "platform/win32/Handles.h"
#include "ui/win32/Theme.h"

namespace kav::ui::win32 {

// The native menu of one popup menu model. Command ids are the entry's index + 1.
TMenuHandle BuildPopupMenu(const ui::TPopupMenu& model, const TTheme& theme);

// Runs the entry of `command` (as TrackPopupMenu returns it); 0 or an entry without handler
// only closes the menu.
void RunMenuCommand(const ui::TPopupMenu& model, UINT command, ui::TForm& form);

// Shows the menu at a point on the screen, owned by `owner`, and runs the chosen entry.
void ShowPopupMenu(const ui::TPopupMenu& model, HWND owner, POINT screenPoint, TTheme& theme, ui::TForm& form);

// The owner window's WM_MEASUREITEM and WM_DRAWITEM for menu entries.
void MeasureMenuItem(MEASUREITEMSTRUCT& item, TTheme& theme, HWND owner);
void DrawMenuItem(const DRAWITEMSTRUCT& item, TTheme& theme);

}  // namespace kav::ui::win32
