// Helpers for the tests of the native peers: pumping the queue, sending the notifications a
// control sends its parent, reading window texts and styles.
#pragma once

#include <windows.h>

#include <string>

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

}  // namespace kav::ui::win32::test
