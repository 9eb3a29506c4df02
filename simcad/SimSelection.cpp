// The utility object (picks and prompts) and the selection set.
#include "simcad/SimObjects.h"

#include <algorithm>

#include "cadlink/Point.h"
#include "simcad/SimBlockGeometry.h"
#include "simcad/SimFilter.h"

namespace kav::sim {

using cad::TArg;
using cad::TAutomationError;
using cad::TInvokeKind;
using cad::Variant;

namespace {

void NotePrompt(TSimState& state, const Variant& prompt) {
  if (!prompt.IsMissing() && !prompt.IsEmpty()) state.Prompts.push_back(prompt.AsString());
}

// The entity a pick found; a pick on nothing is the error the CAD gives.
int PickedEntity(TSimState& state, const TAnswer& answer, std::string_view member) {
  if (answer.Kind != TAnswer::TKind::Pick)
    throw TAutomationError(cad::kInvalidArg, std::string(member) + ": the queued answer is not an object pick");
  if (state.Drawing.Find(answer.Entity) == nullptr) throw TAutomationError(cad::kFail, "Nothing was picked");
  return answer.Entity;
}

// A pick of an entity inside a block definition went through a reference in model space: the
// references on the way (innermost first) and the transform into the world. An entity that no
// reference shows cannot be picked.
struct TNestedPick {
  std::vector<int> Containers;
  TTransform Transform;
};

TNestedPick NestedPick(const TSimState& state, const TAnswer& answer) {
  TNestedPick pick;
  const int reference = answer.Reference != 0 ? answer.Reference : FirstReferenceShowing(state.Drawing, answer.Entity);
  if (!FindInReference(state.Drawing, reference, answer.Entity, pick.Containers, pick.Transform))
    throw TAutomationError(cad::kFail, "Nothing was picked");
  return pick;
}

bool InBlockDefinition(const TSimState& state, int id) {
  const TEntity* entity = state.Drawing.Find(id);
  return entity != nullptr && entity->Block != 0;
}

class TSimUtility final : public TSimObject {
 public:
  explicit TSimUtility(std::shared_ptr<TSimState> state) : TSimObject(std::move(state), "Utility") {}

 protected:
  bool Handle(TInvokeKind kind, const std::string& name, std::span<TArg> args, Variant& result) override {
    if (kind == TInvokeKind::PropertyPut) return false;
    auto& state = State();
    if (name == "GETPOINT") {
      RequireArgs(args, 0, 2, "GetPoint");
      NotePrompt(state, ArgAt(args, 1));
      const TAnswer answer = TakeAnswer(state, "GetPoint", ArgAt(args, 1));
      if (answer.Kind == TAnswer::TKind::Selection)
        throw TAutomationError(cad::kInvalidArg, "GetPoint: the queued answer is a selection");
      result = cad::MakePoint(answer.Point);
    } else if (name == "GETENTITY") {
      RequireArgs(args, 2, 3, "GetEntity");
      NotePrompt(state, ArgAt(args, 2));
      const TAnswer answer = TakeAnswer(state, "GetEntity", ArgAt(args, 2));
      int id = PickedEntity(state, answer, "GetEntity");
      // A plain entity pick takes the block reference around an attribute, or around what
      // its definition shows.
      if (InBlockDefinition(state, id)) id = NestedPick(state, answer).Containers.back();
      else if (const TEntity* picked = state.Drawing.Find(id); picked->Owner != 0) id = picked->Owner;
      SetOut(args, 0, MakeEntity(SharedState(), id), "GetEntity");
      SetOut(args, 1, cad::MakePoint(answer.Point), "GetEntity");
    } else if (name == "GETSUBENTITY") {
      RequireArgs(args, 4, 5, "GetSubEntity");
      NotePrompt(state, ArgAt(args, 4));
      const TAnswer answer = TakeAnswer(state, "GetSubEntity", ArgAt(args, 4));
      const int id = PickedEntity(state, answer, "GetSubEntity");
      Variant matrix, context;   // empty for an entity of model space (attributes too)
      if (InBlockDefinition(state, id)) {
        // The entity itself, in its block's coordinates; the matrix takes it into the world
        // (4x4, row by row) and the context names the references around it by object id.
        const TNestedPick nested = NestedPick(state, answer);
        matrix = cad::DoubleArray{0, nested.Transform.Matrix4x4()};
        cad::VariantArray containers;
        for (int container : nested.Containers) containers.Items.emplace_back(static_cast<std::int32_t>(container));
        context = std::move(containers);
      }
      SetOut(args, 0, MakeEntity(SharedState(), id), "GetSubEntity");
      SetOut(args, 1, cad::MakePoint(answer.Point), "GetSubEntity");
      SetOut(args, 2, std::move(matrix), "GetSubEntity");
      SetOut(args, 3, std::move(context), "GetSubEntity");
    } else if (name == "PROMPT") {
      RequireArgs(args, 1, 1, "Prompt");
      state.Prompts.push_back(args[0].Value.AsString());
      state.CommandLine.Add(args[0].Value.AsString());
    } else return false;
    return true;
  }
};

class TSimSelectionSet final : public TSimObject {
 public:
  explicit TSimSelectionSet(std::shared_ptr<TSimState> state) : TSimObject(std::move(state), "SelectionSet") {}

 protected:
  bool Handle(TInvokeKind kind, const std::string& name, std::span<TArg> args, Variant& result) override {
    if (kind == TInvokeKind::PropertyPut) return false;
    auto& state = State();
    if (name == "CLEAR") {
      RequireArgs(args, 0, 0, "Clear");
      state.Selection.clear();
    } else if (name == "COUNT") {
      result = Variant(static_cast<std::int32_t>(LiveSelection().size()));
    } else if (name == "ITEM") {
      RequireArgs(args, 1, 1, "Item");
      const std::int64_t index = args[0].Value.AsInteger();
      const int id = LiveItem(index);
      if (id == 0) throw TAutomationError(cad::kBadIndex, "Invalid index " + std::to_string(index));
      result = MakeEntity(SharedState(), id);
    } else if (name == "NAME") {
      result = "CURRENT";
    } else if (name == "SELECT") {
      RequireArgs(args, 1, 5, "Select");
      Select(args);
    } else if (name == "SELECTONSCREEN") {
      RequireArgs(args, 0, 2, "SelectOnScreen");
      const TFilter filter = TFilter::FromArguments(ArgAt(args, 0), ArgAt(args, 1));
      const TAnswer answer = TakeAnswer(state, "SelectOnScreen", Variant(), &filter);
      if (answer.Kind != TAnswer::TKind::Selection)
        throw TAutomationError(cad::kInvalidArg, "SelectOnScreen: the queued answer is not a selection");
      for (int id : answer.Entities) Include(id, filter);
    } else return false;
    return true;
  }

 private:
  // The id of the index-th selected entity that still exists, or 0. Counted up to the index
  // only, without a copy of the selection: a harvest asks for every item of a selection of
  // thousands, and the simulated CAD must not be what its timing measures.
  int LiveItem(std::int64_t index) {
    if (index < 0) return 0;
    for (int id : State().Selection)
      if (State().Drawing.Find(id) != nullptr && index-- == 0) return id;
    return 0;
  }

  std::vector<int> LiveSelection() {
    std::vector<int> live;
    for (int id : State().Selection)
      if (State().Drawing.Find(id) != nullptr) live.push_back(id);
    return live;
  }

  void Include(int id, const TFilter& filter) {
    auto& state = State();
    const TEntity* entity = state.Drawing.Find(id);
    if (entity == nullptr || entity->Owner != 0 || entity->Block != 0 || !filter.Accepts(state.Drawing, *entity)) return;
    if (std::find(state.Selection.begin(), state.Selection.end(), id) == state.Selection.end()) state.Selection.push_back(id);
  }

  void Select(std::span<TArg> args) {
    const std::int64_t mode = args[0].Value.AsInteger();
    const TFilter filter = TFilter::FromArguments(ArgAt(args, 3), ArgAt(args, 4));
    auto& drawing = State().Drawing;
    switch (mode) {
      case 1: {   // crossing
        if (ArgAt(args, 1).IsMissing() || ArgAt(args, 2).IsMissing())
          throw TAutomationError(cad::kParamNotFound, "Select: a crossing selection needs two points");
        for (int id : drawing.Crossing(cad::ToPoint(args[1].Value), cad::ToPoint(args[2].Value))) Include(id, filter);
        break;
      }
      case 4: {   // last object
        if (const int last = drawing.LastTopLevel(); last != 0) Include(last, filter);
        break;
      }
      case 5:   // all
        for (int id : drawing.TopLevel()) Include(id, filter);
        break;
      default: throw TAutomationError(cad::kInvalidArg, "Select: mode " + std::to_string(mode) + " is not supported");
    }
  }
};

}  // namespace

cad::ObjectRef MakeUtility(std::shared_ptr<TSimState> state) { return std::make_shared<TSimUtility>(std::move(state)); }
cad::ObjectRef MakeSelectionSet(std::shared_ptr<TSimState> state) {
  return std::make_shared<TSimSelectionSet>(std::move(state));
}

}  // namespace kav::sim
