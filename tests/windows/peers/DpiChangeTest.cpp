// A window moved to a screen of another DPI: Windows sends WM_DPICHANGED with the new place,
// and every control follows at the new scale (places, anchors, fonts, the grid and its cell
// editor, a page whose windows are made later), and back again.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "PeerTestSupport.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/PageControl.h"
#include "ui/StringGrid.h"
#include "ui/win32/FormPeer.h"

namespace kav::ui::win32 {
namespace {

using test::ClientSizeOf;
using test::RectInParent;

struct TDpiForm : ui::TForm {
  TDpiForm() : ui::TForm("DpiForm") {
    ClientWidth = 400;
    ClientHeight = 300;
    Pages.Bounds = {0, 0, 400, 300};
    Pages.Anchors = ui::akLeft | ui::akTop | ui::akRight | ui::akBottom;
    Add(Pages);
    Pages.AddPage(Work);
    Pages.AddPage(Later);
    Button.Bounds = {8, 8, 80, 25};
    Line.Bounds = {96, 8, 200, 23};
    Line.Anchors = ui::akLeft | ui::akTop | ui::akRight;
    Tags.Bounds = {8, 40, 160, 23};
    Grid.Bounds = {8, 70, 300, 150};
    Grid.Anchors = ui::akLeft | ui::akTop | ui::akRight | ui::akBottom;
    Grid.AllowEditing = true;
    Corner.Bounds = {300, 230, 80, 25};
    Corner.Anchors = ui::akRight | ui::akBottom;
    Work.Add(Button);
    Work.Add(Line);
    Work.Add(Tags);
    Work.Add(Grid);
    Work.Add(Corner);
    Right.Bounds = {300, 8, 80, 25};
    Right.Anchors = ui::akRight | ui::akTop;
    Later.Add(Right);
    Pages.SetActivePageIndex(0);
  }
  ui::TPageControl Pages{"Pages"};
  ui::TTabSheet Work{"Work", "作業エリア"}, Later{"Later", "設定"};
  ui::TButton Button{"Button", "取得"};
  ui::TEdit Line{"Line"};
  ui::TComboBox Tags{"Tags", ui::TComboStyle::DropDown};
  ui::TStringGrid Grid{"Grid"};
  ui::TButton Corner{"Corner", "変更"};
  ui::TButton Right{"Right", "右"};
};

LONG FontHeightOf(HWND window) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

// What Windows sends when the window goes to a screen of `dpi`: the same client size in
// design pixels, at the place the window has.
void MoveToScreenOf(TFormPeer& peer, int dpi, const ui::TForm& form) {
  HWND window = peer.Handle();
  RECT frame{0, 0, MulDiv(form.ClientWidth, dpi, 96), MulDiv(form.ClientHeight, dpi, 96)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
  RECT now{};
  GetWindowRect(window, &now);
  RECT suggested{now.left, now.top, now.left + frame.right - frame.left, now.top + frame.bottom - frame.top};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

void ExpectNear(const RECT& actual, const RECT& expected) {
  EXPECT_LE(std::abs(actual.left - expected.left), 1) << actual.left << " " << expected.left;
  EXPECT_LE(std::abs(actual.top - expected.top), 1) << actual.top << " " << expected.top;
  EXPECT_LE(std::abs(actual.right - expected.right), 1) << actual.right << " " << expected.right;
  EXPECT_LE(std::abs(actual.bottom - expected.bottom), 1) << actual.bottom << " " << expected.bottom;
}

RECT Scaled(const RECT& r, int dpi) {
  return RECT{MulDiv(r.left, dpi, 96), MulDiv(r.top, dpi, 96), MulDiv(r.right, dpi, 96), MulDiv(r.bottom, dpi, 96)};
}

TEST(DpiChange, EveryControlFollowsTheWindowToAScreenOfAnotherDpiAndBack) {
  TDpiForm form;
  TFormPeerOptions options;
  options.Dpi = 96;
  TFormPeer peer(form, options);
  peer.Show();
  test::Pump();
  const HWND button = peer.HandleOf(form.Button), line = peer.HandleOf(form.Line), tags = peer.HandleOf(form.Tags),
             grid = peer.HandleOf(form.Grid), corner = peer.HandleOf(form.Corner), work = peer.HandleOf(form.Work);
  const RECT button96 = RectInParent(button), line96 = RectInParent(line), grid96 = RectInParent(grid),
             corner96 = RectInParent(corner), work96 = RectInParent(work);
  const LONG lineFont96 = FontHeightOf(line);
  // A cell is being edited while the window moves.
  SendMessageW(grid, WM_KEYDOWN, VK_F2, 0);
  const HWND editor = GetFocus();
  ASSERT_TRUE(IsChild(grid, editor));
  const LONG editorFont96 = FontHeightOf(editor);
  const RECT editor96 = RectInParent(editor);

  MoveToScreenOf(peer, 144, form);
  test::Pump();
  EXPECT_EQ(peer.Theme().Dpi(), 144);
  EXPECT_EQ(ClientSizeOf(peer.Handle()).cx, 600);
  EXPECT_EQ(ClientSizeOf(peer.Handle()).cy, 450);
  // Places: the designed ones at the new scale, the anchored ones too.
  ExpectNear(RectInParent(button), Scaled(button96, 144));
  ExpectNear(RectInParent(line), Scaled(line96, 144));
  // Anchored to the bottom: the gap to the sheet's bottom is scaled (the sheet lies below a tab
  // strip of the new font's height, so it is not exactly one and a half times as tall).
  const int sheet96 = work96.bottom - work96.top, sheet144 = ClientSizeOf(work).cy;
  const auto bottomAt144 = [&](const RECT& r96) { return sheet144 - MulDiv(sheet96 - r96.bottom, 144, 96); };
  RECT gridAt144 = Scaled(grid96, 144);   // anchored on all sides: it stretches
  gridAt144.bottom = bottomAt144(grid96);
  RECT cornerAt144 = Scaled(corner96, 144);   // anchored right and bottom: it keeps its height
  cornerAt144.bottom = bottomAt144(corner96);
  cornerAt144.top = cornerAt144.bottom - MulDiv(corner96.bottom - corner96.top, 144, 96);
  ExpectNear(RectInParent(grid), gridAt144);
  ExpectNear(RectInParent(corner), cornerAt144);
  // The sheet below a tab strip in the larger font: it is taller by that font, not scaled.
  EXPECT_GT(RectInParent(work).top, work96.top);
  EXPECT_EQ(RectInParent(work).bottom, ClientSizeOf(peer.HandleOf(form.Pages)).cy);
  // Fonts of the new scale, in the edit boxes and in the drop-down box's edit box as well.
  EXPECT_EQ(FontHeightOf(line), MulDiv(lineFont96, 144, 96));
  EXPECT_EQ(FontHeightOf(GetWindow(tags, GW_CHILD)), MulDiv(lineFont96, 144, 96));
  // The cell editor stays open over its cell, in the grid's new font.
  ASSERT_TRUE(IsWindow(editor));
  EXPECT_TRUE(IsWindowVisible(editor));
  EXPECT_EQ(FontHeightOf(editor), MulDiv(editorFont96, 144, 96));
  EXPECT_GT(RectInParent(editor).bottom - RectInParent(editor).top, editor96.bottom - editor96.top);

  // A page shown for the first time after the move is made at the new scale.
  form.Pages.SetActivePageIndex(1);
  const HWND right = peer.HandleOf(form.Right);
  const SIZE later = ClientSizeOf(peer.HandleOf(form.Later));
  EXPECT_EQ(later.cx, 600);
  EXPECT_NEAR(RectInParent(right).right, later.cx - MulDiv(400 - 380, 144, 96), 1);   // anchored right
  EXPECT_EQ(RectInParent(right).right - RectInParent(right).left, MulDiv(80, 144, 96));
  EXPECT_EQ(RectInParent(right).top, MulDiv(8, 144, 96));

  // And back: everything where it was.
  form.Pages.SetActivePageIndex(0);
  MoveToScreenOf(peer, 96, form);
  test::Pump();
  EXPECT_EQ(ClientSizeOf(peer.Handle()).cx, 400);
  ExpectNear(RectInParent(button), button96);
  ExpectNear(RectInParent(line), line96);
  ExpectNear(RectInParent(grid), grid96);
  ExpectNear(RectInParent(corner), corner96);
  ExpectNear(RectInParent(work), work96);
  EXPECT_EQ(FontHeightOf(line), lineFont96);
  EXPECT_EQ(FontHeightOf(editor), editorFont96);
}

}  // namespace
}  // namespace kav::ui::win32
