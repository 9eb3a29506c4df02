#include "ui/ComboBox.h"

namespace kav::ui {

void TComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= Items.Count()) index = -1;
  itemIndex_ = index;
  if (index >= 0) text_ = Items[index];
  else if (Style == TComboStyle::DropDownList) text_.clear();
  Notify(TAspect::ItemIndex);
}

void TComboBox::SetText(std::string text) {
  if (Style == TComboStyle::DropDownList) {
    SetItemIndex(Items.IndexOfIgnoreCase(text));
    return;
  }
  text_ = std::move(text);
  itemIndex_ = Items.IndexOf(text_);
  Notify(TAspect::Text);
}

int TComboBox::AddItem(std::string item) {
  const int index = Items.Add(std::move(item));
  if (itemIndex_ >= index) ++itemIndex_;
  Notify(TAspect::Items);
  return index;
}

void TComboBox::ClearItems() {
  Items.Clear();
  itemIndex_ = -1;
  if (Style == TComboStyle::DropDownList) text_.clear();
  Notify(TAspect::Items);
}

void TComboBox::UserSelect(int index) {
  RunUserEvent([&] {
    SetItemIndex(index);
    if (OnChange) OnChange();
  });
}

void TComboBox::UserSetText(std::string text) {
  RunUserEvent([&] {
    if (text_ == text) return;
    text_ = std::move(text);
    itemIndex_ = Items.IndexOf(text_);
    if (OnChange) OnChange();
  });
}

void TListBox::SetItemIndex(int index) {
  if (index < -1 || index >= Items.Count()) index = -1;
  itemIndex_ = index;
  Notify(TAspect::ItemIndex);
}

int TListBox::AddItem(std::string item) {
  const int index = Items.Add(std::move(item));
  if (itemIndex_ >= index) ++itemIndex_;
  Notify(TAspect::Items);
  return index;
}

void TListBox::DeleteItem(int index) {
  Items.Delete(index);
  if (itemIndex_ == index) itemIndex_ = -1;
  else if (itemIndex_ > index) --itemIndex_;
  Notify(TAspect::Items);
}

void TListBox::SetItem(int index, std::string item) {
  Items.Set(index, std::move(item));
  Notify(TAspect::Items);
}

void TListBox::AssignItems(std::vector<std::string> items) {
  Items.Assign(std::move(items));
  itemIndex_ = -1;
  Notify(TAspect::Items);
}

void TListBox::UserSelect(int index) {
  RunUserEvent([&] {
    SetItemIndex(index);
    if (OnClick) OnClick();
  });
}

}  // namespace kav::ui
