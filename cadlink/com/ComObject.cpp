#include "cadlink/com/ComObject.h"

#include <vector>

#include "cadlink/com/ComErrors.h"
#include "cadlink/com/ComValues.h"
#include "cadlink/com/VariantConvert.h"
#include "platform/Text.h"

namespace kav::cad::com {

namespace {

// The VARIANTs of one call's arguments, cleared when the call is over.
class TArgumentSlots {
 public:
  explicit TArgumentSlots(std::size_t count) : slots_(count), refs_(count) {
    for (auto& v : slots_) VariantInit(&v);
    for (auto& v : refs_) VariantInit(&v);
  }
  ~TArgumentSlots() {
    for (auto& v : slots_) VariantClear(&v);
    for (auto& v : refs_) VariantClear(&v);
  }
  TArgumentSlots(const TArgumentSlots&) = delete;
  TArgumentSlots& operator=(const TArgumentSlots&) = delete;
  VARIANT* Slots() { return slots_.data(); }
  VARIANT& Slot(std::size_t i) { return slots_[i]; }
  VARIANT& Ref(std::size_t i) { return refs_[i]; }

 private:
  std::vector<VARIANT> slots_;   // what DISPPARAMS points at, in reverse order
  std::vector<VARIANT> refs_;    // the values of by-reference arguments
};

ObjectRef Wrap(TComPtr<IDispatch> dispatch) { return MakeComObject(std::move(dispatch)); }

std::string ArgumentError(HRESULT hr, std::string_view name, UINT argErr, std::size_t count) {
  std::string text = std::string(name) + ": " + HResultMessage(hr);
  // argErr counts from the end of the list, as DISPPARAMS stores it.
  if ((hr == DISP_E_TYPEMISMATCH || hr == DISP_E_PARAMNOTFOUND) && argErr < count)
    text += " (argument " + std::to_string(count - argErr) + ")";
  return text;
}

}  // namespace

ObjectRef MakeComObject(TComPtr<IDispatch> dispatch) { return std::make_shared<TComObject>(std::move(dispatch)); }

TComPtr<IDispatch> DispatchOf(const ObjectRef& object) {
  if (const auto* com = dynamic_cast<const TComObject*>(object.get())) return TComPtr<IDispatch>::Share(com->Dispatch());
  return {};
}

DISPID TComObject::IdOf(std::string_view name) {
  const std::string key(name);
  if (const auto found = ids_.find(key); found != ids_.end()) return found->second;
  std::wstring wide = Utf8ToWide(name);
  LPOLESTR names[] = {wide.data()};
  DISPID id = DISPID_UNKNOWN;
  const HRESULT hr = dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) throw TAutomationError(static_cast<HResult>(hr), "Unknown name " + key + ": " + HResultMessage(hr));
  ids_.emplace(key, id);
  return id;
}

Variant TComObject::Invoke(TInvokeKind kind, std::string_view name, std::span<TArg> args) {
  if (!dispatch_) throw TAutomationError(kFail, std::string(name) + ": no object");
  const DISPID id = IdOf(name);
  const std::size_t count = args.size();
  TArgumentSlots slots(count);
  for (std::size_t i = 0; i < count; ++i) {
    VARIANT& slot = slots.Slot(count - 1 - i);   // DISPPARAMS holds the last argument first
    if (args[i].ByRef) {
      ToComVariant(args[i].Value, slots.Ref(i), DispatchOf);
      slot.vt = VT_BYREF | VT_VARIANT;
      slot.pvarVal = &slots.Ref(i);
    } else {
      ToComVariant(args[i].Value, slot, DispatchOf);
    }
  }

  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params{slots.Slots(), nullptr, static_cast<UINT>(count), 0};
  WORD flags = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
  if (kind == TInvokeKind::PropertyPut) {
    if (count == 0) throw TAutomationError(kBadParamCount, std::string(name) + ": a property put needs a value");
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
    flags = DISPATCH_PROPERTYPUT;
  }

  TVariant result;
  EXCEPINFO exception{};
  UINT argErr = 0;
  const HRESULT hr = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                       kind == TInvokeKind::PropertyPut ? nullptr : result.Get(), &exception, &argErr);
  if (hr == DISP_E_EXCEPTION) {
    if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    const TBstr source = TBstr::Attach(exception.bstrSource);
    const TBstr description = TBstr::Attach(exception.bstrDescription);
    const TBstr helpFile = TBstr::Attach(exception.bstrHelpFile);
    HResult code = kDispException;
    if (FAILED(exception.scode)) code = static_cast<HResult>(exception.scode);
    else if (exception.wCode != 0) code = static_cast<HResult>(0x80040200u + exception.wCode);
    std::string message = Trim(description.Utf8());
    if (message.empty()) message = std::string(name) + ": " + HResultMessage(static_cast<HRESULT>(code));
    throw TAutomationError(code, message);
  }
  if (FAILED(hr)) throw TAutomationError(static_cast<HResult>(hr), ArgumentError(hr, name, argErr, count));

  for (std::size_t i = 0; i < count; ++i)
    if (args[i].ByRef) args[i].Value = FromComVariant(slots.Ref(i), Wrap);
  return FromComVariant(*result.Get(), Wrap);
}

}  // namespace kav::cad::com
