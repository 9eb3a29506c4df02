// The edit box model: setting its text fires its change event when the text changes.
#pragma once

#include <functional>
#include <string>

#include "ui/Control.h"

namespace kav::ui {

class TEdit : public TControl {
 public:
  explicit TEdit(std::string name, std::string text = {})
      : TControl(TControlKind::Edit, std::move(name)), text_(std::move(text)) {}

  bool NumberBox = false;    // right-aligned, input method off
  bool ImeOff = false;       // input method off
  bool ReadOnly = false;
  bool Inverse = false;      // white text on black
  std::string Placeholder;   // grey text shown while the box is empty

  const std::string& Text() const { return text_; }
  void SetText(std::string text);
  std::function<void()> OnChange;
  // A key typed into the box; setting `key` to 0 swallows it.
  std::function<void(char32_t& key)> OnKeyPress;

  // The user changed the text (typing, pasting).
  void UserSetText(std::string text);
  // The user typed a character; returns false when a handler swallowed it.
  bool UserKeyPress(char32_t key);

 private:
  std::string text_;
};

}  // namespace kav::ui
