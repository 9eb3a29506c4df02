// Finding the target CAD and leaving it in a clean state around a drawing operation: the
// running check with its message, bringing its window forward, Escape only into its own
// window, the cancel character, and asking whether a command is running.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cadlink/Automation.h"
#include "cadlink/AutomationHost.h"
#include "cadlink/TargetState.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"

namespace kav::cad {

enum class TTargetKind { Acad, Gcad, Zwcad };

// Recognised from the upper-cased ProgID: "GCAD" first, then "ZWCAD", else the Acad kind.
TTargetKind TargetKindOf(std::string_view progId);
// The state-object methods IsTargetBusy asks, in the order it tries them.
std::vector<std::string> StateMethodsFor(std::string_view progId);
// The GCAD kind's version: the number of the ProgID's last two characters, 20 when they are
// not a number.
int GcadVersionOf(std::string_view progId);
// Code 3 when the upper-cased ProgID contains "AUTO", otherwise 27 (Escape).
char CancelCharacterFor(std::string_view progId);

inline constexpr unsigned char kVirtualKeyEscape = 27;
inline constexpr unsigned kKeyEventKeyUp = 2;

// The message shown when the ProgID names no registered class.
std::string InvalidProgIdMessage(std::string_view progId);

class TTargetConnection {
 public:
  TTargetConnection(IAutomationHost& host, IDesktop& desktop, IMessages& messages, const TTargetState& target)
      : host_(host), desktop_(desktop), messages_(messages), target_(target) {}

  // True when the CAD of TargetProgID is running. An unregistered or empty ProgID shows
  // the invalid-ProgID message; a registered CAD that is not running gives false silently.
  bool IsTargetRunning();
  // The CAD's application object (errors are the operation's).
  ObjectRef GetTargetApplication();

  // Restores the CAD window if it is minimised and makes it the foreground window.
  void ActivateTargetWindow(IAutomationObject& application);
  void ActivateTargetWindow(WindowId window);
  // Escape down, 5 ms, Escape up, the settle pause: only when the CAD window is in front.
  void PressEscapeInTarget(IAutomationObject& application, unsigned settleMs);
  void PressEscapeInTarget(WindowId window, unsigned settleMs);
  // Sends the kind's cancel character to the CAD's command line.
  void SendCancelToTarget(IAutomationObject& document);
  // True while the CAD reports that a command runs; false when no state can be read.
  bool IsTargetBusy(IAutomationObject& application);

  // The application's main window, read afresh on every call.
  static WindowId TargetWindow(IAutomationObject& application);

 private:
  IAutomationHost& host_;
  IDesktop& desktop_;
  IMessages& messages_;
  const TTargetState& target_;
};

}  // namespace kav::cad
