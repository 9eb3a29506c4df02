// The hints of one form: a single tooltip control in the dark colours that shows each
// control's hint while the mouse rests on it.
#pragma once

#include <windows.h>

#include <string>

#include "ui/win32/Palette.h"

namespace kav::ui::win32 {

class TTooltips {
 public:
  explicit TTooltips(const TPalette& palette);
  ~TTooltips();
  TTooltips(const TTooltips&) = delete;
  TTooltips& operator=(const TTooltips&) = delete;

  HWND Handle() const { return tip_; }
  void SetColours(const TPalette& palette);
  // Shows `hint` over `tool`; an empty hint adds nothing.
  void Add(HWND tool, const std::string& hint);
  int Count() const;

 private:
  HWND tip_ = nullptr;
};

}  // namespace kav::ui::win32
