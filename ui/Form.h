// The form model: caption, outer position and size, topmost, minimised or normal, and the
// place where exceptions from user events are caught and shown.
#pragma once

#include <functional>
#include <string>

#include "ui/Control.h"

namespace kav::ui {

enum class TWindowState { Normal, Minimized };

// Where a form's window opens: at its Left and Top, in the middle of the screen, or in the
// middle of the window that owns it.
enum class TFormPosition { Designed, ScreenCenter, OwnerCenter };

// How a modal dialog ended; buttons carry one (TButton::ModalResult) to end it.
inline constexpr int mrNone = 0, mrOk = 1, mrCancel = 2;

// The text to show for the exception being handled (call inside a catch block): its what(),
// or a general message for a type that carries no text.
std::string CurrentErrorText();

class TForm : public TContainer {
 public:
  explicit TForm(std::string name) : TContainer(TControlKind::Form, std::move(name)) {}

  const std::string& GetCaption() const { return Caption; }
  void SetCaption(std::string caption);

  int Left() const { return Bounds.Left; }
  int Top() const { return Bounds.Top; }
  int Width() const { return Bounds.Width; }
  int Height() const { return Bounds.Height; }
  void SetLeft(int left);
  void SetTop(int top);
  int ClientWidth = 0, ClientHeight = 0;
  // False for a dialog frame the user cannot resize (and without a minimise button).
  bool Sizeable = true;
  TFormPosition Position = TFormPosition::Designed;
  // Set while the form is shown modally; anything but mrNone ends the modal loop.
  int ModalResult = mrNone;

  bool Topmost() const { return topmost_; }
  void SetTopmost(bool topmost);
  TWindowState WindowState() const { return state_; }
  void SetWindowState(TWindowState state);

  // Files dragged from the file manager are taken while this is set.
  bool AcceptFiles() const { return acceptFiles_; }
  void SetAcceptFiles(bool accept);
  // The first file of a drop (full path); the peer releases the drop afterwards.
  std::function<void(const std::string& path)> OnDropFile;
  void UserDropFile(const std::string& path);

  // Shows an error that escaped a user event (a message box in the program).
  std::function<void(const std::string&)> OnError;

  // Runs `event`; an exception of any type that escapes it is shown through OnError and the
  // program goes on. Without an OnError the exception goes on to the caller (the window
  // procedure, which shows it in a message box).
  void Dispatch(const std::function<void()>& event);

 private:
  bool topmost_ = false;
  bool acceptFiles_ = false;
  TWindowState state_ = TWindowState::Normal;
};

}  // namespace kav::ui
