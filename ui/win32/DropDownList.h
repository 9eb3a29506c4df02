// The open list of a drop-down box: a popup window under (or over) the closed box, made the
// first time the box opens, so that a start-up pays for no popup window. It draws the items in
// rows in the palette, marks the row under the mouse or the keys, and tells its box which row
// a click chose; the keys reach it through its box, which keeps the focus while it is open.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/win32/WheelNotches.h"
#include "ui/win32/Theme.h"
#include "ui/win32/Window.h"

namespace kav::ui::win32 {

class TDropDownList final : public TWindowBase {
 public:
  TDropDownList(TTheme& theme, ui::TForm& errorForm) : theme_(theme), errorForm_(errorForm) {}

  struct TOpening {
    HWND Owner;                        // the top-level window of the box
    RECT Box;                          // the closed box, in screen coordinates
    std::vector<std::wstring> Items;
    int Rows;                          // rows in sight at most
    int RowHeight;
    HFONT Font;
    int Marked;                        // the row marked at first (-1: none)
    bool ButtonHeld;                   // opened by a press that is still held
  };
  void Open(TOpening opening);
  // Closes without choosing anything.
  void Close();
  bool IsOpen() const { return open_; }

  int Marked() const { return marked_; }
  // Marks the row of `index` and scrolls it into sight.
  void Mark(int index);
  int RowsInSight() const { return rows_; }
  // Scrolls by wheel notches (positive: towards the top).
  void Wheel(int delta);
  // Where the row of `index` shows on the screen (empty while closed or out of sight).
  RECT RowScreenRect(int index) const;
  // The rectangle the list takes on the screen while open.
  RECT ScreenRect() const;

  // The user chose the row of `index` with the mouse; the list is still open.
  std::function<void(int index)> OnChoose;
  // The list closed by itself: a click outside it, or another window took the mouse.
  std::function<void()> OnClosedByUser;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  ui::TForm* ErrorForm() const override { return &errorForm_; }

 private:
  int RowAt(POINT client) const;   // -1 outside the rows
  void SetTop(int top);
  void UpdateScrollBar();
  void Paint(HDC dc);
  void CloseByUser();
  void LeftDown(POINT client);
  void LeftUp(POINT client);
  void MouseMove(POINT client);
  void ScrollBarPressed(LPARAM screenPoint);
  void ScrollBy(int code);

  TTheme& theme_;
  ui::TForm& errorForm_;
  std::vector<std::wstring> items_;
  HFONT font_ = nullptr;
  int rowHeight_ = 16;
  int rows_ = 1;
  int top_ = 0;
  int marked_ = -1;
  TWheelNotches wheel_;
  bool open_ = false;
  bool buttonHeld_ = false;    // the press that opened the list, or one inside it, is held
  bool pressedInside_ = false;
  bool scrolling_ = false;     // the scroll bar has the mouse for a moment
};

}  // namespace kav::ui::win32
