// The application, document, model space and state objects, and what every object shares.
#include "simcad/SimObjects.h"

#include <cmath>
#include <optional>

#include "cadlink/Point.h"
#include "platform/Text.h"
#include "simcad/SimInteraction.h"

namespace kav::sim {

using cad::TArg;
using cad::TAutomationError;
using cad::TInvokeKind;
using cad::Variant;

cad::Variant ArgAt(std::span<TArg> args, std::size_t index) {
  return index < args.size() ? args[index].Value : Variant(cad::TMissing{});
}

void RequireArgs(std::span<TArg> args, std::size_t min, std::size_t max, std::string_view member) {
  if (args.size() < min || args.size() > max)
    throw TAutomationError(cad::kBadParamCount, "Wrong number of arguments for " + std::string(member));
  for (std::size_t i = 0; i < min; ++i)
    if (args[i].Value.IsMissing())
      throw TAutomationError(cad::kParamNotFound, "Argument " + std::to_string(i + 1) + " of " + std::string(member) + " is required");
}

void SetOut(std::span<TArg> args, std::size_t index, Variant value, std::string_view member) {
  if (index >= args.size() || !args[index].ByRef)
    throw TAutomationError(cad::kTypeMismatch,
                           "Argument " + std::to_string(index + 1) + " of " + std::string(member) + " must be passed by reference");
  args[index].Value = std::move(value);
}

namespace {

TPickRequest RequestFor(std::string_view member, const Variant& prompt, const TFilter* filter) {
  TPickRequest request;
  request.Filter = filter;
  if (member == "GetPoint") request.Kind = TPickKind::Point;
  else if (member == "GetEntity") request.Kind = TPickKind::Entity;
  else if (member == "GetSubEntity") request.Kind = TPickKind::SubEntity;
  else request.Kind = TPickKind::Selection;
  request.Prompt = !prompt.IsMissing() && !prompt.IsEmpty() ? prompt.AsString()
                   : request.Kind == TPickKind::Point       ? "点を指定: "
                                                            : "オブジェクトを選択: ";
  return request;
}

// Marks the CAD busy for the time the user is asked.
class TPickWait {
 public:
  explicit TPickWait(TSimState& state) : state_(state) { state_.PickWaiting = true; }
  ~TPickWait() { state_.PickWaiting = false; }
  TPickWait(const TPickWait&) = delete;
  TPickWait& operator=(const TPickWait&) = delete;

 private:
  TSimState& state_;
};

}  // namespace

TAnswer TakeAnswer(TSimState& state, std::string_view member, const Variant& prompt, const TFilter* filter) {
  const TPickRequest request = RequestFor(member, prompt, filter);
  state.CommandLine.SetPrompt(request.Prompt);
  std::optional<TAnswer> answer;
  if (state.Answers.empty() && state.Interactive != nullptr) {
    if (state.PickWaiting || state.PastePending) {
      state.CommandLine.Answer("*コマンド実行中*");
      throw TAutomationError(kBusyCode, "Call was rejected by callee: the CAD waits for another input");
    }
    TPickWait wait(state);
    answer = state.Interactive->Ask(request);
  }
  if (!answer && !state.Answers.empty()) {
    answer = state.Answers.front();
    state.Answers.pop_front();
  }
  ++state.Revision;
  if (!answer) {
    state.CommandLine.Answer("*キャンセル*");
    throw TAutomationError(kCancelCode, std::string(kCancelMessage) + " (" + std::string(member) + ": no answer queued)");
  }
  state.CommandLine.Answer(DescribeAnswer(*answer));
  if (answer->Kind == TAnswer::TKind::Cancel) throw TAutomationError(kCancelCode, kCancelMessage);
  return *answer;
}

std::string TCall::Text() const {
  return Object + "." + Member + (Kind == TInvokeKind::PropertyPut ? " :=" : "");
}

Variant TSimObject::Invoke(TInvokeKind kind, std::string_view name, std::span<TArg> args) {
  const std::string upper = UpperAscii(name);
  Variant result;
  // Every call may change what the window shows, except the busy poll a waiting tool repeats.
  if (upper != "ISQUIESCENT" && upper != "GETACADSTATE" && upper != "GETGCADSTATE" && upper != "GETZCADSTATE")
    ++state_->Revision;
  if (kind != TInvokeKind::PropertyPut && HandleUnlogged(upper, args, result)) return result;

  TUndoAction action(state_->Undo, state_->Drawing);

  TCall call{logName_, std::string(name), kind, {}};
  for (const auto& arg : args) call.Args.push_back(arg.Value);
  state_->Calls.push_back(std::move(call));

  const auto failure = state_->Failures.find(UpperAscii(logName_) + "." + upper);
  if (failure != state_->Failures.end() && failure->second.Remaining != 0) {
    if (failure->second.Remaining > 0) --failure->second.Remaining;
    throw TAutomationError(failure->second.Code, failure->second.Message);
  }
  if (!Handle(kind, upper, args, result))
    throw TAutomationError(cad::kUnknownName, "Unknown name: " + logName_ + "." + std::string(name));
  return result;
}

namespace {

// The application: its document, its window and the product's state objects.
class TSimApplication final : public TSimObject {
 public:
  explicit TSimApplication(std::shared_ptr<TSimState> state) : TSimObject(std::move(state), "Application") {}

 protected:
  bool Handle(TInvokeKind kind, const std::string& name, std::span<TArg> args, Variant& result) override {
    if (kind == TInvokeKind::PropertyPut) return false;
    if (name == "ACTIVEDOCUMENT") result = MakeDocument(SharedState());
    else if (name == "HWND") result = Variant(static_cast<std::int32_t>(State().WindowHandle));
    else if (name == "NAME") result = "KaverolinSim";
    else if (name == "VERSION") result = "1.0";
    else if (name == "GETACADSTATE" || name == "GETGCADSTATE" || name == "GETZCADSTATE") {
      RequireArgs(args, 0, 0, name);
      result = MakeStateObject(SharedState(), name == "GETACADSTATE" ? "AcadState" : name == "GETGCADSTATE" ? "GcadState" : "ZcadState");
    } else return false;
    return true;
  }
  bool HandleUnlogged(const std::string& name, std::span<TArg> args, Variant& result) override {
    return HandleSimMember(SharedState(), name, args, result);
  }
};

class TSimDocument final : public TSimObject {
 public:
  explicit TSimDocument(std::shared_ptr<TSimState> state) : TSimObject(std::move(state), "Document") {}

 protected:
  bool Handle(TInvokeKind kind, const std::string& name, std::span<TArg> args, Variant& result) override {
    if (kind == TInvokeKind::PropertyPut) return false;
    auto& state = State();
    if (name == "MODELSPACE") result = MakeModelSpace(SharedState());
    else if (name == "UTILITY") result = MakeUtility(SharedState());
    else if (name == "ACTIVESELECTIONSET") result = MakeSelectionSet(SharedState());
    else if (name == "NAME") result = state.DocumentName;
    else if (name == "FULLNAME") result = state.DocumentPath;
    else if (name == "OBJECTIDTOOBJECT") {
      RequireArgs(args, 1, 1, "ObjectIdToObject");
      result = MakeEntity(SharedState(), args[0].Value.AsInt32());
    }
    else if (name == "GETVARIABLE") {
      RequireArgs(args, 1, 1, "GetVariable");
      const auto found = state.Variables.find(UpperAscii(args[0].Value.AsString()));
      if (found == state.Variables.end())
        throw TAutomationError(cad::kInvalidArg, "Unknown system variable " + args[0].Value.AsString());
      result = found->second;
    } else if (name == "SETVARIABLE") {
      RequireArgs(args, 2, 2, "SetVariable");
      state.Variables[UpperAscii(args[0].Value.AsString())] = args[1].Value;
    } else if (name == "SENDCOMMAND") {
      RequireArgs(args, 1, 1, "SendCommand");
      RunCommandString(state, args[0].Value.AsString());
    } else if (name == "STARTUNDOMARK") {
      RequireArgs(args, 0, 0, "StartUndoMark");
      ++state.UndoDepth;
      state.Undo.BeginGroup(state.Drawing);
    } else if (name == "ENDUNDOMARK") {
      RequireArgs(args, 0, 0, "EndUndoMark");
      // An end without a start is ignored, as the CAD ignores it.
      if (state.UndoDepth > 0 && --state.UndoDepth == 0) ++state.UndoGroups;
      state.Undo.EndGroup(state.Drawing);
    } else if (name == "REGEN") {
      RequireArgs(args, 0, 1, "Regen");
      ++state.Regens;
    } else return false;
    return true;
  }
};

class TSimModelSpace final : public TSimObject {
 public:
  explicit TSimModelSpace(std::shared_ptr<TSimState> state) : TSimObject(std::move(state), "ModelSpace") {}

 protected:
  bool Handle(TInvokeKind kind, const std::string& name, std::span<TArg> args, Variant& result) override {
    if (kind == TInvokeKind::PropertyPut) return false;
    if (name == "ADDTEXT") {
      RequireArgs(args, 3, 3, "AddText");
      TEntity text;
      text.Type = TEntityType::Text;
      text.Text.TextString = args[0].Value.AsString();
      text.Text.Anchor = cad::ToPoint(args[1].Value);
      text.Text.Height = args[2].Value.AsDouble();
      if (!(text.Text.Height > 0) || !std::isfinite(text.Text.Height))
        throw TAutomationError(cad::kInvalidArg, "Height must be a positive number");
      result = MakeEntity(SharedState(), State().Drawing.Add(std::move(text)));
    } else if (name == "COUNT") {
      result = Variant(static_cast<std::int32_t>(State().Drawing.TopLevel().size()));
    } else return false;
    return true;
  }
};

class TSimStateObject final : public TSimObject {
 public:
  TSimStateObject(std::shared_ptr<TSimState> state, std::string name) : TSimObject(std::move(state), std::move(name)) {}

 protected:
  bool Handle(TInvokeKind kind, const std::string& name, std::span<TArg>, Variant& result) override {
    if (kind == TInvokeKind::PropertyPut || name != "ISQUIESCENT") return false;
    auto& state = State();
    bool quiescent = !state.Busy && !state.PickWaiting && !state.PastePending;
    if (state.BusyPolls > 0) {
      --state.BusyPolls;
      quiescent = false;
    }
    result = quiescent;
    return true;
  }
};

}  // namespace

cad::ObjectRef MakeApplication(std::shared_ptr<TSimState> state) { return std::make_shared<TSimApplication>(std::move(state)); }
cad::ObjectRef MakeDocument(std::shared_ptr<TSimState> state) { return std::make_shared<TSimDocument>(std::move(state)); }
cad::ObjectRef MakeModelSpace(std::shared_ptr<TSimState> state) { return std::make_shared<TSimModelSpace>(std::move(state)); }
cad::ObjectRef MakeStateObject(std::shared_ptr<TSimState> state, std::string name) {
  return std::make_shared<TSimStateObject>(std::move(state), std::move(name));
}

}  // namespace kav::sim
