#include "ui/win32/Window.h"

#include "platform/Text.h"
#include "ui/Form.h"

namespace kav::ui::win32 {

void ReportUnhandledError(ui::TForm* form, const std::string& text) {
  try {
    if (form != nullptr && form->OnError) {
      form->OnError(text);
      return;
    }
    MessageBoxW(nullptr, Utf8ToWide(text).c_str(), nullptr, MB_OK | MB_ICONERROR);
  } catch (...) {
    // Showing the error failed too; there is nobody left to tell.
  }
}

TWindowBase::~TWindowBase() {
  if (window_ != nullptr) {
    // Detach first so that messages sent during destruction find no half-destroyed object.
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    HWND window = window_;
    window_ = nullptr;
    DestroyWindow(window);
  }
}

void TWindowBase::CreateOwnWindow(const wchar_t* className, DWORD exStyle, DWORD style, const RECT& rect,
                                  HWND parent, const std::wstring& text) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExW(instance, className, &existing)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &TWindowBase::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
  }
  CreateWindowExW(exStyle, className, text.c_str(), style, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent, nullptr, instance, this);
}

LRESULT TWindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK TWindowBase::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* self = static_cast<TWindowBase*>(create->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TWindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  const LRESULT fallback = message == WM_NCCREATE ? TRUE : 0;
  return GuardedCall(self->ErrorForm(), fallback, [&] { return self->HandleMessage(message, wParam, lParam); });
}

}  // namespace kav::ui::win32
