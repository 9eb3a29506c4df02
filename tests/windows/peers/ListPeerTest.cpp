// Drop-down boxes and list boxes: items in the model's order, the user's choice reaching the
// model with its event, the program's choice reaching the window without one.
#include <gtest/gtest.h>

#include "PeerTestSupport.h"
#include "platform/Text.h"
#include "ui/ComboBox.h"
#include "ui/win32/FormPeer.h"

namespace kav::ui::win32 {
namespace {

using test::SendNotification;

struct TListForm : ui::TForm {
  TListForm() : ui::TForm("ListForm") {
    ClientWidth = 400;
    ClientHeight = 300;
    Fixed.Bounds = {8, 8, 150, 21};
    Fixed.DropDownCount = 16;
    Fixed.Items.Sorted = true;
    Editable.Bounds = {8, 40, 150, 21};
    List.Bounds = {200, 8, 150, 200};
    Add(Fixed);
    Add(Editable);
    Add(List);
  }
  ui::TComboBox Fixed{"Fixed", ui::TComboStyle::DropDownList};
  ui::TComboBox Editable{"Editable", ui::TComboStyle::DropDown};
  ui::TListBox List{"List"};
};

std::string ComboItem(HWND combo, int index) {
  const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return WideToUtf8(text);
}

TEST(ComboBoxPeer, ShowsTheModelsOrderAndPassesTheUsersChoiceBack) {
  TListForm form;
  form.Fixed.AddItem("b.tsv");
  form.Fixed.AddItem("C.tsv");
  form.Fixed.AddItem("a.tsv");
  int changes = 0;
  form.Fixed.OnChange = [&] { ++changes; };
  TFormPeer peer(form);
  HWND combo = peer.HandleOf(form.Fixed);

  EXPECT_FALSE(test::HasStyle(combo, CBS_SORT));   // the model sorts, not the window
  ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(ComboItem(combo, i), form.Fixed.Items[i]);

  SendMessageW(combo, CB_SETCURSEL, 2, 0);
  SendNotification(combo, CBN_SELCHANGE);
  EXPECT_EQ(form.Fixed.ItemIndex(), 2);
  EXPECT_EQ(form.Fixed.Text(), form.Fixed.Items[2]);
  EXPECT_EQ(changes, 1);

  // From code: the window follows, no change event.
  form.Fixed.SetItemIndex(0);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
  form.Fixed.SetItemIndex(-1);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(changes, 1);

  // New items: the list is refilled and the chosen item stays chosen.
  form.Fixed.SetItemIndex(1);
  const std::string chosen = form.Fixed.Text();
  form.Fixed.AddItem("0.tsv");
  ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(ComboItem(combo, 0), "0.tsv");
  EXPECT_EQ(ComboItem(combo, static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0))), chosen);

  form.Fixed.ClearItems();
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(changes, 1);
}

TEST(ComboBoxPeer, EditableBoxPassesTypedTextAndShowsTheModelsText) {
  TListForm form;
  form.Editable.AddItem("TAG1");
  form.Editable.AddItem("TAG2");
  int changes = 0;
  form.Editable.OnChange = [&] { ++changes; };
  TFormPeer peer(form);
  HWND combo = peer.HandleOf(form.Editable);

  SetWindowTextW(combo, L"品番");
  SendNotification(combo, CBN_EDITCHANGE);
  EXPECT_EQ(form.Editable.Text(), "品番");
  EXPECT_EQ(form.Editable.ItemIndex(), -1);
  EXPECT_EQ(changes, 1);

  form.Editable.SetText("TAG2");
  EXPECT_EQ(test::TextOf(combo), "TAG2");
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);

  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  SendNotification(combo, CBN_SELCHANGE);
  EXPECT_EQ(form.Editable.Text(), "TAG1");
  EXPECT_EQ(changes, 2);
}

TEST(ComboBoxPeer, OpenListHasRoomForDropDownCountRows) {
  TListForm form;
  for (int i = 0; i < 20; ++i) form.Fixed.AddItem("item " + std::to_string(100 + i));
  TFormPeer peer(form);
  HWND combo = peer.HandleOf(form.Fixed);
  const auto rowHeight = SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
  ASSERT_GT(rowHeight, 0);
  // The window height of a drop-down box is its closed field plus the open list.
  RECT dropped{};
  SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  EXPECT_GE(dropped.bottom - dropped.top, 16 * rowHeight);
}

TEST(ListBoxPeer, UserSelectionAndModelChangesMeet) {
  TListForm form;
  form.List.AssignItems({"BricsCAD", "AutoCAD", "IJCAD"});
  int clicks = 0;
  form.List.OnClick = [&] { ++clicks; };
  TFormPeer peer(form);
  HWND list = peer.HandleOf(form.List);
  ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);

  SendMessageW(list, LB_SETCURSEL, 1, 0);
  SendNotification(list, LBN_SELCHANGE);
  EXPECT_EQ(form.List.ItemIndex(), 1);
  EXPECT_EQ(clicks, 1);

  form.List.DeleteItem(0);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);   // the chosen item moved up with the model
  form.List.SetItemIndex(1);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
  form.List.AssignItems({});
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace kav::ui::win32
