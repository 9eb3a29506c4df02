// List boxes: items in the model's order, the user's choice reaching the model with its event,
// the program's choice reaching the window without one.
#include <gtest/gtest.h>

#include "PeerTestSupport.h"
#include "ui/ComboBox.h"
#include "ui/win32/FormPeer.h"

namespace kav::ui::win32 {
namespace {

using test::SendNotification;

struct TListForm : ui::TForm {
  TListForm() : ui::TForm("ListForm") {
    ClientWidth = 400;
    ClientHeight = 300;
    List.Bounds = {200, 8, 150, 200};
    Add(List);
  }
  ui::TListBox List{"List"};
};

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
