// Popup menus: the native menu mirrors the model (separators, owner-drawn entries), and the
// chosen entry runs through the form's Dispatch.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/Menu.h"
#include "ui/win32/PopupMenu.h"

namespace kav::ui::win32 {
namespace {

struct TMenuFixture {
  TMenuFixture() {
    Menu.Add(Sort);
    Menu.Add(Line);
    Menu.Add(Remove);
    Menu.Add(Undo);
    form.OnError = [this](const std::string& text) { Errors.push_back(text); };
  }
  ui::TPopupMenu Menu{"PopupMenu2"};
  ui::TMenuItem Sort{"N7", "ソート"}, Line{"N11", "-"}, Remove{"N10", "重複データを削除"}, Undo{"N9", "取り消し"};
  ui::TForm form{"Form"};
  std::vector<std::string> Errors;
};

TEST(PopupMenu, NativeMenuHasOneOwnerDrawnEntryPerItemAndSeparators) {
  TMenuFixture f;
  TTheme theme(DarkPalette(), 96);
  TMenuHandle menu = BuildPopupMenu(f.Menu, theme);
  ASSERT_TRUE(menu);
  ASSERT_EQ(GetMenuItemCount(menu.Get()), 4);
  for (int i = 0; i < 4; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoW(menu.Get(), static_cast<UINT>(i), TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, i == 1);
    EXPECT_EQ(info.wID, static_cast<UINT>(i + 1));
    EXPECT_EQ(reinterpret_cast<const ui::TMenuItem*>(info.dwItemData), f.Menu.Items()[static_cast<std::size_t>(i)]);
  }
}

TEST(PopupMenu, ChosenEntryRunsItsHandlerAndOthersOnlyClose) {
  TMenuFixture f;
  int sorted = 0, removed = 0;
  f.Sort.OnClick = [&] { ++sorted; };
  f.Remove.OnClick = [&] { ++removed; };
  RunMenuCommand(f.Menu, 1, f.form);
  RunMenuCommand(f.Menu, 3, f.form);
  EXPECT_EQ(sorted, 1);
  EXPECT_EQ(removed, 1);
  // Cancelled (0), the separator, an entry without a handler, an id past the end: nothing.
  RunMenuCommand(f.Menu, 0, f.form);
  RunMenuCommand(f.Menu, 2, f.form);
  RunMenuCommand(f.Menu, 4, f.form);
  RunMenuCommand(f.Menu, 99, f.form);
  EXPECT_EQ(sorted, 1);
  EXPECT_EQ(removed, 1);
  EXPECT_TRUE(f.Errors.empty());
}

TEST(PopupMenu, ErrorOfAnEntryIsShownThroughTheForm) {
  TMenuFixture f;
  f.Sort.OnClick = [] { throw std::runtime_error("並べ替えできません"); };
  RunMenuCommand(f.Menu, 1, f.form);
  ASSERT_EQ(f.Errors.size(), 1u);
  EXPECT_EQ(f.Errors[0], "並べ替えできません");
}

}  // namespace
}  // namespace kav::ui::win32
