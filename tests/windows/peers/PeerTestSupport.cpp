#include "PeerTestSupport.h"

#include "platform/Text.h"
#include "ui/win32/FormPeer.h"

namespace kav::ui::win32::test {

void Pump() {
  MSG msg{};
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void SendNotification(HWND control, UINT code) {
  SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
               reinterpret_cast<LPARAM>(control));
}

std::string TextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return WideToUtf8(text);
}

bool HasStyle(HWND window, LONG_PTR style) { return (GetWindowLongPtrW(window, GWL_STYLE) & style) == style; }
bool HasExStyle(HWND window, LONG_PTR style) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & style) == style; }

RECT RectInParent(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

SIZE ClientSizeOf(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return SIZE{r.right, r.bottom};
}

COLORREF PrintedPixel(HWND window, int x, int y) {
  RECT client{};
  GetClientRect(window, &client);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  const COLORREF pixel = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixel;
}

void SetKeyHeld(int key, bool down) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[key] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

void PressKey(TFormPeer& form, UINT key, bool alt) {
  MSG msg{};
  msg.hwnd = GetFocus();
  msg.message = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
  msg.wParam = key;
  msg.lParam = alt ? (1 | (1 << 29)) : 1;   // bit 29: Alt held
  if (!form.PreTranslateMessage(msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  Pump();
}

}  // namespace kav::ui::win32::test
