#include "ui/PageControl.h"

namespace kav::ui {

void TPageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= PageCount() || index == active_) return;
  active_ = index;
  Notify(TAspect::Page);
}

void TPageControl::UserSelectPage(int index) {
  RunUserEvent([&] {
    if (index < 0 || index >= PageCount() || index == active_) return;
    SetActivePageIndex(index);
    if (OnChange) OnChange();
  });
}

}  // namespace kav::ui
