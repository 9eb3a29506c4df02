// Edit boxes: typing reaches the model's change and key events, model texts reach the window,
// number boxes, read-only boxes, inverse colours, fonts and the painted placeholder.
#include <gtest/gtest.h>
#include <windows.h>
#include <imm.h>

#include <algorithm>
#include <vector>

#include "PeerTestSupport.h"
#include "platform/Text.h"
#include "ui/Edit.h"
#include "ui/win32/FormPeer.h"
#include "platform/win32/Handles.h"

namespace kav::ui::win32 {
namespace {

using test::HasStyle;

struct TEditForm : ui::TForm {
  TEditForm() : ui::TForm("EditForm") {
    ClientWidth = 400;
    ClientHeight = 200;
    Plain.Bounds = {8, 8, 200, 21};
    Number.Bounds = {8, 40, 80, 21};
    Number.NumberBox = true;
    Number.SetText("2.5");
    Derived.Bounds = {100, 40, 80, 21};
    Derived.ReadOnly = true;
    Dark.Bounds = {8, 72, 300, 24};
    Dark.Inverse = true;
    Dark.Placeholder = "CAD へ流し込む文字";
    Dark.Font = ui::TFont{"ＭＳ ゴシック", 15, true};
    Bare.Bounds = {8, 110, 300, 24};
    Bare.Inverse = true;
    Add(Plain);
    Add(Number);
    Add(Derived);
    Add(Dark);
    Add(Bare);
  }
  ui::TEdit Plain{"Plain"}, Number{"Number"}, Derived{"Derived"}, Dark{"Dark"}, Bare{"Bare"};
};

TEST(EditPeer, UserTextReachesTheModelOnceAndModelTextReachesTheWindow) {
  TEditForm form;
  int changes = 0;
  form.Plain.OnChange = [&] { ++changes; };
  TFormPeer peer(form);
  HWND edit = peer.HandleOf(form.Plain);

  // WM_SETTEXT makes the edit box send EN_CHANGE to its parent, as typing does.
  SetWindowTextW(edit, L"部品 A");
  test::Pump();
  EXPECT_EQ(form.Plain.Text(), "部品 A");
  EXPECT_EQ(changes, 1);

  form.Plain.SetText("ねじ M6");
  test::Pump();
  EXPECT_EQ(test::TextOf(edit), "ねじ M6");
  EXPECT_EQ(changes, 2);   // the model's own change only; the window does not echo it

  form.Plain.SetText("ねじ M6");
  EXPECT_EQ(changes, 2);
}

TEST(EditPeer, KeyPressHandlerCanSwallowCharactersIncludingSurrogatePairs) {
  TEditForm form;
  std::vector<char32_t> seen;
  form.Plain.OnKeyPress = [&](char32_t& key) {
    seen.push_back(key);
    if (key == U'x') key = 0;
  };
  TFormPeer peer(form);
  HWND edit = peer.HandleOf(form.Plain);

  SendMessageW(edit, WM_CHAR, L'x', 0);
  EXPECT_EQ(form.Plain.Text(), "");
  SendMessageW(edit, WM_CHAR, L'y', 0);
  EXPECT_EQ(form.Plain.Text(), "y");
  // U+20BB7 arrives as two WM_CHARs; the handler sees one character.
  SendMessageW(edit, WM_CHAR, 0xD842, 0);
  SendMessageW(edit, WM_CHAR, 0xDFB7, 0);
  test::Pump();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[2], U'\U00020BB7');
  EXPECT_EQ(form.Plain.Text(), "y\xF0\xA0\xAE\xB7");
}

// A key press as the message loop sees it, handed to the dialog manager first.
void PressThroughDialogManager(HWND form, HWND focus, WPARAM key) {
  SetFocus(focus);
  const LPARAM flags = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC)) << 16 | 1;
  MSG msg{focus, WM_KEYDOWN, key, flags, 0, {}};
  if (!IsDialogMessageW(form, &msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  MSG next{};
  while (PeekMessageW(&next, nullptr, 0, 0, PM_REMOVE)) {
    if (IsDialogMessageW(form, &next)) continue;
    TranslateMessage(&next);
    DispatchMessageW(&next);
  }
}

TEST(EditPeer, EnterReachesTheKeyHandlerPastTheDialogManagerAndTabStillMoves) {
  TEditForm form;
  std::vector<char32_t> seen;
  form.Plain.OnKeyPress = [&](char32_t& key) { seen.push_back(key); };
  TFormPeer peer(form);
  peer.Show();
  HWND plain = peer.HandleOf(form.Plain);
  PressThroughDialogManager(peer.Handle(), plain, VK_RETURN);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], U'\r');
  EXPECT_EQ(form.Plain.Text(), "");
  PressThroughDialogManager(peer.Handle(), plain, VK_TAB);
  EXPECT_EQ(GetFocus(), peer.HandleOf(form.Number));
  EXPECT_EQ(seen.size(), 1u);
}

TEST(EditPeer, NumberAndReadOnlyBoxesGetTheirStylesAndNoInputMethod) {
  TEditForm form;
  TFormPeer peer(form);
  HWND number = peer.HandleOf(form.Number), derived = peer.HandleOf(form.Derived), plain = peer.HandleOf(form.Plain);
  EXPECT_EQ(test::TextOf(number), "2.5");
  EXPECT_TRUE(HasStyle(number, ES_RIGHT));
  EXPECT_FALSE(HasStyle(plain, ES_RIGHT));
  EXPECT_EQ(ImmGetContext(number), nullptr);
  EXPECT_TRUE(HasStyle(derived, ES_READONLY));
  EXPECT_FALSE(HasStyle(derived, WS_TABSTOP));
  EXPECT_TRUE(HasStyle(number, WS_TABSTOP));

  // Tab goes from the number box past the read-only box to the next one.
  EXPECT_EQ(GetNextDlgTabItem(peer.Handle(), number, FALSE), peer.HandleOf(form.Dark));
}

TEST(EditPeer, InverseBoxIsWhiteOnBlackInTheModelsFont) {
  TEditForm form;
  TFormPeer peer(form);
  HWND dark = peer.HandleOf(form.Dark), plain = peer.HandleOf(form.Plain);
  HDC dc = GetDC(dark);
  const auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(dark), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dark)));
  EXPECT_EQ(brush, peer.Theme().InverseBrush());
  EXPECT_EQ(GetTextColor(dc), RGB(0xFF, 0xFF, 0xFF));
  const auto plainBrush = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(plain), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(plain)));
  EXPECT_EQ(plainBrush, peer.Theme().EditBrush());
  ReleaseDC(dark, dc);

  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dark, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(WideToUtf8(font.lfFaceName), "ＭＳ ゴシック");
  EXPECT_EQ(font.lfWeight, FW_BOLD);
  EXPECT_EQ(font.lfHeight, -peer.Theme().Scale(15));
}

// The pixels of a window's client area as it paints itself for WM_PRINTCLIENT.
std::vector<COLORREF> PrintClient(HWND window) {
  const SIZE size = test::ClientSizeOf(window);
  TWindowDc screen(window);
  TMemoryDc dc(CreateCompatibleDC(screen.Get()));
  TBitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), size.cx, size.cy));
  TSelectObject use(dc.Get(), bitmap.Get());
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT | PRF_ERASEBKGND);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x) pixels.push_back(GetPixel(dc.Get(), x, y));
  return pixels;
}

TEST(EditPeer, EmptyBoxPaintsItsPlaceholderInGreyAndATypedTextHidesIt) {
  TEditForm form;
  TFormPeer peer(form);
  const TPalette& palette = peer.Theme().Palette();
  HWND dark = peer.HandleOf(form.Dark), bare = peer.HandleOf(form.Bare);

  auto inked = [&](const std::vector<COLORREF>& pixels) {
    return std::count_if(pixels.begin(), pixels.end(), [&](COLORREF c) { return c != palette.InverseEdit; });
  };
  auto brightest = [](const std::vector<COLORREF>& pixels) {
    int most = 0;
    for (COLORREF c : pixels) most = std::max({most, int(GetRValue(c)), int(GetGValue(c)), int(GetBValue(c))});
    return most;
  };

  const auto withPlaceholder = PrintClient(dark);
  EXPECT_GT(inked(withPlaceholder), 20);
  // Grey, never brighter than the placeholder colour (the typed text is white).
  EXPECT_LE(brightest(withPlaceholder), GetRValue(palette.Placeholder) + 8);
  EXPECT_EQ(inked(PrintClient(bare)), 0);   // same box without a placeholder: nothing drawn

  form.Dark.SetText("ABC");
  const auto withText = PrintClient(dark);
  EXPECT_GT(brightest(withText), GetRValue(palette.Placeholder) + 8);
}

}  // namespace
}  // namespace kav::ui::win32
