// One CAD session per main window: the target connection, the desktop it works with, and the
// main window that steps aside while the user works in the CAD window. Every drawing
// operation takes the session; an operation in progress holds it, so that an operation
// started from the window while another waits for the CAD is turned away.
#pragma once

#include "cadlink/AutomationHost.h"
#include "cadlink/TargetConnection.h"
#include "cadlink/TargetState.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "ui/Form.h"

namespace kav::cad {

// Shown when an operation is started while another one waits for the CAD.
inline constexpr const char* kOperationRunningMessage = "CAD での前の操作がまだ終わっていません";

class TCadSession {
 public:
  TCadSession(IAutomationHost& host, IDesktop& desktop, IMessages& messages, const TTargetState& target,
              ui::TForm& mainWindow)
      : Connection(host, desktop, messages, target), Desktop(desktop), Messages(messages), Target(target),
        mainWindow_(mainWindow) {}

  TTargetConnection Connection;
  IDesktop& Desktop;
  IMessages& Messages;
  const TTargetState& Target;

  void MinimizeMainWindow() { mainWindow_.SetWindowState(ui::TWindowState::Minimized); }
  void RestoreMainWindow() { mainWindow_.SetWindowState(ui::TWindowState::Normal); }


 private:
  friend class TOperationScope;
  ui::TForm& mainWindow_;
  bool operationRunning_ = false;
};

// The run of one drawing operation. It marks the session busy for its lifetime and, however
// the operation ends (also by an error that the user is shown), puts the main window back in
// its normal state: a tool left minimised behind an error message is easy to lose.
class TOperationScope {
 public:
  explicit TOperationScope(TCadSession& session);
  ~TOperationScope();
  TOperationScope(const TOperationScope&) = delete;
  TOperationScope& operator=(const TOperationScope&) = delete;

  // False when another operation of the session was already running (it waits for the CAD
  // and lets the window run events): this one must not start, and the user is told so.
  bool Started() const { return started_; }

 private:
  TCadSession& session_;
  bool started_;
};

}  // namespace kav::cad
