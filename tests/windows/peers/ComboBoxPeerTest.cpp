// Drop-down boxes: the items and the choice of the model in the window and in the standard
// drop-down messages; the user's keys, letters, wheel and clicks choosing (the change event
// fires), the program's choice only showing; the list opening below the box (or above it)
// with its rows, marking with the keys and closing on Enter, Escape, Tab and clicks outside;
// the editable box's typing; the tab order, the hints, the drawing and the DPI scaling.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PeerTestSupport.h"
#include "platform/Text.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/win32/FormPeer.h"

namespace kav::ui::win32 {
namespace {

using test::PressKey;
using test::PrintedPixel;
using test::Pump;
using test::TextOf;

const std::vector<std::string> kCodes = {"L : 左",   "C : 中心", "M : 中央", "R : 右揃え", "TL : 左上",
                                         "TC : 中上", "TR : 右上", "BL : 左下", "BC : 中下", "BR : 右下"};

struct TComboForm : ui::TForm {
  TComboForm() : ui::TForm("ComboForm") {
    ClientWidth = 400;
    ClientHeight = 300;
    FileLabel.Bounds = {8, 12, 40, 17};
    Files.Bounds = {50, 8, 150, 23};
    Files.Items.Sorted = true;
    Files.Hint = "部品リストファイルを選択";
    Justify.Bounds = {50, 40, 150, 23};
    Justify.DropDownCount = 16;
    Tags.Bounds = {50, 72, 150, 23};
    Tags.Hint = "属性タグ名";
    After.Bounds = {220, 8, 80, 25};
    for (ui::TControl* c : std::initializer_list<ui::TControl*>{&FileLabel, &Files, &Justify, &Tags, &After}) Add(*c);
    for (const std::string& code : kCodes) Justify.AddItem(code);
    for (const char* tag : {"PARTNO : 品番", "QTY", "NAME : 名称"}) Tags.AddItem(tag);
    Files.OnChange = [this] { ++FileChanges; };
    Justify.OnChange = [this] { ++JustifyChanges; };
    Tags.OnChange = [this] { ++TagChanges; };
  }
  ui::TLabel FileLabel{"FileLabel", "ファイル"};
  ui::TComboBox Files{"Files", ui::TComboStyle::DropDownList};
  ui::TComboBox Justify{"Justify", ui::TComboStyle::DropDownList};
  ui::TComboBox Tags{"Tags", ui::TComboStyle::DropDown};
  ui::TButton After{"After", "次"};
  int FileChanges = 0, JustifyChanges = 0, TagChanges = 0;
};

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// The popup windows of open lists of this thread (all of them, or the one showing).
std::vector<HWND> ListWindows(bool shownOnly) {
  struct TSearch {
    bool ShownOnly;
    std::vector<HWND> Found;
  } search{shownOnly, {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM param) {
        auto* s = reinterpret_cast<TSearch*>(param);
        if (ClassOf(window) == L"KaverolinDropDownList" && (!s->ShownOnly || IsWindowVisible(window)))
          s->Found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

HWND ShownList() {
  const std::vector<HWND> shown = ListWindows(true);
  return shown.size() == 1 ? shown[0] : nullptr;
}

bool IsOpen(HWND box) { return SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0) != FALSE; }

std::string ItemOf(HWND box, int index) {
  const auto length = SendMessageW(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return "<none>";
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return WideToUtf8(text);
}

// The middle of a row of the open list, in the list's client coordinates.
LPARAM RowPoint(HWND box, int row) {
  const auto height = static_cast<int>(SendMessageW(box, CB_GETITEMHEIGHT, 0, 0));
  return MAKELPARAM(10, row * height + height / 2);
}

// A place of the screen in `window`'s client coordinates, as the mouse messages carry it.
LPARAM ClientPoint(HWND window, POINT screen) {
  ScreenToClient(window, &screen);
  return MAKELPARAM(screen.x, screen.y);
}

RECT ScreenRectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

TEST(ComboBoxPeer, ShowsTheModelsItemsAndChoiceAndAnswersTheStandardMessages) {
  TComboForm form;
  for (const char* name : {"b.tsv", "C.tsv", "a.tsv", "ボルト.tsv"}) form.Files.AddItem(name);
  TFormPeer peer(form);
  peer.Show();
  Pump();
  const HWND files = peer.HandleOf(form.Files);
  EXPECT_TRUE(ListWindows(false).empty());   // no popup until a list first opens

  ASSERT_EQ(SendMessageW(files, CB_GETCOUNT, 0, 0), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(ItemOf(files, i), form.Files.Items[i]);   // the model's order
  EXPECT_EQ(ItemOf(files, 4), "<none>");
  EXPECT_EQ(SendMessageW(files, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(TextOf(files), "");

  form.Files.SetItemIndex(1);
  EXPECT_EQ(SendMessageW(files, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(TextOf(files), form.Files.Items[1]);
  // Chosen from outside, as the program chooses: no change event.
  EXPECT_EQ(SendMessageW(files, CB_SETCURSEL, 2, 0), 2);
  EXPECT_EQ(form.Files.ItemIndex(), 2);
  EXPECT_EQ(SendMessageW(files, CB_SETCURSEL, static_cast<WPARAM>(-1), 0), CB_ERR);
  EXPECT_EQ(form.Files.ItemIndex(), -1);
  EXPECT_EQ(TextOf(files), "");

  // New items: the chosen one stays chosen where it moved to.
  form.Files.SetItemIndex(1);
  const std::string chosen = form.Files.Text();
  form.Files.AddItem("0.tsv");
  EXPECT_EQ(ItemOf(files, 0), "0.tsv");
  EXPECT_EQ(ItemOf(files, static_cast<int>(SendMessageW(files, CB_GETCURSEL, 0, 0))), chosen);
  EXPECT_EQ(TextOf(files), chosen);
  form.Files.ClearItems();
  EXPECT_EQ(SendMessageW(files, CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(TextOf(files), "");
  EXPECT_EQ(form.FileChanges, 0);

  // The hints show over the boxes, and over the edit box of the editable one too.
  EXPECT_EQ(peer.Tips().Count(), 3);
}

TEST(ComboBoxPeer, KeysAndLettersChangeTheChoiceOfAClosedListAsTheUsers) {
  TComboForm form;
  form.Justify.SetItemIndex(0);
  TFormPeer peer(form);
  peer.Show();
  const HWND justify = peer.HandleOf(form.Justify);
  SetFocus(justify);
  const auto expectChoice = [&](int index, int changes) {
    EXPECT_EQ(form.Justify.ItemIndex(), index);
    EXPECT_EQ(form.JustifyChanges, changes);
  };
  PressKey(peer, VK_DOWN);
  expectChoice(1, 1);
  PressKey(peer, VK_RIGHT);
  expectChoice(2, 2);
  PressKey(peer, VK_UP);
  expectChoice(1, 3);
  PressKey(peer, VK_LEFT);
  expectChoice(0, 4);
  PressKey(peer, VK_UP);   // at the top already: nothing changes, nothing fires
  expectChoice(0, 4);
  PressKey(peer, VK_END);
  expectChoice(9, 5);
  PressKey(peer, VK_HOME);
  expectChoice(0, 6);
  PressKey(peer, VK_NEXT);   // a page of sixteen rows: the end of these ten
  expectChoice(9, 7);
  PressKey(peer, VK_PRIOR);
  expectChoice(0, 8);
  EXPECT_EQ(TextOf(justify), "L : 左");

  // A letter chooses the next item beginning with it, capital or not.
  SendMessageW(justify, WM_CHAR, L'b', 0);
  expectChoice(7, 9);
  SendMessageW(justify, WM_CHAR, L'B', 0);
  expectChoice(8, 10);
  SendMessageW(justify, WM_CHAR, L'x', 0);
  expectChoice(8, 10);
  EXPECT_EQ(GetFocus(), justify);
  EXPECT_FALSE(IsOpen(justify));
  EXPECT_EQ(ShownList(), nullptr);
}

TEST(ComboBoxPeer, F4AndAltDownOpenTheListTheKeysMarkEnterOrTabChooseEscapeCancels) {
  TComboForm form;
  form.Justify.SetItemIndex(2);
  TFormPeer peer(form);
  peer.Show();
  const HWND justify = peer.HandleOf(form.Justify);
  SetFocus(justify);

  PressKey(peer, VK_F4);
  ASSERT_TRUE(IsOpen(justify));
  const HWND list = ShownList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(GetFocus(), justify);     // the box keeps the focus ...
  EXPECT_EQ(GetCapture(), list);      // ... and the list takes every click
  EXPECT_EQ(ScreenRectOf(list).top, ScreenRectOf(justify).bottom);
  PressKey(peer, VK_DOWN);
  PressKey(peer, VK_DOWN);
  EXPECT_EQ(form.Justify.ItemIndex(), 2);   // marked only
  PressKey(peer, VK_RETURN);
  EXPECT_FALSE(IsOpen(justify));
  EXPECT_FALSE(IsWindowVisible(list));
  EXPECT_NE(GetCapture(), list);
  EXPECT_EQ(form.Justify.ItemIndex(), 4);
  EXPECT_EQ(form.JustifyChanges, 1);

  PressKey(peer, VK_DOWN, true);   // Alt+Down
  ASSERT_TRUE(IsOpen(justify));
  PressKey(peer, VK_END);
  PressKey(peer, VK_ESCAPE);
  EXPECT_FALSE(IsOpen(justify));
  EXPECT_EQ(form.Justify.ItemIndex(), 4);
  EXPECT_EQ(form.JustifyChanges, 1);

  // A letter marks in the open list; F4 closes it with the marked item chosen.
  PressKey(peer, VK_F4);
  SendMessageW(justify, WM_CHAR, L't', 0);   // after "TL : 左上": "TC : 中上"
  EXPECT_EQ(form.Justify.ItemIndex(), 4);
  PressKey(peer, VK_F4);
  EXPECT_FALSE(IsOpen(justify));
  EXPECT_EQ(form.Justify.ItemIndex(), 5);
  EXPECT_EQ(form.JustifyChanges, 2);

  // Tab takes the marked item and moves on.
  PressKey(peer, VK_F4);
  PressKey(peer, VK_DOWN);
  PressKey(peer, VK_TAB);
  EXPECT_FALSE(IsOpen(justify));
  EXPECT_EQ(form.Justify.ItemIndex(), 6);
  EXPECT_EQ(form.JustifyChanges, 3);
  EXPECT_EQ(GetParent(GetFocus()), peer.HandleOf(form.Tags));
  EXPECT_EQ(ListWindows(false).size(), 1u);   // one popup, made at the first opening
}

TEST(ComboBoxPeer, ClicksOpenTheListChooseARowAndCloseItWithoutAChoiceOutside) {
  TComboForm form;
  for (const char* name : {"a.tsv", "b.tsv", "c.tsv", "d.tsv"}) form.Files.AddItem(name);
  form.Files.SetItemIndex(0);
  TFormPeer peer(form);
  peer.Show();
  const HWND files = peer.HandleOf(form.Files);
  const RECT box = ScreenRectOf(files);
  const POINT onBox{box.left + 10, box.top + 10};

  // A click on the box opens the list; the button comes up over the box and the list stays.
  SendMessageW(files, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  ASSERT_TRUE(IsOpen(files));
  const HWND list = ShownList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(GetFocus(), files);
  SendMessageW(list, WM_LBUTTONUP, 0, ClientPoint(list, onBox));
  EXPECT_TRUE(IsOpen(files));
  // A click on a row chooses it and closes the list.
  SendMessageW(list, WM_MOUSEMOVE, 0, RowPoint(files, 2));
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(files, 2));
  SendMessageW(list, WM_LBUTTONUP, 0, RowPoint(files, 2));
  EXPECT_FALSE(IsOpen(files));
  EXPECT_EQ(form.Files.ItemIndex(), 2);
  EXPECT_EQ(form.FileChanges, 1);

  // A click outside closes it and chooses nothing.
  SendMessageW(files, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(list, WM_LBUTTONUP, 0, ClientPoint(list, onBox));
  ASSERT_TRUE(IsOpen(files));
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(list, POINT{box.right + 60, box.top}));
  EXPECT_FALSE(IsOpen(files));
  EXPECT_EQ(form.Files.ItemIndex(), 2);
  // A second click on the box closes it as well.
  SendMessageW(files, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(list, WM_LBUTTONUP, 0, ClientPoint(list, onBox));
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(list, onBox));
  EXPECT_FALSE(IsOpen(files));
  EXPECT_EQ(form.FileChanges, 1);

  // Pressed on the box, dragged onto a row and let go there: that row.
  SendMessageW(files, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, RowPoint(files, 3));
  SendMessageW(list, WM_LBUTTONUP, 0, RowPoint(files, 3));
  EXPECT_FALSE(IsOpen(files));
  EXPECT_EQ(form.Files.ItemIndex(), 3);
  EXPECT_EQ(form.FileChanges, 2);

  // Another window taking the mouse closes the list.
  SendMessageW(files, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  ASSERT_TRUE(IsOpen(files));
  ReleaseCapture();
  EXPECT_FALSE(IsOpen(files));
  EXPECT_EQ(form.FileChanges, 2);

  // The wheel over the focused box steps through the items; over an unfocused one it does not.
  form.Files.SetItemIndex(1);
  SendMessageW(files, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_EQ(form.Files.ItemIndex(), 2);
  SendMessageW(files, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(form.Files.ItemIndex(), 1);
  EXPECT_EQ(form.FileChanges, 4);
  SetFocus(peer.HandleOf(form.After));
  SendMessageW(files, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_EQ(form.Files.ItemIndex(), 1);
}

TEST(ComboBoxPeer, TheOpenListHasItsRowsAndOpensUpwardsWhereThereIsNoRoomBelow) {
  TComboForm form;
  for (int i = 0; i < 10; ++i) form.Justify.AddItem(std::string("+").append(std::to_string(i)));   // twenty items
  for (const char* name : {"a.tsv", "b.tsv", "c.tsv"}) form.Files.AddItem(name);
  TFormPeer peer(form);
  peer.Show();
  const HWND justify = peer.HandleOf(form.Justify), files = peer.HandleOf(form.Files);
  const auto rowHeight = static_cast<int>(SendMessageW(justify, CB_GETITEMHEIGHT, 0, 0));
  ASSERT_GT(rowHeight, 0);

  SendMessageW(justify, CB_SHOWDROPDOWN, TRUE, 0);
  HWND list = ShownList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(test::ClientSizeOf(list).cy, 16 * rowHeight);   // sixteen rows of twenty, and a scroll bar
  EXPECT_TRUE(test::HasStyle(list, WS_VSCROLL));
  RECT dropped{};
  SendMessageW(justify, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  EXPECT_EQ(dropped.bottom, ScreenRectOf(list).bottom);
  EXPECT_EQ(ScreenRectOf(list).right - ScreenRectOf(list).left, ScreenRectOf(justify).right - ScreenRectOf(justify).left);
  // The wheel scrolls the open list and chooses nothing.
  SendMessageW(justify, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_TRUE(IsOpen(justify));
  EXPECT_EQ(form.JustifyChanges, 0);
  SendMessageW(justify, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_FALSE(IsOpen(justify));

  SendMessageW(files, CB_SHOWDROPDOWN, TRUE, 0);
  list = ShownList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(test::ClientSizeOf(list).cy, 3 * rowHeight);
  SendMessageW(files, CB_SHOWDROPDOWN, FALSE, 0);

  // Near the bottom of the screen the list opens above the box.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(peer.Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT frame = ScreenRectOf(peer.Handle());
  const RECT before = ScreenRectOf(justify);
  SetWindowPos(peer.Handle(), nullptr, frame.left, frame.top + monitor.rcWork.bottom - 10 - before.bottom, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(justify, CB_SHOWDROPDOWN, TRUE, 0);
  list = ShownList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ScreenRectOf(list).bottom, ScreenRectOf(justify).top);
  SendMessageW(justify, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST(ComboBoxPeer, EditableBoxTakesTypingShowsTheProgramsTextAndChoosesFromItsList) {
  TComboForm form;
  TFormPeer peer(form);
  peer.Show();
  const HWND tags = peer.HandleOf(form.Tags);
  const HWND edit = GetWindow(tags, GW_CHILD);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(_wcsicmp(ClassOf(edit).c_str(), L"Edit"), 0);
  SetFocus(tags);
  EXPECT_EQ(GetFocus(), edit);

  for (wchar_t c : std::wstring(L"QTY")) SendMessageW(edit, WM_CHAR, c, 1);
  EXPECT_EQ(form.Tags.Text(), "QTY");
  EXPECT_EQ(form.Tags.ItemIndex(), 1);   // typed as it stands in the list
  EXPECT_EQ(form.TagChanges, 3);
  EXPECT_EQ(TextOf(tags), "QTY");

  // The program's text shows without an event, and so does one set from outside.
  form.Tags.SetText("品番");
  EXPECT_EQ(TextOf(edit), "品番");
  EXPECT_EQ(form.Tags.ItemIndex(), -1);
  SetWindowTextW(tags, L"NAME : 名称");
  EXPECT_EQ(form.Tags.Text(), "NAME : 名称");
  EXPECT_EQ(TextOf(edit), "NAME : 名称");
  EXPECT_EQ(form.Tags.ItemIndex(), 2);
  EXPECT_EQ(form.TagChanges, 3);

  // Up and Down choose from the list; Home and End stay with the caret.
  PressKey(peer, VK_UP);
  EXPECT_EQ(form.Tags.Text(), "QTY");
  EXPECT_EQ(TextOf(edit), "QTY");
  EXPECT_EQ(form.TagChanges, 4);
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);   // the chosen text is selected, ready to be typed over
  EXPECT_EQ(end, 3u);
  PressKey(peer, VK_HOME);
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(end, 0u);
  EXPECT_EQ(form.Tags.ItemIndex(), 1);
  EXPECT_EQ(form.TagChanges, 4);

  PressKey(peer, VK_F4);
  ASSERT_TRUE(IsOpen(tags));
  EXPECT_EQ(GetFocus(), edit);
  PressKey(peer, VK_DOWN);
  PressKey(peer, VK_RETURN);
  EXPECT_FALSE(IsOpen(tags));
  EXPECT_EQ(form.Tags.Text(), "NAME : 名称");
  EXPECT_EQ(form.TagChanges, 5);

  // Typing with the list open: the text is the user's and stays when Escape closes the list.
  PressKey(peer, VK_DOWN, true);
  ASSERT_TRUE(IsOpen(tags));
  SendMessageW(edit, WM_CHAR, L'P', 1);
  EXPECT_EQ(form.Tags.Text(), "P");
  EXPECT_EQ(form.TagChanges, 6);
  PressKey(peer, VK_ESCAPE);
  EXPECT_FALSE(IsOpen(tags));
  EXPECT_EQ(form.Tags.Text(), "P");
  EXPECT_EQ(TextOf(edit), "P");
  EXPECT_EQ(form.TagChanges, 6);
}

TEST(ComboBoxPeer, TabMovesOnFromBothKindsAndShiftTabComesBack) {
  TComboForm form;
  TFormPeer peer(form);
  peer.Show();
  const HWND files = peer.HandleOf(form.Files), justify = peer.HandleOf(form.Justify);
  const HWND tagsEdit = GetWindow(peer.HandleOf(form.Tags), GW_CHILD), after = peer.HandleOf(form.After);
  SetFocus(files);
  PressKey(peer, VK_TAB);
  EXPECT_EQ(GetFocus(), justify);
  PressKey(peer, VK_TAB);
  EXPECT_EQ(GetFocus(), tagsEdit);
  PressKey(peer, VK_TAB);
  EXPECT_EQ(GetFocus(), after);
  test::SetKeyHeld(VK_SHIFT, true);
  PressKey(peer, VK_TAB);
  EXPECT_EQ(GetFocus(), tagsEdit);
  PressKey(peer, VK_TAB);
  EXPECT_EQ(GetFocus(), justify);
  test::SetKeyHeld(VK_SHIFT, false);
}

TEST(ComboBoxPeer, TheClosedBoxIsDrawnInThePaletteWithAFocusFrame) {
  TComboForm form;
  form.Files.AddItem("a.tsv");
  form.Files.SetItemIndex(0);
  for (const bool highContrast : {false, true}) {
    TFormPeerOptions options;
    options.HighContrast = [highContrast] { return highContrast; };
    TFormPeer peer(form, options);
    peer.Show();
    const TPalette& p = peer.Theme().Palette();
    const HWND files = peer.HandleOf(form.Files), tags = peer.HandleOf(form.Tags);
    const SIZE size = test::ClientSizeOf(files);
    SetFocus(peer.HandleOf(form.After));
    EXPECT_EQ(PrintedPixel(files, 0, size.cy / 2), p.Border);
    EXPECT_EQ(PrintedPixel(files, size.cx - 3, 2), p.Control);   // the arrow's corner
    EXPECT_EQ(PrintedPixel(tags, 1, 1), p.Edit);                 // an editable box is an edit box
    SetFocus(files);
    EXPECT_EQ(PrintedPixel(files, 0, size.cy / 2), p.Focus);
    SetFocus(tags);
    EXPECT_EQ(PrintedPixel(tags, 0, size.cy / 2), p.Focus);
    EXPECT_EQ(PrintedPixel(files, 0, size.cy / 2), p.Border);
  }
}

TEST(ComboBoxPeer, BoxRowsAndListScaleWithTheDpi) {
  TComboForm form;
  TFormPeerOptions options;
  options.Dpi = 144;
  TFormPeer peer(form, options);
  peer.Show();
  const HWND justify = peer.HandleOf(form.Justify);
  EXPECT_EQ(test::ClientSizeOf(justify).cy, MulDiv(23, 144, 96));
  EXPECT_EQ(SendMessageW(justify, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), MulDiv(23, 144, 96));
  const auto rowHeight = static_cast<int>(SendMessageW(justify, CB_GETITEMHEIGHT, 0, 0));
  EXPECT_EQ(rowHeight, MulDiv(11, 144, 96) + MulDiv(6, 144, 96));
  SendMessageW(justify, CB_SHOWDROPDOWN, TRUE, 0);
  const HWND list = ShownList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(test::ClientSizeOf(list).cy, 10 * rowHeight);
  SendMessageW(justify, CB_SHOWDROPDOWN, FALSE, 0);
}

}  // namespace
}  // namespace kav::ui::win32
