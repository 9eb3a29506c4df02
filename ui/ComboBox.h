// Drop-down boxes and list boxes. Choosing an item from code fires nothing; the user's
// choice fires the change (combo box) or click (list box) event.
#pragma once

#include <functional>
#include <string>

#include "ui/Control.h"
#include "ui/ItemList.h"

namespace kav::ui {

enum class TComboStyle { DropDown, DropDownList };   // editable, or a fixed list

class TComboBox : public TControl {
 public:
  TComboBox(std::string name, TComboStyle style) : TControl(TControlKind::ComboBox, std::move(name)), Style(style) {}

  const TComboStyle Style;
  int DropDownCount = 8;
  TItemList Items;

  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);   // -1 for none; the text follows the chosen item
  const std::string& Text() const { return text_; }
  // Editable box: the text as given. Fixed list: chooses the item equal to it (case ignored).
  void SetText(std::string text);
  int AddItem(std::string item);   // keeps the chosen item chosen
  void ClearItems();
  void ItemsChanged() { Notify(TAspect::Items); }

  std::function<void()> OnChange;
  void UserSelect(int index);          // the user chose an item of the list
  void UserSetText(std::string text);  // the user typed into an editable box

 private:
  int itemIndex_ = -1;
  std::string text_;
};

class TListBox : public TControl {
 public:
  explicit TListBox(std::string name) : TControl(TControlKind::ListBox, std::move(name)) {}
  TItemList Items;
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  int AddItem(std::string item);
  void DeleteItem(int index);
  void SetItem(int index, std::string item);
  void AssignItems(std::vector<std::string> items);
  std::function<void()> OnClick;
  void UserSelect(int index);

 private:
  int itemIndex_ = -1;
};

}  // namespace kav::ui
