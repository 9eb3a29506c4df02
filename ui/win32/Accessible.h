// The accessibility object of one of our windows: the standard object Windows makes for the
// window answers everything (place, parent, navigation, hit-testing), except the name, role,
// state, value and description, which come from the control model, and the children of a
// window that draws items of its own (the tabs of the tab strip).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace kav::ui::win32 {

struct TAccessibleParts {
  std::function<std::wstring()> Name;
  long Role = 0;                       // ROLE_SYSTEM_*; 0 leaves the standard object's role
  std::function<long()> State;         // STATE_SYSTEM_* flags the model knows (checked, read-only...)
  std::function<std::wstring()> Value;         // empty function: the standard object's value
  std::function<std::wstring()> Description;
  // Simple child elements, numbered from 1.
  std::function<long()> ChildCount;
  std::function<std::wstring(long child)> ChildName;
  long ChildRole = 0;
  std::function<long(long child)> ChildState;
  std::function<RECT(long child)> ChildScreenRect;
};

class TAccessibleObject;

// Owned by a window's peer: makes the object at the first WM_GETOBJECT and cuts it off from
// the peer when the peer goes, so that a client still holding it gets errors, not a crash.
class TAccessibility {
 public:
  TAccessibility() = default;
  ~TAccessibility();
  TAccessibility(const TAccessibility&) = delete;
  TAccessibility& operator=(const TAccessibility&) = delete;

  // Answers WM_GETOBJECT for the window's client object; false for other objects, which the
  // window's default handling answers. `describe` is asked once, when the object is made.
  bool Answer(HWND window, WPARAM wParam, LPARAM lParam, const std::function<TAccessibleParts()>& describe,
              LRESULT& result);

 private:
  TAccessibleObject* object_ = nullptr;   // one reference held
};

// Tells clients (screen readers) that the value and description of a window's client object
// changed: the grid's current cell moved.
void NotifyValueChanged(HWND window);

}  // namespace kav::ui::win32
