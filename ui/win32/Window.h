// The bridges from window procedures to C++ objects, and the one rule for an exception that
// reaches them (the user sees its text): TWindowBase for window classes of our own (forms,
// panels, group boxes, tab sheets, the grid), TSubclass for standard controls we subclass
// (buttons, edit boxes, the tab strip, the grid's cell editor).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/Form.h"

namespace kav::ui::win32 {

// Shows an error that escaped an event: through the form's OnError when there is one, in a
// message box otherwise. Never throws.
void ReportUnhandledError(ui::TForm* form, const std::string& text);

// Runs `body`; an exception of any type that escapes it is reported and `fallback` is
// returned instead.
template <typename TBody>
LRESULT GuardedCall(ui::TForm* form, LRESULT fallback, TBody&& body) noexcept {
  try {
    return body();
  } catch (...) {
    std::string text;
    try {
      text = ui::CurrentErrorText();
    } catch (...) {
      // Not even the text could be had (out of memory); report without it.
    }
    ReportUnhandledError(form, text);
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
  // Creates the window (its class is registered on first use, with double clicks and the
  // arrow cursor); this object gets its messages from WM_NCCREATE on until WM_NCDESTROY.
  void CreateOwnWindow(const wchar_t* className, DWORD exStyle, DWORD style, const RECT& rect,
                       HWND parent, const std::wstring& text = {});
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Runs when the window is gone (WM_NCDESTROY), after Handle() has become null.
  virtual void WindowGone() {}
  // The form whose OnError shows what escaped this window's handlers; null for a message box.
  virtual ui::TForm* ErrorForm() const = 0;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
};

// Answers WM_PAINT (between BeginPaint and EndPaint) and WM_PRINTCLIENT (into the device
// context it brings) of `window` with `paint`; false for any other message.
bool AnswerPaint(HWND window, UINT message, WPARAM wParam, const std::function<void(HDC)>& paint);

// The text of any window (a control's text, a form's caption), whole.
std::wstring WindowTextOf(HWND window);

// A standard control's messages routed to `handler` first. Removing the subclass (on
// destruction of this object, or when the window goes) leaves the control as it was.
class TSubclass {
 public:
  using THandler = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;
  TSubclass() = default;
  ~TSubclass() { Detach(); }
  TSubclass(const TSubclass&) = delete;
  TSubclass& operator=(const TSubclass&) = delete;

  // Starts taking `window`'s messages; what escapes `handler` is shown through `errorForm`
  // (a message box when null).
  void Attach(HWND window, ui::TForm* errorForm, THandler handler);
  void Detach();
  HWND Handle() const { return window_; }
  // The control's own handling of a message.
  LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam) const;
  // Runs when the window is gone (WM_NCDESTROY), after the subclass has been removed.
  std::function<void()> OnGone;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR data);
  HWND window_ = nullptr;
  ui::TForm* errorForm_ = nullptr;
  THandler handler_;
};

}  // namespace kav::ui::win32
