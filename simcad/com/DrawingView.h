// The simulated CAD's window: the drawing with the command line strip under it. It shows
// the drawing fitted on open, zooms with the wheel about the pointer, pans with the middle
// button, undoes with Ctrl+Z, opens and saves DXF files from its File menu, and answers picks
// from the mouse: while a pick waits, the COM call that asked stays inside Ask, which runs the
// window's messages (and further incoming calls) until the user answers. Its handle is the
// application's HWND.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "cadlink/Automation.h"
#include "platform/Dialogs.h"
#include "simcad/SimCad.h"
#include "simcad/SimInteraction.h"
#include "simcad/SimView.h"
#include "simcad/com/CommandLineStrip.h"
#include "simcad/com/DrawingFile.h"
#include "simcad/com/DrawingPaint.h"
#include "platform/win32/Handles.h"
#include "ui/win32/Window.h"

namespace kav::sim::com {

// What the File menu works with; each must outlive the window. Without files the window has
// no File menu; without messages a file that cannot be opened is not shown (a hidden window).
struct TFileMenuServices {
  const TDrawingFiles* Files = nullptr;
  IMessages* Messages = nullptr;
  IFileDialogs* Dialogs = nullptr;
};

class TDrawingView final : public ui::win32::TWindowBase, public IInteractiveAnswers {
 public:
  // Creates the window over `state`, which must outlive it. A hidden window answers no
  // picks: an empty queue then cancels at once, as the tests that script everything expect.
  TDrawingView(TSimState& state, bool hidden, TFileMenuServices files = {});
  ~TDrawingView() override;

  // What ファイル > 開く... and 名前を付けて保存... do with the path the dialog gave: the drawing
  // of the file in place of this one, fitted into the window and named in the title; a file
  // that cannot be opened is shown in a message box and the drawing stays. True when done.
  bool OpenFile(const std::string& path);
  bool SaveFile(const std::string& path);

  // After every automation call: repaint when something changed, keep the title, and show a
  // drawing opened in place of another whole.
  void Refresh();
  // The window's own test members ("SimScreenPoint", "SimFitView"); false for any other.
  bool HandleViewMember(const std::string& upperName, std::span<cad::TArg> args, cad::Variant& result);

  std::optional<TAnswer> Ask(const TPickRequest& request) override;
  void PasteStarted() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  ui::TForm* ErrorForm() const override { return nullptr; }

 private:
  RECT DrawingArea() const;
  RECT StripArea() const;
  void Paint(HDC dc);
  void FitView();
  void ViewChanged();
  void UpdateTitle();
  void OpenFromMenu();
  void SaveFromMenu();
  std::string Status() const;
  TPoint PointerAt(LPARAM lParam) const;
  double Tolerance() const;
  // Input (DrawingInput.cpp).
  bool HandleInput(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void Close();

  TSimState& state_;
  TFileMenuServices files_;
  std::uint64_t fittedDrawing_ = 0;   // the state's DrawingsOpened when the view was last fitted
  TViewport view_;
  TInteraction interaction_;
  TDrawingPainter painter_;
  TCommandLineStrip strip_;
  // The drawing rendered once per change; mouse moves only draw the overlay over it.
  kav::TBitmapHandle scene_;
  SIZE sceneSize_{};
  std::uint64_t sceneRevision_ = 0;
  bool sceneValid_ = false;
  std::uint64_t shownRevision_ = 0;
  std::string title_;
  bool hidden_ = false;
  bool pointerInside_ = false;
  bool closeAfterPick_ = false;
  POINT pressAt_{};
  bool pressed_ = false;
  bool panning_ = false;
  POINT panFrom_{};
};

}  // namespace kav::sim::com
