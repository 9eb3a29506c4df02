// The user at the simulated CAD's window: a pick that waits for the mouse (a point, an
// entity, an attribute, a selection) and a PASTECLIP that waits for its insertion point.
// Input arrives here in drawing coordinates, so the rules are the same in simcad.exe and in
// the native tests; the window only turns its messages into these calls and draws the result.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "simcad/SimCad.h"
#include "simcad/SimFilter.h"

namespace kav::sim {

enum class TPickKind { Point, Entity, SubEntity, Selection };

struct TPickRequest {
  TPickKind Kind = TPickKind::Point;
  std::string Prompt;
  const TFilter* Filter = nullptr;   // a selection's filter; lives as long as the pick
};

// The source of answers when no scripted answer is queued; the state holds none in the
// in-process tests, where an empty queue cancels at once.
class IInteractiveAnswers {
 public:
  virtual ~IInteractiveAnswers() = default;
  // Waits until the user answers `request`. Nothing when an answer was queued meanwhile:
  // the caller then takes that one.
  virtual std::optional<TAnswer> Ask(const TPickRequest& request) = 0;
  // A PASTECLIP now waits for its insertion point (the state's PastePending); returns at once.
  virtual void PasteStarted() {}
};

// Places what COPYBASE copied at `at` (moved from its base point) and ends the waiting
// PASTECLIP; without a point the paste is cancelled. One undo step.
void FinishPaste(TSimState& state, const std::optional<TPoint>& at);

// Turns the user's input into the answer of the pick that waits, or into the insertion
// point of the waiting paste.
class TInteraction {
 public:
  explicit TInteraction(TSimState& state) : state_(state) {}

  void BeginPick(const TPickRequest& request);
  bool Picking() const { return pick_.has_value(); }
  bool PickDone() const { return done_; }
  // Ends the pick: its answer, a cancel when the user cancelled or it was broken off.
  TAnswer EndPick();
  // Breaks off the pick that waits (the window closes).
  void CancelPick();

  // Input. `tolerance` is half the pick box, in drawing units.
  void Move(const TPoint& at);
  void Press(const TPoint& at, double tolerance);
  // The button comes up; `dragged` when the pointer moved since the press, so that a
  // window can also be drawn by dragging.
  void Release(const TPoint& at, bool dragged);
  void Enter();    // Enter, or a right click
  void Escape();

  enum class TCursor { Arrow, Crosshair, PickBox };
  TCursor Cursor() const;
  const TPoint& Pointer() const { return pointer_; }
  // The selection window being drawn, from its first corner to the pointer.
  bool BandActive() const { return bandStart_.has_value(); }
  TPoint BandStart() const { return bandStart_.value_or(pointer_); }
  bool BandCrossing() const { return bandStart_ && pointer_.X < bandStart_->X; }
  // What the selection has taken so far.
  const std::vector<int>& Picked() const { return picked_; }
  // The waiting paste's entities where a click would put them.
  std::vector<TEntity> PasteGhost() const;

 private:
  void Finish(TAnswer answer);
  void PickAt(const TPoint& at, double tolerance);
  void TakeWindow(const TPoint& corner);

  TSimState& state_;
  std::optional<TPickRequest> pick_;
  bool done_ = false;
  TAnswer answer_;
  TPoint pointer_;
  std::optional<TPoint> bandStart_;
  bool bandFromPress_ = false;   // the window began with this press (and may end on its release)
  std::vector<int> picked_;
};

// The user's undo (Ctrl+Z): takes the last step back and says so on the command line;
// refused while a pick, a paste or an operation between undo marks is still open.
bool UndoLastStep(TSimState& state);

// Describes a pick's answer for the command line.
std::string DescribeAnswer(const TAnswer& answer);

}  // namespace kav::sim
