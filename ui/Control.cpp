#include "ui/Control.h"

#include "ui/Form.h"

namespace kav::ui {

TForm* TControl::Form() {
  TControl* c = this;
  while (c->parent_ != nullptr) c = c->parent_;
  return c->Kind == TControlKind::Form ? static_cast<TForm*>(c) : nullptr;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Notify(TAspect::Enabled);
}

void TControl::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Notify(TAspect::Visible);
}

void TControl::RunUserEvent(const std::function<void()>& event) {
  if (TForm* form = Form()) form->Dispatch(event);
  else event();
}

void TForm::SetCaption(std::string caption) {
  if (Caption == caption) return;
  Caption = std::move(caption);
  Notify(TAspect::Caption);
}

void TForm::SetLeft(int left) {
  Bounds.Left = left;
  Notify(TAspect::Bounds);
}

void TForm::SetTop(int top) {
  Bounds.Top = top;
  Notify(TAspect::Bounds);
}

void TForm::SetTopmost(bool topmost) {
  topmost_ = topmost;
  Notify(TAspect::Topmost);
}

void TForm::SetWindowState(TWindowState state) {
  if (state_ == state) return;
  state_ = state;
  Notify(TAspect::WindowState);
}

void TForm::SetAcceptFiles(bool accept) {
  acceptFiles_ = accept;
  Notify(TAspect::AcceptFiles);
}

void TForm::UserDropFile(const std::string& path) {
  if (!acceptFiles_) return;
  Dispatch([&] {
    if (OnDropFile) OnDropFile(path);
  });
}

std::string CurrentErrorText() {
  try {
    throw;
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "予期しないエラーが発生しました";
  }
}

void TForm::Dispatch(const std::function<void()>& event) {
  try {
    event();
  } catch (...) {
    if (!OnError) throw;
    OnError(CurrentErrorText());
  }
}

}  // namespace kav::ui
