// The automation object interface: property get, property put and method call by name,
// with by-reference arguments. The COM backend and the simulated CAD both implement it.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "cadlink/AutomationError.h"
#include "cadlink/Variant.h"

namespace kav::cad {

enum class TInvokeKind { Method, PropertyGet, PropertyPut };

// One argument. A by-reference argument (out or in-out) gets back what the member left in it.
struct TArg {
  Variant Value;
  bool ByRef = false;
};

class IAutomationObject {
 public:
  virtual ~IAutomationObject() = default;

  // Calls member `name`. Arguments are in the order the member declares them; a property
  // put takes the new value as its last argument. Failures throw TAutomationError.
  virtual Variant Invoke(TInvokeKind kind, std::string_view name, std::span<TArg> args) = 0;

  // Convenience forms; all go through Invoke.
  Variant Get(std::string_view name);
  Variant Get(std::string_view name, std::vector<Variant> args);
  void Put(std::string_view name, Variant value, bool byRef = false);
  Variant Call(std::string_view name, std::vector<Variant> args = {});
  Variant CallWithRefs(std::string_view name, std::span<TArg> args) {
    return Invoke(TInvokeKind::Method, name, args);
  }
  ObjectRef GetObj(std::string_view name) { return Get(name).AsObject(); }
};

// Builds argument lists: a value in, or an out slot that starts empty.
inline TArg In(Variant value) { return TArg{std::move(value), false}; }
inline TArg Out() { return TArg{Variant(), true}; }

}  // namespace kav::cad
