// Helpers for the tests of the native peers: pumping the queue, sending the notifications a
// control sends its parent, keys as the program's message loop delivers them, reading window
// texts, styles and painted pixels.
#pragma once

#include <windows.h>

#include <string>

namespace kav::ui::win32 {
class TFormPeer;
}

namespace kav::ui::win32::test {

// Handles every message waiting in this thread's queue.
void Pump();
// What a control sends its parent when the user acts on it (BN_CLICKED, EN_CHANGE, ...).
void SendNotification(HWND control, UINT code);
std::string TextOf(HWND window);
bool HasStyle(HWND window, LONG_PTR style);
bool HasExStyle(HWND window, LONG_PTR style);
// A window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);
SIZE ClientSizeOf(HWND window);
// The colour of one pixel of what `window` paints into a bitmap (WM_PRINTCLIENT).
COLORREF PrintedPixel(HWND window, int x, int y);
// Holds a modifier key (VK_SHIFT, VK_CONTROL, VK_MENU) down or lets it go, as GetKeyState sees it.
void SetKeyHeld(int key, bool down);
// A key pressed on the focused window and delivered as the program's loop does: the form's
// keys first (pages, dialog keys), then translated and dispatched. With `alt`, a system key.
void PressKey(TFormPeer& form, UINT key, bool alt = false);

}  // namespace kav::ui::win32::test
