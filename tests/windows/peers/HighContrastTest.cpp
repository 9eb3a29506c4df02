// With the system's high-contrast mode on, every window draws with the system's colours
// instead of the dark palette, and follows the mode when the user turns it on or off.
#include <windows.h>

#include <gtest/gtest.h>

#include "PeerTestSupport.h"
#include "ui/Button.h"
#include "ui/StringGrid.h"
#include "ui/win32/FormPeer.h"

namespace kav::ui::win32 {
namespace {

using test::PrintedPixel;
using test::Pump;

struct TContrastForm : ui::TForm {
  TContrastForm() : ui::TForm("Form") {
    ClientWidth = 300;
    ClientHeight = 200;
    Check.Bounds = {8, 8, 120, 20};
    Grid.Bounds = {8, 40, 280, 150};
    Add(Check);
    Add(Grid);
  }
  ui::TCheckBox Check{"Check", "罫線内"};
  ui::TStringGrid Grid{"Grid"};
};

TEST(HighContrast, SystemColoursWhileTheModeIsOnAndTheDarkLookWhenItGoesOff) {
  TContrastForm form;
  bool highContrast = true;
  TFormPeerOptions options;
  options.HighContrast = [&] { return highContrast; };
  TFormPeer peer(form, options);
  peer.Show();
  Pump();
  const HWND grid = peer.HandleOf(form.Grid);
  // A data cell away from the current one: the cell colour.
  const int x = 64 + 32, y = 2 * 21 + 10;
  EXPECT_EQ(peer.Theme().Palette().Edit, GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(peer.Theme().Palette().Text, GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(PrintedPixel(grid, x, y), GetSysColor(COLOR_WINDOW));
  EXPECT_FALSE(peer.Theme().Palette().Dark);

  // The user turns the mode off: the system tells every top-level window.
  highContrast = false;
  SendMessageW(peer.Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  Pump();
  EXPECT_EQ(peer.Theme().Palette().Edit, DarkPalette().Edit);
  EXPECT_EQ(PrintedPixel(grid, x, y), DarkPalette().Edit);
  EXPECT_TRUE(peer.Theme().Palette().Dark);

  // And on again.
  highContrast = true;
  SendMessageW(peer.Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  Pump();
  EXPECT_EQ(PrintedPixel(grid, x, y), GetSysColor(COLOR_WINDOW));
}

TEST(HighContrast, OffItIsTheLookTheProgramAskedFor) {
  TContrastForm form;
  TFormPeerOptions options;
  options.HighContrast = [] { return false; };
  TFormPeer peer(form, options);
  EXPECT_EQ(peer.Theme().Palette().Window, DarkPalette().Window);
}

}  // namespace
}  // namespace kav::ui::win32
