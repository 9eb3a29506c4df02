#include "simcad/com/DispatchAdapter.h"

#include <exception>

#include "cadlink/com/ComErrors.h"
#include "cadlink/com/ComObject.h"
#include "cadlink/com/ComValues.h"
#include "cadlink/com/VariantConvert.h"
#include "platform/Text.h"

namespace kav::sim::com {

using cad::com::TComPtr;

namespace {

BSTR MakeBstr(const std::string& utf8) {
  const std::wstring wide = Utf8ToWide(utf8);
  return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

}  // namespace

TComPtr<IDispatch> TDispatchAdapter::Create(cad::ObjectRef object, std::shared_ptr<TServerContext> context) {
  // Reference counted: the object deletes itself when its last reference goes.
  return TComPtr<IDispatch>::Attach(new TDispatchAdapter(std::move(object), std::move(context)));
}

HRESULT STDMETHODCALLTYPE TDispatchAdapter::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TDispatchAdapter::AddRef() { return ++references_; }

ULONG STDMETHODCALLTYPE TDispatchAdapter::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT STDMETHODCALLTYPE TDispatchAdapter::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TDispatchAdapter::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TDispatchAdapter::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (names == nullptr || ids == nullptr) return E_POINTER;
  ++context_->NameLookups;
  // Every name gets a DISPID; whether this object has such a member is answered by Invoke,
  // with the model's own message.
  for (UINT i = 0; i < count; ++i) {
    const std::string name = WideToUtf8(names[i] ? std::wstring_view(names[i]) : std::wstring_view());
    const std::string key = UpperAscii(name);
    auto found = context_->Ids.find(key);
    if (found == context_->Ids.end()) {
      context_->Names.push_back(name);
      found = context_->Ids.emplace(key, static_cast<DISPID>(context_->Names.size())).first;
    }
    ids[i] = found->second;
  }
  return S_OK;
}

cad::Variant TDispatchAdapter::Call(const std::string& name, WORD flags, DISPPARAMS& params) {
  const std::string upper = UpperAscii(name);
  if (upper == "SIMINVOKECOUNT") return cad::Variant(static_cast<double>(context_->Invokes));
  if (upper == "SIMNAMELOOKUPCOUNT") return cad::Variant(static_cast<double>(context_->NameLookups));
  if (upper == "SIMQUIT") {
    if (context_->OnQuit) context_->OnQuit();
    return {};
  }

  const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  const UINT named = params.cNamedArgs;
  if (put ? (named != 1 || params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) : named != 0)
    throw cad::TAutomationError(DISP_E_NONAMEDARGS, name + ": named arguments are not supported");
  const auto wrap = [](TComPtr<IDispatch> dispatch) { return cad::com::MakeComObject(std::move(dispatch)); };

  // DISPPARAMS holds the positional arguments last first, after the named ones.
  std::vector<cad::TArg> args;
  for (UINT i = params.cArgs; i-- > named;) {
    const VARIANT& v = params.rgvarg[i];
    args.push_back({cad::com::FromComVariant(v, wrap), (v.vt & VT_BYREF) != 0});
  }
  if (put) args.push_back({cad::com::FromComVariant(params.rgvarg[0], wrap), (params.rgvarg[0].vt & VT_BYREF) != 0});

  const cad::TInvokeKind kind = put ? cad::TInvokeKind::PropertyPut
                                    : (flags & DISPATCH_METHOD) ? cad::TInvokeKind::Method : cad::TInvokeKind::PropertyGet;
  cad::Variant result;
  if (put || upper.rfind("SIM", 0) != 0 || !context_->ServerMember || !context_->ServerMember(upper, args, result))
    result = object_->Invoke(kind, name, args);

  // Out arguments go back into the caller's VARIANTs (variant references only).
  const auto unwrap = [context = context_](const cad::ObjectRef& object) { return Create(object, context); };
  for (UINT i = params.cArgs, n = 0; i-- > named; ++n) {
    VARIANT& v = params.rgvarg[i];
    if (v.vt != (VT_BYREF | VT_VARIANT) || v.pvarVal == nullptr) continue;
    cad::com::TVariant converted;
    cad::com::ToComVariant(args[n].Value, *converted.Get(), unwrap);
    VariantClear(v.pvarVal);
    converted.MoveTo(v.pvarVal);
  }
  return result;
}

HRESULT STDMETHODCALLTYPE TDispatchAdapter::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                                   VARIANT* result, EXCEPINFO* exception, UINT* argErr) {
  ++context_->Invokes;
  if (argErr != nullptr) *argErr = 0;
  if (id < 1 || static_cast<std::size_t>(id) > context_->Names.size()) return DISP_E_MEMBERNOTFOUND;
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  if (params == nullptr) params = &none;

  HRESULT code = S_OK;
  std::string message;
  try {
    cad::Variant value = Call(context_->Names[static_cast<std::size_t>(id) - 1], flags, *params);
    if (result != nullptr) {
      VariantInit(result);
      cad::com::ToComVariant(value, *result, [context = context_](const cad::ObjectRef& object) {
        return Create(object, context);
      });
    }
  } catch (const cad::TAutomationError& e) {
    code = e.Code;
    message = e.what();
  } catch (const std::exception& e) {
    code = E_FAIL;
    message = e.what();
  }
  if (context_->OnCall) context_->OnCall();
  if (code == S_OK) return S_OK;
  if (exception == nullptr) return code;
  *exception = EXCEPINFO{};
  exception->scode = code;
  exception->bstrSource = MakeBstr("KaverolinSim");
  exception->bstrDescription = MakeBstr(message);
  return DISP_E_EXCEPTION;
}

}  // namespace kav::sim::com
