// The native window of a form model and the peers of its whole control tree: the top-level
// window with its caption, place (as the form's Position says), topmost flag, minimised
// state and file drops, the children scaled from 96 DPI to the DPI of the screen the window
// is on (also after a move to a screen of another DPI), anchored on resize, in tab order; and
// the message loops.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "ui/Form.h"
#include "ui/win32/ContainerPeer.h"
#include "ui/win32/Palette.h"
#include "ui/win32/Theme.h"
#include "ui/win32/Tooltips.h"
#include "ui/win32/Window.h"

namespace kav::ui::win32 {

struct TFormPeerOptions {
  HWND Owner = nullptr;                       // a dialog's owner; null for the main window
  const TPalette* Palette = &DarkPalette();
  // Runs instead of closing when the user asks the window to close (close box, Alt+F4).
  std::function<void()> OnCloseRequest;
  int Dpi = 0;   // what 96 design pixels are scaled to; 0 for the screen's
  // Whether the system's high-contrast mode is on; then the window draws with the system's
  // colours instead of Palette. Asked at creation and whenever the system's settings change.
  std::function<bool()> HighContrast = SystemHighContrast;
};

class TFormPeer final : public TWindowBase, public TChildHost {
 public:
  explicit TFormPeer(ui::TForm& form, TFormPeerOptions options = {});
  ~TFormPeer() override;

  ui::TForm& Form() const { return form_; }
  TTheme& Theme() { return theme_; }
  TTooltips& Tips() { return *tips_; }
  // Shows the window (minimised when the model says so) and focuses its first tab stop.
  void Show();
  // The window of a control of this form, or null; a page not shown yet gets its windows now.
  HWND HandleOf(const ui::TControl& control);

  // The keys this window takes before a message is dispatched: Ctrl+Tab and Ctrl+Shift+Tab
  // switch pages (wherever the focus is, the grid and its cell editor included), then the
  // dialog keys (Tab, arrows). True when the message was taken.
  bool PreTranslateMessage(MSG& msg);

  // Runs as the window is destroyed, while its children still exist.
  std::function<void()> OnDestroy;
  // Makes the destruction of the window end the thread's message loop.
  void QuitWhenDestroyed() { quitOnDestroy_ = true; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  ui::TForm* ErrorForm() const override { return &form_; }

 private:
  void CreateChildren(const ui::TContainer& model, HWND parent, TChildHost& host);
  // Tab sheets get their controls' windows when first shown: a page the user never opens
  // costs nothing at start-up.
  void FillSheet(TContainerPeer& sheet);
  void OnFormAspect(ui::TAspect aspect);
  void DropFiles(HDROP drop);
  void KeepPlaceInModel();
  bool SwitchPageByKey(const MSG& msg);
  // A window made on a screen whose DPI is not the system's takes that screen's DPI.
  void TakeScreenDpi();
  // Scales the whole window to `dpi` and moves it to `suggested` (screen coordinates).
  void ChangeDpi(int dpi, const RECT& suggested);
  // The palette for the present high-contrast setting.
  TPalette ChosenPalette() const;
  // Follows a change of the high-contrast mode: every window redraws in the new colours.
  void FollowHighContrast();

  ui::TForm& form_;
  TFormPeerOptions options_;
  TTheme theme_;
  std::unique_ptr<TTooltips> tips_;
  std::optional<TPeerContext> context_;
  std::vector<std::unique_ptr<TControlPeer>> peers_;
  std::map<const ui::TControl*, TControlPeer*> byModel_;
  HWND lastFocus_ = nullptr;   // given back when the window is activated again
  bool quitOnDestroy_ = false;
  bool shown_ = false;
  struct TUnfilledSheet {
    ui::TContainer* Model;
    SIZE DesignSize;   // the sheet's client size when the form was made
  };
  std::map<TContainerPeer*, TUnfilledSheet> unfilledSheets_;
};

// Runs the thread's message loop, with dialog keys (Tab, arrows) for `mainForm`, until the
// main form's window is destroyed; returns the exit code.
int RunMessageLoop(TFormPeer& mainForm);

// Shows `dialog` over `owner` (disabled meanwhile) until `finished` says so or its window is
// gone; the close box runs `close` (when given) instead of closing.
void RunModal(ui::TForm& dialog, HWND owner, const std::function<bool()>& finished,
              const std::function<void()>& close = {}, const TPalette& palette = DarkPalette());

// Shows `dialog` modally until a button gives it a ModalResult; the close box and Escape
// give mrCancel. Returns the result.
int ShowModal(ui::TForm& dialogModel, HWND owner);

}  // namespace kav::ui::win32
