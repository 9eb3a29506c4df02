// Keys reach the form's handler first, on the grid and in the in-place editor; the editor
// starts, commits and cancels as the user expects, and never where editing is not allowed.
#include "GridTestHost.h"

#include <imm.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "tests/support/win32/ClipboardText.h"

namespace kav::ui::win32::test {
namespace {

// Puts text on the real clipboard, so that an editor that pasted would show it.
void PutOnClipboard(const std::wstring& text, HWND owner) { ASSERT_TRUE(kav::test::PutClipboardText(text, owner)); }

struct TKeySeen {
  ui::TKey Key;
  ui::TShiftState Shift;
  bool operator==(const TKeySeen&) const = default;
};

// A handler like the form's: Ctrl+C/X/V/A/Z always, Delete only with a range selected.
class GridKeyEditTest : public GridWindowTest {
 protected:
  void SetUp() override {
    GridWindowTest::SetUp();
    model.SetRowCount(8);
    model.SetCell(1, 2, "abc");
    model.OnKeyDown = [this](ui::TKey& key, ui::TShiftState shift) {
      seen.push_back({key, shift});
      const bool ctrl = (shift & ui::ssCtrl) != 0;
      const ui::TGridRect s = model.Selection();
      if (ctrl && (key == 'C' || key == 'X' || key == 'V' || key == 'A' || key == 'Z')) key = 0;
      if (key == ui::vk::Delete && (s.Left != s.Right || s.Top != s.Bottom)) key = 0;
      if (consumeAll) key = 0;
    };
    model.OnGetEditText = [this](int col, int row, std::string&) { editStarts.push_back({col, row}); };
    LeftClick(CellCentre(1, 2));
  }
  void CtrlKey(HWND target, WPARAM key) {
    SetModifiers(true, false);
    KeyDown(target, key);
    SetModifiers(false, false);
  }
  std::vector<TKeySeen> seen;
  std::vector<std::pair<int, int>> editStarts;
  bool consumeAll = false;
};

TEST_F(GridKeyEditTest, CtrlCommandsAndRangeDeleteReachOnKeyDownAndAreConsumed) {
  SetModifiers(true, true);
  KeyDown(Grid(), 'C');   // Ctrl+Shift+C
  SetModifiers(false, false);
  model.SetSelection({1, 2, 2, 3});
  KeyDown(Grid(), VK_DELETE);
  EXPECT_EQ(seen, (std::vector<TKeySeen>{{'C', ui::ssCtrl | ui::ssShift}, {ui::vk::Delete, 0}}));

  // A consumed arrow does not move; one left to the grid does, and fires OnClick.
  int clicks = 0;
  model.OnClick = [&] { ++clicks; };
  consumeAll = true;
  KeyDown(Grid(), VK_DOWN);
  EXPECT_EQ(model.Row(), 3);
  consumeAll = false;
  KeyDown(Grid(), VK_DOWN);
  EXPECT_EQ(model.Row(), 4);
  EXPECT_EQ(model.Selection(), (ui::TGridRect{2, 4, 2, 4}));
  EXPECT_EQ(clicks, 1);
}

TEST_F(GridKeyEditTest, GridAsksForArrowsCharsAndEnterFromTheDialogManager) {
  const LRESULT plain = SendMessageW(Grid(), WM_GETDLGCODE, 0, 0);
  EXPECT_NE(plain & DLGC_WANTARROWS, 0);
  EXPECT_NE(plain & DLGC_WANTCHARS, 0);
  MSG enter{Grid(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_EQ(SendMessageW(Grid(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) & DLGC_WANTMESSAGE, 0);
  model.AllowEditing = true;
  EXPECT_NE(SendMessageW(Grid(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) & DLGC_WANTMESSAGE, 0);
}

TEST_F(GridKeyEditTest, F2StartsOneEditorOverTheCellAndEnterWritesTheTypedText) {
  model.AllowEditing = true;
  KeyDown(Grid(), VK_F2);
  const HWND editor = grid->EditorHandle();
  ASSERT_NE(editor, nullptr);
  EXPECT_NE(GetWindowLongPtrW(editor, GWL_STYLE) & WS_VISIBLE, 0);   // the test window is hidden
  EXPECT_EQ(GetFocus(), editor);
  EXPECT_EQ(WindowText(editor), L"abc");
  EXPECT_EQ(editStarts, (std::vector<std::pair<int, int>>{{1, 2}}));
  // The editor lies inside the cell.
  RECT placed{};
  GetWindowRect(editor, &placed);
  MapWindowPoints(nullptr, Grid(), reinterpret_cast<POINT*>(&placed), 2);
  const RECT cell = CellRect(1, 2);
  EXPECT_GE(placed.left, cell.left);
  EXPECT_LE(placed.right, cell.right);
  EXPECT_GE(placed.top, cell.top);
  EXPECT_LE(placed.bottom, cell.bottom);

  KeyDown(editor, VK_F2);   // already editing: no second start
  Char(editor, L'd');
  Char(editor, L'é');
  KeyDown(editor, VK_RETURN);
  EXPECT_EQ(editStarts.size(), 1u);
  EXPECT_EQ(model.Cell(1, 2), "abcdé");
  EXPECT_FALSE(model.Editing());
  EXPECT_EQ(grid->EditorHandle(), nullptr);
  EXPECT_EQ(GetWindowLongPtrW(editor, GWL_STYLE) & WS_VISIBLE, 0);
  EXPECT_EQ(GetFocus(), Grid());
  // The editor's keys went to the handler as well.
  EXPECT_EQ(seen.back(), (TKeySeen{ui::vk::Return, 0}));
}

TEST_F(GridKeyEditTest, ATypedCharacterReplacesTheTextAndEscapeCancels) {
  model.AllowEditing = true;
  Char(Grid(), L'部');
  ASSERT_NE(grid->EditorHandle(), nullptr);
  Char(grid->EditorHandle(), L'品');
  EXPECT_EQ(WindowText(grid->EditorHandle()), L"部品");
  KeyDown(grid->EditorHandle(), VK_ESCAPE);
  EXPECT_EQ(model.Cell(1, 2), "abc");
  EXPECT_FALSE(model.Editing());
  EXPECT_EQ(grid->EditorHandle(), nullptr);

  Char(Grid(), L'x');
  KeyDown(grid->EditorHandle(), VK_RETURN);
  EXPECT_EQ(model.Cell(1, 2), "x");
  EXPECT_EQ(editStarts.size(), 2u);
  // Backspace starts with an empty editor.
  Char(Grid(), L'\b');
  ASSERT_NE(grid->EditorHandle(), nullptr);
  EXPECT_EQ(WindowText(grid->EditorHandle()), L"");
  KeyDown(grid->EditorHandle(), VK_ESCAPE);
  EXPECT_EQ(model.Cell(1, 2), "x");
  // Enter on the grid starts editing too; control characters do not.
  Char(Grid(), 0x16);
  EXPECT_EQ(grid->EditorHandle(), nullptr);
  KeyDown(Grid(), VK_RETURN);
  EXPECT_NE(grid->EditorHandle(), nullptr);
  EXPECT_EQ(editStarts.size(), 4u);
}

TEST_F(GridKeyEditTest, CtrlVInTheEditorGoesToTheHandlerAndNotIntoTheEditor) {
  model.AllowEditing = true;
  PutOnClipboard(L"PASTED", host);
  KeyDown(Grid(), VK_F2);
  const HWND editor = grid->EditorHandle();
  ASSERT_NE(editor, nullptr);
  // As the message loop delivers it: the key-down, then the character it was translated into.
  SetModifiers(true, false);
  PostMessageW(editor, WM_KEYDOWN, 'V', 1);
  PostMessageW(editor, WM_CHAR, 0x16, 1);
  PumpMessages();
  SetModifiers(false, false);
  EXPECT_EQ(seen.back(), (TKeySeen{'V', ui::ssCtrl}));
  EXPECT_EQ(WindowText(editor), L"abc");

  // The same keys, left by the handler, do paste: the check above can see a paste. (The
  // clipboard is shared with other test programs, so it is filled again right before.)
  model.OnKeyDown = nullptr;
  PutOnClipboard(L"PASTED", host);
  SetModifiers(true, false);
  PostMessageW(editor, WM_KEYDOWN, 'V', 1);
  PostMessageW(editor, WM_CHAR, 0x16, 1);
  PumpMessages();
  SetModifiers(false, false);
  EXPECT_NE(WindowText(editor).find(L"PASTED"), std::wstring::npos);
}

TEST_F(GridKeyEditTest, UpAndDownInTheEditorCommitAndMoveTheCurrentCell) {
  model.AllowEditing = true;
  int clicks = 0;
  model.OnClick = [&] { ++clicks; };
  Char(Grid(), L'x');
  ASSERT_NE(grid->EditorHandle(), nullptr);
  KeyDown(grid->EditorHandle(), VK_DOWN);
  EXPECT_EQ(model.Cell(1, 2), "x");
  EXPECT_FALSE(model.Editing());
  EXPECT_EQ(grid->EditorHandle(), nullptr);
  EXPECT_EQ(model.Row(), 3);
  EXPECT_EQ(model.Col(), 1);
  EXPECT_EQ(GetFocus(), Grid());
  EXPECT_EQ(clicks, 1);   // a move by key, as on the grid
  EXPECT_EQ(seen.back(), (TKeySeen{ui::vk::Down, 0}));   // the handler heard the key once

  // Typing on the new cell edits it; Up takes the text back to it and returns one row.
  Char(Grid(), L'y');
  KeyDown(grid->EditorHandle(), VK_UP);
  EXPECT_EQ(model.Cell(1, 3), "y");
  EXPECT_EQ(model.Row(), 2);
  EXPECT_EQ(model.Cell(1, 2), "x");

  // At the first data row Up still commits; the current cell stays where it is.
  LeftClick(CellCentre(1, 1));
  Char(Grid(), L'z');
  KeyDown(grid->EditorHandle(), VK_UP);
  EXPECT_EQ(model.Cell(1, 1), "z");
  EXPECT_EQ(model.Row(), 1);
  EXPECT_FALSE(model.Editing());

  // Left and Right stay inside the editor's text.
  KeyDown(Grid(), VK_F2);
  ASSERT_NE(grid->EditorHandle(), nullptr);
  KeyDown(grid->EditorHandle(), VK_LEFT);
  EXPECT_TRUE(model.Editing());
  EXPECT_EQ(model.Col(), 1);
}

TEST_F(GridKeyEditTest, DeleteOnOneCellReachesTheEditor) {
  model.AllowEditing = true;
  KeyDown(Grid(), VK_F2);
  const HWND editor = grid->EditorHandle();
  ASSERT_NE(editor, nullptr);
  SendMessageW(editor, EM_SETSEL, 0, 0);
  KeyDown(editor, VK_DELETE);
  EXPECT_EQ(WindowText(editor), L"bc");
  EXPECT_EQ(seen.back(), (TKeySeen{ui::vk::Delete, 0}));
}

TEST_F(GridKeyEditTest, InputMethodComposesOverTheCurrentCell) {
  model.AllowEditing = true;
  SendMessageW(Grid(), WM_IME_STARTCOMPOSITION, 0, 0);
  const HIMC context = ImmGetContext(Grid());
  ASSERT_NE(context, nullptr);
  COMPOSITIONFORM form{};
  ASSERT_TRUE(ImmGetCompositionWindow(context, &form));
  ImmReleaseContext(Grid(), context);
  const RECT cell = CellRect(1, 2);
  EXPECT_GE(form.ptCurrentPos.x, cell.left);
  EXPECT_LT(form.ptCurrentPos.x, cell.left + 8);
  EXPECT_GE(form.ptCurrentPos.y, cell.top);
  EXPECT_LT(form.ptCurrentPos.y, cell.bottom);
  // The composed characters then start the editor and all land in it.
  Char(Grid(), L'部');
  Char(Grid(), L'品');
  ASSERT_NE(grid->EditorHandle(), nullptr);
  EXPECT_EQ(WindowText(grid->EditorHandle()), L"部品");
}

TEST_F(GridKeyEditTest, WithoutAllowEditingNothingStartsAnEditor) {
  model.AllowEditing = false;
  KeyDown(Grid(), VK_F2);
  KeyDown(Grid(), VK_RETURN);
  Char(Grid(), L'a');
  EXPECT_EQ(grid->EditorHandle(), nullptr);
  EXPECT_TRUE(editStarts.empty());
  EXPECT_EQ(model.Cell(1, 2), "abc");
  EXPECT_FALSE(model.Editing());
}

TEST_F(GridKeyEditTest, LosingFocusAndScrollingCommitTheEdit) {
  model.AllowEditing = true;
  model.SetRowCount(100);
  const HWND other = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 500, 10, 80, 20, host, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
  Char(Grid(), L'1');
  SetFocus(other);
  EXPECT_EQ(model.Cell(1, 2), "1");
  EXPECT_FALSE(model.Editing());
  EXPECT_EQ(GetFocus(), other);   // the commit does not pull the focus back

  LeftClick(CellCentre(1, 3));
  Char(Grid(), L'2');
  SendMessageW(Grid(), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
  EXPECT_EQ(model.Cell(1, 3), "2");
  EXPECT_EQ(grid->EditorHandle(), nullptr);
  EXPECT_EQ(model.TopRow(), 2);

  // A click on another cell ends the edit in the cell that was edited.
  SendMessageW(Grid(), WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
  LeftClick(CellCentre(2, 4));
  Char(Grid(), L'3');
  LeftClick(CellCentre(3, 5));
  EXPECT_EQ(model.Cell(2, 4), "3");
  EXPECT_EQ(model.Cell(3, 5), "");
  DestroyWindow(other);
}

TEST_F(GridKeyEditTest, CodeThatChangesTheEditedCellOrMovesAwayIsFollowed) {
  model.AllowEditing = true;
  // Ctrl+A during editing: the selection grows, the current cell leaves the editor; the typed
  // text stays in the cell it was typed into.
  Char(Grid(), L'n');
  model.OnKeyDown = [this](ui::TKey& key, ui::TShiftState shift) {
    if (key == 'A' && (shift & ui::ssCtrl) != 0) {
      model.SetSelection({0, 1, model.ColCount() - 1, model.RowCount() - 1});
      key = 0;
    }
    if (key == 'V' && (shift & ui::ssCtrl) != 0) {
      model.SetCell(model.Col(), model.Row(), "pasted");
      key = 0;
    }
  };
  CtrlKey(grid->EditorHandle() ? grid->EditorHandle() : Grid(), 'A');
  EXPECT_EQ(model.Cell(1, 2), "n");
  EXPECT_EQ(model.Cell(4, 7), "");
  EXPECT_FALSE(model.Editing());
  EXPECT_EQ(grid->EditorHandle(), nullptr);

  // A paste over the edited cell shows in the editor and survives Enter.
  LeftClick(CellCentre(0, 1));
  KeyDown(Grid(), VK_F2);
  ASSERT_NE(grid->EditorHandle(), nullptr);
  CtrlKey(grid->EditorHandle(), 'V');
  EXPECT_EQ(WindowText(grid->EditorHandle()), L"pasted");
  KeyDown(grid->EditorHandle(), VK_RETURN);
  EXPECT_EQ(model.Cell(0, 1), "pasted");
}

}  // namespace
}  // namespace kav::ui::win32::test
