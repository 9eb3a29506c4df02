// The hints of one form: a single tooltip control in the dark colours that shows each
// control's hint while the mouse rests on it. Making the tooltip window costs start-up time
// (under Wine as much as several controls), so it is made when the mouse first comes over the
// form; the hints added before then wait for it.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "ui/win32/Palette.h"

namespace kav::ui::win32 {

class TTooltips {
 public:
  explicit TTooltips(const TPalette& palette) : palette_(palette) {}
  ~TTooltips();
  TTooltips(const TTooltips&) = delete;
  TTooltips& operator=(const TTooltips&) = delete;

  // The tooltip window; null until the mouse first came over the form.
  HWND Handle() const { return tip_; }
  void SetColours(const TPalette& palette);
  // Shows `hint` over `tool`; an empty hint adds nothing.
  void Add(HWND tool, const std::string& hint);
  // Makes the tooltip window with every hint added so far; the form calls it when the mouse
  // first moves over it. Later calls do nothing.
  void MakeWindow();
  // The number of tools with a hint, shown or waiting for the window.
  int Count() const;

 private:
  void AddTool(HWND tool, std::wstring& text);

  TPalette palette_;
  HWND tip_ = nullptr;
  bool made_ = false;   // MakeWindow has run (tip_ stays null when Windows refused the window)
  std::vector<std::pair<HWND, std::wstring>> waiting_;   // hints added before the window
};

}  // namespace kav::ui::win32
