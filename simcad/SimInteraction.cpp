#include "simcad/SimInteraction.h"

#include <algorithm>

#include "platform/Text.h"
#include "simcad/SimHitTest.h"

namespace kav::sim {

namespace {
std::string Xy(const TPoint& p) { return FormatNumber(p.X) + "," + FormatNumber(p.Y); }

// A coordinate as the command line shows it: four decimals at most, as CADs show them.
std::string Shown(double value) {
  std::string text = FormatFixed(value, 4);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text == "-0" ? "0" : text;
}
std::string ShownXy(const TPoint& p) { return Shown(p.X) + "," + Shown(p.Y); }
}  // namespace

std::string DescribeAnswer(const TAnswer& answer) {
  switch (answer.Kind) {
    case TAnswer::TKind::Point:
    case TAnswer::TKind::Pick: return ShownXy(answer.Point);
    case TAnswer::TKind::Selection: return std::to_string(answer.Entities.size()) + " 個";
    case TAnswer::TKind::Cancel: return "*キャンセル*";
  }
  return {};
}

void FinishPaste(TSimState& state, const std::optional<TPoint>& at) {
  if (!state.PastePending) return;
  state.PastePending = false;
  ++state.Revision;
  if (!at) {
    state.CommandEvents.push_back("PASTECLIP cancelled");
    state.CommandLine.Answer("*キャンセル*");
    return;
  }
  TUndoAction action(state.Undo, state.Drawing);
  for (const auto& snapshot : state.Clipboard)
    state.Drawing.AddMoved(snapshot, at->X - state.ClipboardBase.X, at->Y - state.ClipboardBase.Y);
  state.CommandEvents.push_back("PASTECLIP " + Xy(*at));
  state.CommandLine.Answer(ShownXy(*at));
}

bool UndoLastStep(TSimState& state) {
  if (state.PickWaiting || state.PastePending || state.Undo.Busy()) {
    state.CommandLine.Add("コマンドの実行中は元に戻せません。");
    return false;
  }
  if (!state.Undo.Undo(state.Drawing)) {
    state.CommandLine.Add("元に戻す操作はありません。");
    return false;
  }
  ++state.Revision;
  state.CommandLine.Add("元に戻す: 1 操作 (残り " + std::to_string(state.Undo.Steps()) + ")");
  return true;
}

void TInteraction::BeginPick(const TPickRequest& request) {
  pick_ = request;
  done_ = false;
  answer_ = TAnswer{};
  bandStart_.reset();
  picked_.clear();
}

TAnswer TInteraction::EndPick() {
  TAnswer answer = done_ ? answer_ : TAnswer{};
  pick_.reset();
  done_ = false;
  bandStart_.reset();
  picked_.clear();
  return answer;
}

void TInteraction::CancelPick() {
  if (pick_ && !done_) Finish(TAnswer{});
}

void TInteraction::Finish(TAnswer answer) {
  answer_ = std::move(answer);
  done_ = true;
  bandStart_.reset();
}

TInteraction::TCursor TInteraction::Cursor() const {
  if (pick_ && !done_) return pick_->Kind == TPickKind::Point ? TCursor::Crosshair : TCursor::PickBox;
  return state_.PastePending ? TCursor::Crosshair : TCursor::Arrow;
}

void TInteraction::Move(const TPoint& at) { pointer_ = at; }

void TInteraction::Press(const TPoint& at, double tolerance) {
  pointer_ = at;
  if (!pick_) {
    if (state_.PastePending) FinishPaste(state_, at);
    return;
  }
  if (done_) return;
  switch (pick_->Kind) {
    case TPickKind::Point: Finish(TAnswer{TAnswer::TKind::Point, at, 0, {}}); break;
    case TPickKind::Entity:
    case TPickKind::SubEntity: {
      // The sub-entity pick goes into block references: the attribute, or the entity of the
      // definition under the pick box, with the reference it was picked through.
      const THit hit = HitTest(state_.Drawing, at, tolerance, pick_->Kind == TPickKind::SubEntity);
      if (hit.Entity != 0) Finish(TAnswer{TAnswer::TKind::Pick, at, hit.Entity, {}, hit.Reference});
      else state_.CommandLine.Add("オブジェクトが見つかりません。");
      break;
    }
    case TPickKind::Selection:
      if (bandStart_) {
        TakeWindow(at);
        break;
      }
      if (HitTest(state_.Drawing, at, tolerance, false).Entity != 0) {
        PickAt(at, tolerance);
      } else {
        bandStart_ = at;
        bandFromPress_ = true;
      }
      break;
  }
}

void TInteraction::Release(const TPoint& at, bool dragged) {
  pointer_ = at;
  if (pick_ && !done_ && bandStart_ && bandFromPress_ && dragged) TakeWindow(at);
  bandFromPress_ = false;
}

void TInteraction::Enter() {
  if (!pick_) {
    if (state_.PastePending) FinishPaste(state_, std::nullopt);
    return;
  }
  if (done_) return;
  // Enter ends a selection with what it has; at any other prompt it is no answer, and the
  // pick fails as the CAD's does.
  if (pick_->Kind == TPickKind::Selection) Finish(TAnswer{TAnswer::TKind::Selection, pointer_, 0, picked_});
  else Finish(TAnswer{});
}

void TInteraction::Escape() {
  if (!pick_) {
    // As in the CAD, Escape at the command prompt is answered on the command line.
    if (state_.PastePending) FinishPaste(state_, std::nullopt);
    else state_.CommandLine.Add("*キャンセル*");
    return;
  }
  if (!done_) Finish(TAnswer{});
}

void TInteraction::PickAt(const TPoint& at, double tolerance) {
  const int id = HitTest(state_.Drawing, at, tolerance, false).Entity;
  const TEntity* entity = state_.Drawing.Find(id);
  if (entity == nullptr) return;
  if (pick_->Filter != nullptr && !pick_->Filter->Accepts(state_.Drawing, *entity)) {
    state_.CommandLine.Add("1 個を検出、フィルタで 1 個を除外");
    return;
  }
  const bool known = std::find(picked_.begin(), picked_.end(), id) != picked_.end();
  if (!known) picked_.push_back(id);
  state_.CommandLine.Add(std::string("1 個を検出") + (known ? "、1 個は重複" : "") + "、合計 " +
                         std::to_string(picked_.size()) + " 個");
}

void TInteraction::TakeWindow(const TPoint& corner) {
  const TPoint from = *bandStart_;
  bandStart_.reset();
  bandFromPress_ = false;
  std::size_t found = 0, filtered = 0;
  for (int id : WindowSelection(state_.Drawing, from, corner)) {
    ++found;
    const TEntity* entity = state_.Drawing.Find(id);
    if (pick_->Filter != nullptr && !pick_->Filter->Accepts(state_.Drawing, *entity)) {
      ++filtered;
      continue;
    }
    if (std::find(picked_.begin(), picked_.end(), id) == picked_.end()) picked_.push_back(id);
  }
  std::string note = std::to_string(found) + " 個を検出";
  if (filtered > 0) note += "、フィルタで " + std::to_string(filtered) + " 個を除外";
  state_.CommandLine.Add(note + "、合計 " + std::to_string(picked_.size()) + " 個");
}

std::vector<TEntity> TInteraction::PasteGhost() const {
  std::vector<TEntity> ghost;
  if (!state_.PastePending) return ghost;
  const double dx = pointer_.X - state_.ClipboardBase.X, dy = pointer_.Y - state_.ClipboardBase.Y;
  for (const auto& snapshot : state_.Clipboard) {
    for (const TEntity& e : snapshot) {
      ghost.push_back(Moved(e, dx, dy));
    }
  }
  return ghost;
}

}  // namespace kav::sim
