// The string grid window: paints a TStringGrid model (only its visible cells) and turns mouse,
// wheel, scroll bar and key messages into the model's user input; edits a cell in place.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "ui/StringGrid.h"
#include "platform/win32/Handles.h"
#include "ui/win32/WheelNotches.h"
#include "ui/win32/Accessible.h"
#include "ui/win32/GridFont.h"
#include "ui/win32/Palette.h"
#include "ui/win32/Peer.h"
#include "ui/win32/Window.h"

namespace kav::ui::win32 {

class TGridControl : public TPeer, public TWindowBase {
  struct TToken {};   // only Create makes grids, so the window always has its object

 public:
  // The window is placed at the model's Bounds (96-DPI units) scaled to `dpi`. The model must
  // outlive the control; the control takes over the model's OnModelChange and TextWidth
  // (and gives them back on destruction unless another control has taken them since).
  static std::unique_ptr<TGridControl> Create(HWND parent, ui::TStringGrid& model,
                                              const TPalette& palette, int dpi);
  TGridControl(TToken, ui::TStringGrid& model, const TPalette& palette, int dpi);
  ~TGridControl() override;

  HWND Handle() const override;
  // Draws from now on with `palette` (the high-contrast mode was turned on or off).
  void SetPalette(const TPalette& palette);
  // Draws from now on at `dpi` (the window went to a screen of another DPI); the model's
  // sizes are in 96-DPI units and stay as they are. A cell being edited goes on being edited.
  void SetDpi(int dpi);
  std::function<void(POINT screenPoint)> OnContextMenu;   // after a right click

  // Draws the client rectangle `rect` into `dc`: window painting, WM_PRINTCLIENT and the
  // paint benchmark share it.
  void PaintContent(HDC dc, const RECT& rect) const;
  // The in-place editor while a cell is being edited, otherwise null.
  HWND EditorHandle() const;

 private:
  enum class TMouseMode { None, Press, Select, Resize, HeaderPress, ColumnDrag };
  static constexpr UINT_PTR kAutoScrollTimer = 1;
  struct TModelLink;
  struct TMeasureLink;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void WindowGone() override;
  ui::TForm* ErrorForm() const override { return model_.Form(); }

 private:
  LRESULT HandleEditorMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // --- Model pixels (96 DPI) and window pixels
  int Scale(int modelPixels) const { return MulDiv(modelPixels, dpi_, 96); }
  int Unscale(int windowPixels) const { return MulDiv(windowPixels, 96, dpi_); }
  RECT WindowCellRect(int col, int row) const;   // empty when the cell is not visible
  HFONT Font() const;
  void PlaceTextInRows();   // the text's top inside a row, for the row height and the font
  int MeasureText(std::string_view text) const;   // in model pixels

  // --- Model to view
  void ModelChanged(ui::TAspect aspect);
  TAccessibleParts DescribeGrid();
  // Tells screen readers when the current cell moved.
  void AnnounceCurrentCell();
  void Paint();
  void UpdateClientSize();
  // Sets the bars' ranges and positions; after a change of size or layout `pullBack` first
  // scrolls back so that no more empty space than needed shows below or right of the cells.
  void UpdateScrollBars(bool pullBack = false);
  int MaxTopRow() const;
  int MaxLeftCol() const;

  // --- Scrolling
  void Scroll(int bar, int code);
  void ScrollTo(int topRow, int leftCol);
  void Wheel(int delta, bool horizontal);

  // --- Mouse
  void LeftDown(int x, int y, bool doubleClick);
  void MouseMove(int x, int y);
  void LeftUp(int x, int y);
  void RightDown(int x, int y);
  void ContextMenu(LPARAM lParam);
  bool SetCursorFor(int x, int y) const;
  void EndMouseMode();
  int DropColumnAt(int x) const;
  void AutoScroll();   // a selection dragged past the edge of the cells goes on scrolling
  POINT FullCellPoint(POINT p) const;   // the nearest point on a fully shown data cell
  void DrawDropMark(HDC dc) const;

  // --- Keys and in-place editing
  static ui::TShiftState CurrentShift();   // Shift, Ctrl and Alt as they are now
  void KeyDown(WPARAM key);
  void Char(WPARAM ch);
  void PlaceComposition();   // an input method composing on the grid shows over the current cell
  bool StartEditing(bool replaceText);
  void CommitEditing();
  void CancelEditing();
  void CloseEditor();
  void PlaceEditor();
  std::string EditorText() const;
  void FollowModelWhileEditing(ui::TAspect aspect);

  ui::TStringGrid& model_;
  TPalette palette_;
  int dpi_;
  HWND editor_ = nullptr;   // child of the grid window, destroyed with it
  TSubclass editorSubclass_;
  std::unique_ptr<TGridFont> font_;
  TBrushHandle editorBrush_;
  int textTop_ = 2;             // window pixels from a cell's top to its text
  bool updatingScrollBars_ = false;

  TMouseMode mouseMode_ = TMouseMode::None;
  int dragCol_ = -1;            // the column being resized or moved
  int dragStartX_ = 0;          // model pixels
  int dragStartWidth_ = 0;
  int dropCol_ = -1;
  TWheelNotches wheel_;
  POINT lastMouse_{};           // window pixels of the last move while the button is held
  bool autoScrolling_ = false;

  TAccessibility accessible_;   // the current cell's text and place for screen readers
  int announcedCol_ = -1, announcedRow_ = -1;

  bool editing_ = false;
  int editCol_ = -1, editRow_ = -1;
  std::string editCellText_;    // the cell's text when editing began, to see changes by code
};

}  // namespace kav::ui::win32
