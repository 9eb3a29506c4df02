// Windows that hold other controls: the child list with its anchoring, the notifications
// handed back to the children, and the panel, group box and tab sheet peers.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/win32/ControlPeer.h"
#include "ui/win32/Window.h"

namespace kav::ui::win32 {

// The part every parent window shares (forms included).
class TChildHost {
 public:
  void AddChild(TControlPeer& child) { children_.push_back(&child); }
  const std::vector<TControlPeer*>& Children() const { return children_; }
  void LayOutChildren(SIZE clientSize);

 protected:
  // Reflection, sizing and the dark background; false for messages it leaves alone.
  bool HandleHostMessage(HWND window, HBRUSH background, UINT message, WPARAM wParam, LPARAM lParam,
                         LRESULT& result);

 private:
  std::vector<TControlPeer*> children_;
};

// A panel, group box or tab sheet: a window of our own class that children live in.
class TContainerPeer : public TControlPeer, public TWindowBase, public TChildHost {
 public:
  TContainerPeer(ui::TContainer& model, TPeerContext& context, HWND parent);
  HWND Handle() const override { return TWindowBase::Handle(); }
  // Places the children where their anchors put them in the window's present size.
  virtual void LayOut();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  ui::TForm* ErrorForm() const override { return &context_.Form; }
  // Draws the frame and caption (group boxes) on top of the background.
  void Paint(HDC dc);
  ui::TContainer& container_;
};

}  // namespace kav::ui::win32
