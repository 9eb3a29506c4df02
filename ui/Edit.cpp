#include "ui/Edit.h"

namespace kav::ui {

void TEdit::SetText(std::string text) {
  if (text_ == text) return;
  text_ = std::move(text);
  Notify(TAspect::Text);
  if (OnChange) OnChange();
}

void TEdit::UserSetText(std::string text) {
  RunUserEvent([&] { SetText(std::move(text)); });
}

bool TEdit::UserKeyPress(char32_t key) {
  RunUserEvent([&] {
    if (OnKeyPress) OnKeyPress(key);
  });
  return key != 0;
}

}  // namespace kav::ui
