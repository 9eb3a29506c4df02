// Peer of a page control: a strip of tabs drawn in the dark palette above the tab sheets,
// which are child windows shown one at a time.
#pragma once

#include <functional>
#include <vector>

#include "ui/PageControl.h"
#include "ui/win32/ContainerPeer.h"

namespace kav::ui::win32 {

class TPageControlPeer final : public TContainerPeer {
 public:
  TPageControlPeer(ui::TPageControl& model, TPeerContext& context, HWND parent);
  ~TPageControlPeer() override;

  // Takes the peer of the next tab sheet: it is placed under the tabs and shown when active.
  void AddSheet(TContainerPeer& sheet);
  // Runs for a sheet just before it is shown (the form peer fills a page on first show).
  std::function<void(TContainerPeer& sheet)> BeforeShowSheet;
  HWND TabHandle() const { return tabs_; }
  // Where the sheets go: the client area below the tab strip.
  RECT SheetRect() const;
  // Ctrl+Tab (step 1) and Ctrl+Shift+Tab (step -1): the user chooses the next or previous
  // page, round the end; the focus goes to the new page's first control.
  void StepPage(int step);
  void OnDpiChanged(int oldDpi, int newDpi) override;
  // The tab strip in the height of its font, the sheets below it.
  void LayOut() override;

 protected:
  void OnAspect(ui::TAspect aspect) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  LRESULT TabMessage(UINT message, WPARAM wParam, LPARAM lParam);
  TAccessibleParts DescribeTabs();
  void PaintTabs(HDC dc);
  void ShowActivePage();
  void LayOutPages();
  int StripHeight() const;

  ui::TPageControl& pages_;
  HWND tabs_ = nullptr;   // child of this window, destroyed with it
  TSubclass tabsSubclass_;   // the strip is drawn in the palette
  TAccessibility tabsAccessible_;   // the pages as tabs, for screen readers
  std::vector<TContainerPeer*> sheets_;
};

}  // namespace kav::ui::win32
