#include "simcad/SimUndo.h"

namespace kav::sim {

void TUndoJournal::Open(const TDrawing& drawing) {
  if (open_) return;
  steps_.push_back(TStep{drawing.NextId(), {}, {}});
  open_ = true;
}

void TUndoJournal::CloseIfDone(const TDrawing& drawing) {
  if (!open_ || actions_ > 0 || groups_ > 0) return;
  open_ = false;
  // A step that changed nothing is no step.
  if (steps_.back().Before.empty() && steps_.back().FirstNewId == drawing.NextId()) steps_.pop_back();
}

void TUndoJournal::BeginAction(const TDrawing& drawing) {
  Open(drawing);
  ++actions_;
}

void TUndoJournal::EndAction(const TDrawing& drawing) {
  if (actions_ > 0) --actions_;
  CloseIfDone(drawing);
}

void TUndoJournal::BeginGroup(const TDrawing& drawing) {
  Open(drawing);
  ++groups_;
}

void TUndoJournal::EndGroup(const TDrawing& drawing) {
  if (groups_ == 0) return;
  --groups_;
  CloseIfDone(drawing);
}

void TUndoJournal::Clear(const TDrawing& drawing) {
  steps_.clear();
  open_ = false;
  if (actions_ > 0 || groups_ > 0) Open(drawing);
}

void TUndoJournal::Touch(const TDrawing& drawing, int id) {
  if (!open_) return;   // changes outside every action (building a drawing) are no steps
  TStep& step = steps_.back();
  if (id >= step.FirstNewId) return;   // added during this step (block definition entities have ids below 0)
  const TEntity* entity = drawing.Find(id);
  if (entity == nullptr) return;
  if (step.Kept.insert(id).second) step.Before.push_back(*entity);
}

void TUndoJournal::TouchWithAttributes(const TDrawing& drawing, int id) {
  Touch(drawing, id);
  if (const TEntity* entity = drawing.Find(id))
    for (int attribute : entity->Attributes) Touch(drawing, attribute);
}

bool TUndoJournal::Undo(TDrawing& drawing) {
  if (!CanUndo()) return false;
  const TStep step = std::move(steps_.back());
  steps_.pop_back();
  for (int id = step.FirstNewId; id < drawing.NextId(); ++id) drawing.Erase(id);
  for (auto it = step.Before.rbegin(); it != step.Before.rend(); ++it) drawing.Restore(*it);
  return true;
}

}  // namespace kav::sim
