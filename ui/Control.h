// The base of every control model: name, place, hint, enabled state, the link to a native
// peer, and the guard that stops an exception escaping a user event.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kav::ui {

struct TBounds {
  int Left = 0, Top = 0, Width = 0, Height = 0;
};

enum TAnchor : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };

struct TFont {
  std::string Name = "Tahoma";
  int Height = 11;   // character height in pixels at 96 DPI
  bool Bold = false;
};

enum class TControlKind {
  Form, PageControl, TabSheet, Panel, GroupBox, Label, Button, SpeedButton, Edit,
  CheckBox, RadioButton, ComboBox, ListBox, StringGrid,
};

// What changed in a model, so that its peer updates only that.
enum class TAspect {
  Text, Caption, Enabled, Visible, Checked, Items, ItemIndex, Page, Bounds,
  Cells, Layout, Selection, Scroll, WindowState, Topmost, AcceptFiles,
};

class TContainer;
class TForm;
class TPopupMenu;

class TControl {
 public:
  TControl(TControlKind kind, std::string name) : Kind(kind), Name(std::move(name)) {}
  virtual ~TControl() = default;
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  const TControlKind Kind;
  const std::string Name;

  TBounds Bounds;
  unsigned Anchors = akLeft | akTop;
  std::string Hint;
  TFont Font;
  bool TabStop = true;
  TPopupMenu* PopupMenu = nullptr;

  TContainer* Parent() const { return parent_; }
  TForm* Form();   // the form this control belongs to, or null

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  // The native peer listens here; models call it after every change of their state.
  std::function<void(TAspect)> OnModelChange;

 protected:
  void Notify(TAspect aspect) {
    if (OnModelChange) OnModelChange(aspect);
  }
  // Runs an event that comes from the user: an exception that escapes it is shown, not thrown.
  void RunUserEvent(const std::function<void()>& event);

 private:
  friend class TContainer;
  TContainer* parent_ = nullptr;
  bool enabled_ = true;
  bool visible_ = true;
};

// A control that holds others (form, tab sheet, panel, group box).
class TContainer : public TControl {
 public:
  using TControl::TControl;
  std::string Caption;
  void Add(TControl& child) {
    child.parent_ = this;
    children_.push_back(&child);
  }
  const std::vector<TControl*>& Children() const { return children_; }

 private:
  std::vector<TControl*> children_;
};

class TLabel : public TControl {
 public:
  explicit TLabel(std::string name, std::string caption = {})
      : TControl(TControlKind::Label, std::move(name)), Caption(std::move(caption)) {
    TabStop = false;
  }
  std::string Caption;
};

class TPanel : public TContainer {
 public:
  explicit TPanel(std::string name) : TContainer(TControlKind::Panel, std::move(name)) {}
};

class TGroupBox : public TContainer {
 public:
  explicit TGroupBox(std::string name, std::string caption = {}) : TContainer(TControlKind::GroupBox, std::move(name)) {
    Caption = std::move(caption);
  }
};

}  // namespace kav::ui
