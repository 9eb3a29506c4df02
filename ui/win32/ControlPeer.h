// The base of every control peer: the link between one control model and its window, the
// aspects every control shares (enabled, visible, place), anchoring, and the notifications
// a parent hands back to the child that sent them.
#pragma once

#include <windows.h>

#include <string>

#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/win32/Peer.h"
#include "ui/win32/Theme.h"
#include "ui/win32/Accessible.h"
#include "ui/win32/Tooltips.h"
#include "ui/win32/Window.h"

namespace kav::ui::win32 {

// What the peers of one form share.
struct TPeerContext {
  TTheme& Theme;
  TTooltips& Tips;
  ui::TForm& Form;
};

class TControlPeer : public TPeer {
 public:
  TControlPeer(ui::TControl& model, TPeerContext& context) : model_(model), context_(context) {}
  ~TControlPeer() override;

  ui::TControl& Model() const { return model_; }
  static TControlPeer* FromHandle(HWND window);
  // Forgets the link from a window that is going away to its peer.
  static void Detach(HWND window);

  // Notifications the parent received from this control.
  virtual bool OnCommand(UINT /*code*/) { return false; }
  virtual bool OnNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
  // Colours of a control that Windows draws itself; returns its background brush.
  virtual HBRUSH OnCtlColor(HDC dc);

  // Moves the window where its anchors put it inside a parent of `parentSize`.
  void ApplyAnchors(SIZE parentSize);
  // The form went to a screen of another DPI and the theme scales to the new one already: the
  // control takes the font of the new DPI, and the place its anchors start from is scaled. The
  // form lays the windows out afterwards.
  virtual void OnDpiChanged(int oldDpi, int newDpi);

 protected:
  // Call once the window exists: places it, sets hint, enabled and visible state and, with
  // `own`, sets the model's font and starts following the model's changes (a window that
  // follows its model by itself, like the grid, is attached with `own` false).
  void Attach(bool own = true);
  // A model change; the base handles Enabled, Visible and Bounds.
  virtual void OnAspect(ui::TAspect aspect);
  void Run(const std::function<void()>& userEvent) { context_.Form.Dispatch(userEvent); }
  // Places the window by the model's bounds and takes that place as the anchoring base.
  void PlaceFromModel();
  // The window's rectangle in its parent for the model's bounds.
  virtual RECT DesignedRect() const { return Theme().Scale(model_.Bounds); }
  TTheme& Theme() const { return context_.Theme; }

  ui::TControl& model_;
  TPeerContext& context_;

 private:
  RECT designed_{};
  SIZE designParent_{};
  // Attached with `own`: the window shows the model's font and follows the model's changes.
  bool own_ = false;
};

// A peer around a standard Windows control (button, edit, combo box...), subclassed so that
// it can draw and take keys its own way.
class TStandardPeer : public TControlPeer {
 public:
  using TControlPeer::TControlPeer;
  ~TStandardPeer() override;
  HWND Handle() const override { return window_; }

 protected:
  // Creates the control at the model's place and subclasses it.
  void Create(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle, HWND parent);
  // Messages to the control itself; the default passes them on.
  virtual LRESULT SubclassMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam);
  // Text of the window as UTF-8.
  std::string WindowText() const;
  // Sets the window text only when it differs, so no change notification echoes back.
  void SetWindowTextIfDifferent(const std::string& text);

 private:
  HWND window_ = nullptr;
  TAccessibility accessible_;   // answers screen readers from the model
  TSubclass subclass_;
};

// Hands a notification that a child sent its parent (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM,
// WM_CTLCOLOR...) back to the child's peer. False when no peer took it.
bool ReflectToPeer(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace kav::ui::win32
