#include "cadlink/Automation.h"

namespace kav::cad {

namespace {
std::vector<TArg> ToArgs(std::vector<Variant>& values) {
  std::vector<TArg> args;
  args.reserve(values.size());
  for (auto& value : values) args.push_back(TArg{std::move(value), false});
  return args;
}
}  // namespace

Variant IAutomationObject::Get(std::string_view name) { return Invoke(TInvokeKind::PropertyGet, name, {}); }

Variant IAutomationObject::Get(std::string_view name, std::vector<Variant> values) {
  auto args = ToArgs(values);
  return Invoke(TInvokeKind::PropertyGet, name, args);
}

void IAutomationObject::Put(std::string_view name, Variant value, bool byRef) {
  TArg arg{std::move(value), byRef};
  Invoke(TInvokeKind::PropertyPut, name, std::span<TArg>(&arg, 1));
}

Variant IAutomationObject::Call(std::string_view name, std::vector<Variant> values) {
  auto args = ToArgs(values);
  return Invoke(TInvokeKind::Method, name, args);
}

}  // namespace kav::cad
