// The drawing's undo history. Every automation call that changes the drawing is one step,
// unless it falls between StartUndoMark and EndUndoMark: then the whole group is one step,
// so that one undo takes a whole operation of the tool back.
#pragma once

#include <unordered_set>
#include <vector>

#include "simcad/SimDrawing.h"

namespace kav::sim {

class TUndoJournal {
 public:
  // Brackets one action (an automation call, a paste placed by the user); actions may nest.
  void BeginAction(const TDrawing& drawing);
  void EndAction(const TDrawing& drawing);
  // StartUndoMark / EndUndoMark; an end without a start is ignored.
  void BeginGroup(const TDrawing& drawing);
  void EndGroup(const TDrawing& drawing);

  // Keeps the entity as it is before it changes (once per step); also an entity of a block
  // definition, which a sub-entity pick hands out. Entities added to model space during the
  // step need no call: undo removes everything added since the step began.
  void Touch(const TDrawing& drawing, int id);
  // Touches a block reference together with its attributes (before an erase).
  void TouchWithAttributes(const TDrawing& drawing, int id);

  // Forgets every step: the drawing was replaced by another (a file opened), which is no step
  // and cannot be taken back. An action or group still open goes on recording into a fresh
  // step of the new drawing.
  void Clear(const TDrawing& drawing);

  // Takes back the last step. False when there is none, or while an action or a group is
  // still open (the CAD undoes nothing in the middle of a command).
  bool Undo(TDrawing& drawing);
  bool CanUndo() const { return !Busy() && !steps_.empty(); }
  bool Busy() const { return actions_ > 0 || groups_ > 0; }
  std::size_t Steps() const { return steps_.size(); }

 private:
  struct TStep {
    int FirstNewId = 0;
    std::vector<TEntity> Before;   // first images of the entities changed, in order of change
    std::unordered_set<int> Kept;  // their ids
  };
  void Open(const TDrawing& drawing);
  void CloseIfDone(const TDrawing& drawing);

  std::vector<TStep> steps_;
  bool open_ = false;   // the last step is still being recorded
  int actions_ = 0;
  int groups_ = 0;
};

// Brackets one action for its scope.
class TUndoAction {
 public:
  TUndoAction(TUndoJournal& journal, const TDrawing& drawing) : journal_(journal), drawing_(drawing) {
    journal_.BeginAction(drawing_);
  }
  ~TUndoAction() { journal_.EndAction(drawing_); }
  TUndoAction(const TUndoAction&) = delete;
  TUndoAction& operator=(const TUndoAction&) = delete;

 private:
  TUndoJournal& journal_;
  const TDrawing& drawing_;
};

}  // namespace kav::sim
