// Tab pages. Showing a page from code fires nothing; the user's choice fires the change.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace kav::ui {

class TTabSheet : public TContainer {
 public:
  TTabSheet(std::string name, std::string caption) : TContainer(TControlKind::TabSheet, std::move(name)) {
    Caption = std::move(caption);
  }
};

class TPageControl : public TContainer {
 public:
  explicit TPageControl(std::string name) : TContainer(TControlKind::PageControl, std::move(name)) {}
  void AddPage(TTabSheet& page) { Add(page); }
  int PageCount() const { return static_cast<int>(Children().size()); }
  int ActivePageIndex() const { return active_; }
  void SetActivePageIndex(int index);
  std::function<void()> OnChange;
  void UserSelectPage(int index);

 private:
  int active_ = 0;
};

}  // namespace kav::ui
