// Buttons, check boxes and radio buttons: real clicks reach the models, model changes reach
// the windows, and the arrow keys move the choice inside a radio group.
#include <gtest/gtest.h>

#include "PeerTestSupport.h"
#include "ui/Button.h"
#include "ui/Control.h"
#include "ui/win32/FormPeer.h"

namespace kav::ui::win32 {
namespace {

using test::HasStyle;
using test::Pump;

struct TButtonForm : ui::TForm {
  TButtonForm() : ui::TForm("ButtonForm") {
    ClientWidth = 300;
    ClientHeight = 200;
    Push.Bounds = {8, 8, 90, 25};
    Flat.Bounds = {100, 8, 90, 25};
    Check.Bounds = {8, 40, 120, 20};
    Group.Bounds = {8, 70, 200, 110};
    Radio1.Bounds = {8, 8, 100, 20};
    Radio2.Bounds = {8, 32, 100, 20};
    Radio3.Bounds = {8, 56, 100, 20};
    Add(Push);
    Add(Flat);
    Add(Check);
    Add(Group);
    Group.Add(Radio1);
    Group.Add(Radio2);
    Group.Add(Radio3);
    Radio1.SetChecked(true);
  }
  ui::TButton Push{"Push", "押す"};
  ui::TButton Flat{"Flat", "平ら", true};
  ui::TCheckBox Check{"Check", "確認"};
  ui::TPanel Group{"Group"};
  ui::TRadioButton Radio1{"Radio1", "一"}, Radio2{"Radio2", "二"}, Radio3{"Radio3", "三"};
};

TEST(ButtonPeers, PushAndFlatButtonsRunTheirClickOnceAndFollowEnabled) {
  TButtonForm form;
  int pushed = 0, flat = 0;
  form.Push.OnClick = [&] { ++pushed; };
  form.Flat.OnClick = [&] { ++flat; };
  TFormPeer peer(form);
  HWND push = peer.HandleOf(form.Push), flatWindow = peer.HandleOf(form.Flat);

  SendMessageW(push, BM_CLICK, 0, 0);
  SendMessageW(flatWindow, BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(pushed, 1);
  EXPECT_EQ(flat, 1);
  EXPECT_EQ(test::TextOf(push), "押す");

  // Both are reached with Tab: a keyboard user can press the flat tool buttons too.
  EXPECT_TRUE(HasStyle(push, WS_TABSTOP));
  EXPECT_TRUE(HasStyle(flatWindow, WS_TABSTOP));

  form.Push.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(push));
  SendMessageW(push, BM_CLICK, 0, 0);
  test::SendNotification(push, BN_CLICKED);   // even a stray notification must not run it
  Pump();
  EXPECT_EQ(pushed, 1);
  form.Push.SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(push));
}

TEST(ButtonPeers, EnterPressesTheFocusedButton) {
  TButtonForm form;
  int pushed = 0;
  form.Push.OnClick = [&] { ++pushed; };
  TFormPeer peer(form);
  peer.Show();
  HWND push = peer.HandleOf(form.Push);
  SetFocus(push);
  MSG msg{push, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  EXPECT_TRUE(IsDialogMessageW(peer.Handle(), &msg));
  Pump();
  EXPECT_EQ(pushed, 1);
}

TEST(ButtonPeers, CheckBoxClickTogglesTheModelAndCodeChangesDoNotEcho) {
  TButtonForm form;
  int clicks = 0;
  form.Check.OnClick = [&] { ++clicks; };
  TFormPeer peer(form);
  HWND check = peer.HandleOf(form.Check);

  SendMessageW(check, BM_CLICK, 0, 0);
  Pump();
  EXPECT_TRUE(form.Check.Checked());
  EXPECT_EQ(clicks, 1);
  SendMessageW(check, BM_CLICK, 0, 0);
  Pump();
  EXPECT_FALSE(form.Check.Checked());
  EXPECT_EQ(clicks, 2);

  // Set from code: the model's own click rule fires once; the window adds nothing.
  form.Check.SetChecked(true);
  Pump();
  EXPECT_EQ(clicks, 3);
  EXPECT_TRUE(form.Check.Checked());
}

TEST(ButtonPeers, RadioClickChoosesOneOfTheGroupAndArrowsMoveTheChoice) {
  TButtonForm form;
  TFormPeer peer(form);
  peer.Show();
  HWND r1 = peer.HandleOf(form.Radio1), r2 = peer.HandleOf(form.Radio2), r3 = peer.HandleOf(form.Radio3);

  // Only the chosen button of the group is a tab stop.
  EXPECT_TRUE(HasStyle(r1, WS_TABSTOP));
  EXPECT_FALSE(HasStyle(r2, WS_TABSTOP));
  SendMessageW(r2, BM_CLICK, 0, 0);
  Pump();
  EXPECT_FALSE(form.Radio1.Checked());
  EXPECT_TRUE(form.Radio2.Checked());
  EXPECT_FALSE(HasStyle(r1, WS_TABSTOP));
  EXPECT_TRUE(HasStyle(r2, WS_TABSTOP));

  // The radio buttons ask the dialog manager for the arrow keys.
  EXPECT_TRUE(SendMessageW(r2, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS);

  SendMessageW(r2, WM_KEYDOWN, VK_DOWN, 0);
  Pump();
  EXPECT_TRUE(form.Radio3.Checked());
  EXPECT_FALSE(form.Radio2.Checked());
  EXPECT_EQ(GetFocus(), r3);

  // Past the last one the choice wraps to the first.
  SendMessageW(r3, WM_KEYDOWN, VK_RIGHT, 0);
  Pump();
  EXPECT_TRUE(form.Radio1.Checked());
  EXPECT_EQ(GetFocus(), r1);

  // A disabled member is stepped over.
  form.Radio3.SetEnabled(false);
  SendMessageW(r1, WM_KEYDOWN, VK_UP, 0);
  Pump();
  EXPECT_TRUE(form.Radio2.Checked());
  EXPECT_FALSE(form.Radio3.Checked());
}

TEST(ButtonPeers, CheckStateMessagesAgreeWithTheModelBothWays) {
  TButtonForm form;
  int checkClicks = 0, radioClicks = 0;
  form.Check.OnClick = [&] { ++checkClicks; };
  form.Radio3.OnClick = [&] { ++radioClicks; };
  TFormPeer peer(form);
  HWND check = peer.HandleOf(form.Check), r1 = peer.HandleOf(form.Radio1), r3 = peer.HandleOf(form.Radio3);
  EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(r1, BM_GETCHECK, 0, 0), BST_CHECKED);

  // The model changes first: the window answers what the model holds.
  form.Check.SetChecked(true);
  EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_NE(SendMessageW(check, BM_GETSTATE, 0, 0) & BST_CHECKED, 0);
  form.Radio3.SetChecked(true);
  EXPECT_EQ(SendMessageW(r1, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(r3, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(checkClicks, 1);
  EXPECT_EQ(radioClicks, 1);

  // The window is told first (an automation tool): the model follows, as set by the program,
  // so the click handler runs when the mark changes and not when it stays.
  SendMessageW(check, BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_FALSE(form.Check.Checked());
  EXPECT_EQ(checkClicks, 2);
  SendMessageW(check, BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_EQ(checkClicks, 2);
  SendMessageW(r1, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_TRUE(form.Radio1.Checked());
  EXPECT_FALSE(form.Radio3.Checked());   // the group follows
  EXPECT_EQ(SendMessageW(r3, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  // Unchecking a radio button from outside leaves the group without a choice and fires nothing.
  SendMessageW(r1, BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_FALSE(form.Radio1.Checked());
  EXPECT_EQ(radioClicks, 1);

  // BM_CLICK is the user's click.
  SendMessageW(check, BM_CLICK, 0, 0);
  Pump();
  EXPECT_TRUE(form.Check.Checked());
  EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST(ButtonPeers, DialogButtonGivesTheFormItsModalResult) {
  TButtonForm form;
  form.Push.ModalResult = ui::mrOk;
  bool clicked = false;
  form.Push.OnClick = [&] { clicked = true; };
  TFormPeer peer(form);
  SendMessageW(peer.HandleOf(form.Push), BM_CLICK, 0, 0);
  Pump();
  EXPECT_TRUE(clicked);
  EXPECT_EQ(form.ModalResult, ui::mrOk);
}

}  // namespace
}  // namespace kav::ui::win32
