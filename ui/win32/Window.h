// The base of every window class of our own (forms, panels, group boxes, tab sheets): the
// bridge from the window procedure to a C++ object, and the guard that keeps exceptions
// from crossing the window procedure into Windows.
#pragma once

#include <windows.h>

#include <string>

namespace kav::ui {
class TForm;
}

namespace kav::ui::win32 {

// Shows an error that escaped an event: through the form's OnError when there is one, in a
// message box otherwise. Never throws.
void ReportUnhandledError(ui::TForm* form, const std::string& text);

// Runs `body`; an exception that escapes it is reported and `fallback` is returned instead.
template <typename TBody>
LRESULT GuardedCall(ui::TForm* form, LRESULT fallback, TBody&& body) noexcept {
  try {
    return body();
  } catch (const std::exception& e) {
    ReportUnhandledError(form, e.what());
  } catch (...) {
    ReportUnhandledError(form, "予期しないエラーが発生しました");
  }
  return fallback;
}

class TWindowBase {
 public:
  TWindowBase() = default;
  virtual ~TWindowBase();
  TWindowBase(const TWindowBase&) = delete;
  TWindowBase& operator=(const TWindowBase&) = delete;

  HWND Handle() const { return window_; }

 protected:
  // Creates the window (its class is registered on first use); this object gets its messages
  // from WM_NCCREATE on until WM_NCDESTROY.
  void CreateOwnWindow(const wchar_t* className, DWORD exStyle, DWORD style, const RECT& rect,
                       HWND parent, const std::wstring& text = {});
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The form whose OnError shows what escaped this window's handlers.
  virtual ui::TForm* ErrorForm() const = 0;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
};

}  // namespace kav::ui::win32
