#include "cadlink/TargetConnection.h"

#include <cstdint>

#include "platform/Text.h"

namespace kav::cad {

TTargetKind TargetKindOf(std::string_view progId) {
  const std::string upper = UpperAscii(progId);
  if (upper.find("GCAD") != std::string::npos) return TTargetKind::Gcad;
  if (upper.find("ZWCAD") != std::string::npos) return TTargetKind::Zwcad;
  return TTargetKind::Acad;
}

int GcadVersionOf(std::string_view progId) {
  constexpr int kFallback = 20;
  if (progId.size() < 2) return kFallback;
  const char a = progId[progId.size() - 2], b = progId[progId.size() - 1];
  if (b < '0' || b > '9') return kFallback;
  if (a >= '0' && a <= '9') return (a - '0') * 10 + (b - '0');
  // A sign or a blank before one digit still reads as a number, as the integer parse does.
  if (a == '-') return -(b - '0');
  if (a == '+' || a == ' ') return b - '0';
  return kFallback;
}

std::vector<std::string> StateMethodsFor(std::string_view progId) {
  switch (TargetKindOf(progId)) {
    case TTargetKind::Gcad:
      if (GcadVersionOf(progId) >= 24) return {"GetAcadState", "GetGcadState"};
      return {"GetGcadState", "GetAcadState"};
    case TTargetKind::Zwcad: return {"GetZcadState"};
    case TTargetKind::Acad: break;
  }
  return {"GetAcadState"};
}

char CancelCharacterFor(std::string_view progId) {
  return UpperAscii(progId).find("AUTO") != std::string::npos ? '\x03' : '\x1b';
}

std::string InvalidProgIdMessage(std::string_view progId) {
  return "ProgID（クラス文字列）: \"" + std::string(progId) + "\" は無効です．";
}

bool TTargetConnection::IsTargetRunning() {
  if (!host_.IsRegistered(target_.TargetProgID)) {
    messages_.ShowMessage(InvalidProgIdMessage(target_.TargetProgID));
    return false;
  }
  return host_.IsActive(target_.TargetProgID);
}

ObjectRef TTargetConnection::GetTargetApplication() { return host_.GetActiveObject(target_.TargetProgID); }

WindowId TTargetConnection::TargetWindow(IAutomationObject& application) {
  // Window handles are sign-extended when they travel as 32-bit integers.
  const std::int64_t value = application.Get("HWND").AsInteger();
  return static_cast<WindowId>(static_cast<std::intptr_t>(value));
}

void TTargetConnection::ActivateTargetWindow(IAutomationObject& application) {
  ActivateTargetWindow(TargetWindow(application));
}

void TTargetConnection::ActivateTargetWindow(WindowId window) {
  if (desktop_.IsIconic(window)) desktop_.OpenIcon(window);
  desktop_.SetForegroundWindow(window);
}

void TTargetConnection::PressEscapeInTarget(IAutomationObject& application, unsigned settleMs) {
  PressEscapeInTarget(TargetWindow(application), settleMs);
}

void TTargetConnection::PressEscapeInTarget(WindowId window, unsigned settleMs) {
  // A key stroke goes to whatever window is in front: never send one to another program.
  if (desktop_.ForegroundWindow() != window) return;
  desktop_.KeyEvent(kVirtualKeyEscape, 0, 0);
  desktop_.Sleep(5);
  desktop_.KeyEvent(kVirtualKeyEscape, 0, kKeyEventKeyUp);
  desktop_.Sleep(settleMs);
}

void TTargetConnection::SendCancelToTarget(IAutomationObject& document) {
  document.Call("SendCommand", {std::string(1, CancelCharacterFor(target_.TargetProgID))});
}

bool TTargetConnection::IsTargetBusy(IAutomationObject& application) {
  for (const auto& method : StateMethodsFor(target_.TargetProgID)) {
    try {
      const ObjectRef state = application.Call(method).AsObject();
      return !state->Get("IsQuiescent").AsBool();
    } catch (const std::exception&) {
      // A CAD without this state method (or whose state cannot be read) is taken as idle,
      // after the kind's second method, if any, has had its try.
    }
  }
  return false;
}

}  // namespace kav::cad
