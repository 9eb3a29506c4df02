// The objects of the simulated CAD's object model. Internal to simcad/.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "cadlink/Automation.h"
#include "simcad/SimCad.h"

namespace kav::sim {

class TFilter;

// The common part of every object: logging, failures made on demand, argument access.
class TSimObject : public cad::IAutomationObject {
 public:
  TSimObject(std::shared_ptr<TSimState> state, std::string logName) : state_(std::move(state)), logName_(std::move(logName)) {}
  cad::Variant Invoke(cad::TInvokeKind kind, std::string_view name, std::span<cad::TArg> args) final;

 protected:
  // `name` is upper-cased. Returns false when this object has no such member.
  virtual bool Handle(cad::TInvokeKind kind, const std::string& name, std::span<cad::TArg> args, cad::Variant& result) = 0;
  // Members that are not logged and never fail on demand (the test members).
  virtual bool HandleUnlogged(const std::string& name, std::span<cad::TArg> args, cad::Variant& result) {
    (void)name; (void)args; (void)result;
    return false;
  }
  TSimState& State() { return *state_; }
  const std::shared_ptr<TSimState>& SharedState() { return state_; }

 private:
  std::shared_ptr<TSimState> state_;
  std::string logName_;
};

// Argument helpers: the argument at `index`, Missing when not given.
cad::Variant ArgAt(std::span<cad::TArg> args, std::size_t index);
void RequireArgs(std::span<cad::TArg> args, std::size_t min, std::size_t max, std::string_view member);
// Puts `value` into an out argument; an out argument passed by value is the caller's fault.
void SetOut(std::span<cad::TArg> args, std::size_t index, cad::Variant value, std::string_view member);
// The next scripted answer; with none queued, the user's answer when an interactive source
// is there. A cancel (or no answer at all) raises the cancel error. `prompt` is the member's
// prompt argument (shown on the command line), `filter` a selection's filter.
TAnswer TakeAnswer(TSimState& state, std::string_view member, const cad::Variant& prompt = cad::Variant(),
                   const TFilter* filter = nullptr);

cad::ObjectRef MakeApplication(std::shared_ptr<TSimState> state);
cad::ObjectRef MakeDocument(std::shared_ptr<TSimState> state);
cad::ObjectRef MakeModelSpace(std::shared_ptr<TSimState> state);
cad::ObjectRef MakeUtility(std::shared_ptr<TSimState> state);
cad::ObjectRef MakeSelectionSet(std::shared_ptr<TSimState> state);
cad::ObjectRef MakeStateObject(std::shared_ptr<TSimState> state, std::string name);
cad::ObjectRef MakeEntity(std::shared_ptr<TSimState> state, int id);

// The command line: interprets one SendCommand string.
void RunCommandString(TSimState& state, const std::string& text);

// The test members of the application ("Sim..."); false when `name` is none of them.
bool HandleSimMember(const std::shared_ptr<TSimState>& state, const std::string& name, std::span<cad::TArg> args,
                     cad::Variant& result);

}  // namespace kav::sim
