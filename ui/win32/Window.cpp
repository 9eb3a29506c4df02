#include "ui/win32/Window.h"

#include <commctrl.h>

#include "platform/Text.h"
#include "platform/win32/Handles.h"

namespace kav::ui::win32 {

void ReportUnhandledError(ui::TForm* form, const std::string& text) {
  // A failure without a text of its own still gets a message: silence would hide it.
  const std::string shown = text.empty() ? "予期しないエラーが発生しました" : text;
  try {
    if (form != nullptr && form->OnError) {
      form->OnError(shown);
      return;
    }
  } catch (...) {
    // Showing it the form's way failed; the message box below still tells the user.
  }
  MessageBoxW(nullptr, Utf8ToWide(shown).c_str(), nullptr, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

// --- Windows of our own classes

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
    GuardedCall(self->ErrorForm(), 0, [&] {
      self->WindowGone();
      return LRESULT{0};
    });
    return DefWindowProcW(window, message, wParam, lParam);
  }
  const LRESULT fallback = message == WM_NCCREATE ? TRUE : 0;
  return GuardedCall(self->ErrorForm(), fallback, [&] { return self->HandleMessage(message, wParam, lParam); });
}

// --- Subclassed standard controls

void TSubclass::Attach(HWND window, ui::TForm* errorForm, THandler handler) {
  Detach();
  errorForm_ = errorForm;
  handler_ = std::move(handler);
  if (window != nullptr && SetWindowSubclass(window, &TSubclass::Proc, 0, reinterpret_cast<DWORD_PTR>(this)))
    window_ = window;
}

void TSubclass::Detach() {
  if (window_ == nullptr) return;
  RemoveWindowSubclass(window_, &TSubclass::Proc, 0);
  window_ = nullptr;
}

LRESULT TSubclass::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) const {
  return DefSubclassProc(window_, message, wParam, lParam);
}

LRESULT CALLBACK TSubclass::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<TSubclass*>(data);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, &TSubclass::Proc, 0);
    self->window_ = nullptr;
    if (self->OnGone) GuardedCall(self->errorForm_, 0, [&] {
        self->OnGone();
        return LRESULT{0};
      });
    return DefSubclassProc(window, message, wParam, lParam);
  }
  if (!self->handler_) return DefSubclassProc(window, message, wParam, lParam);
  return GuardedCall(self->errorForm_, 0, [&] { return self->handler_(message, wParam, lParam); });
}

bool AnswerPaint(HWND window, UINT message, WPARAM wParam, const std::function<void(HDC)>& paint) {
  if (message == WM_PRINTCLIENT) {
    paint(reinterpret_cast<HDC>(wParam));
    return true;
  }
  if (message != WM_PAINT) return false;
  TPaintDc dc(window);
  paint(dc.Get());
  return true;
}

std::wstring WindowTextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace kav::ui::win32
