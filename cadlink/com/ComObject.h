// The automation object interface over IDispatch: each member name is looked up once per
// object (GetIDsOfNames), then every call is one Invoke.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <unordered_map>

#include "cadlink/Automation.h"
#include "cadlink/com/ComPtr.h"

namespace kav::cad::com {

class TComObject final : public IAutomationObject {
 public:
  explicit TComObject(TComPtr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {}
  Variant Invoke(TInvokeKind kind, std::string_view name, std::span<TArg> args) override;
  IDispatch* Dispatch() const { return dispatch_.Get(); }
  // The member's DISPID, from the cache or asked once.
  DISPID IdOf(std::string_view name);

 private:
  TComPtr<IDispatch> dispatch_;
  std::unordered_map<std::string, DISPID> ids_;
};

ObjectRef MakeComObject(TComPtr<IDispatch> dispatch);
// The IDispatch behind an object of the COM backend; empty for objects of another kind.
TComPtr<IDispatch> DispatchOf(const ObjectRef& object);

}  // namespace kav::cad::com
