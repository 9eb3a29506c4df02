// Popup menus: entries with captions and click handlers; "-" is a separator line.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kav::ui {

class TMenuItem {
 public:
  TMenuItem(std::string name, std::string caption) : Name(std::move(name)), Caption(std::move(caption)) {}
  TMenuItem(const TMenuItem&) = delete;
  TMenuItem& operator=(const TMenuItem&) = delete;
  const std::string Name;
  const std::string Caption;
  bool IsSeparator() const { return Caption == "-"; }
  std::function<void()> OnClick;   // empty: choosing it only closes the menu
};

class TPopupMenu {
 public:
  explicit TPopupMenu(std::string name) : Name(std::move(name)) {}
  const std::string Name;
  void Add(TMenuItem& item) { items_.push_back(&item); }
  const std::vector<TMenuItem*>& Items() const { return items_; }

 private:
  std::vector<TMenuItem*> items_;
};

}  // namespace kav::ui
