#include "bench/placement/RawCalls.h"

#include <oleauto.h>

#include <stdexcept>

namespace kav::bench {

DISPID TRawObject::IdOf(const wchar_t* name) {
  const auto found = ids_.find(name);
  if (found != ids_.end()) return found->second;
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  if (FAILED(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) throw std::runtime_error("unknown name");
  ids_.emplace(name, id);
  return id;
}

void TRawObject::Invoke(const wchar_t* name, WORD flags, DISPPARAMS& params, VARIANT* result) {
  if (FAILED(dispatch_->Invoke(IdOf(name), IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr)))
    throw std::runtime_error("call failed");
}

TRawObject TRawObject::Object(const wchar_t* property) {
  TRawVariant result;
  Get(property, &result.Value);
  auto dispatch = cad::com::TComPtr<IDispatch>::Attach(result.Value.pdispVal);
  result.Value.vt = VT_EMPTY;
  return TRawObject(std::move(dispatch));
}

void TRawObject::Call(const wchar_t* method, VARIANT* args, unsigned count, VARIANT* result) {
  DISPPARAMS params{args, nullptr, count, 0};
  TRawVariant ignored;
  Invoke(method, DISPATCH_METHOD, params, result != nullptr ? result : &ignored.Value);
}

void TRawObject::Get(const wchar_t* property, VARIANT* result) {
  DISPPARAMS params{nullptr, nullptr, 0, 0};
  Invoke(property, DISPATCH_PROPERTYGET, params, result);
}

void TRawObject::Put(const wchar_t* property, VARIANT& value) {
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&value, &named, 1, 1};
  Invoke(property, DISPATCH_PROPERTYPUT, params, nullptr);
}

void SetString(VARIANT& v, const wchar_t* text) {
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(text);
}

void SetDouble(VARIANT& v, double value) {
  v.vt = VT_R8;
  v.dblVal = value;
}

void SetInt(VARIANT& v, int value) {
  v.vt = VT_I4;
  v.lVal = value;
}

void SetPoint(VARIANT& v, const cad::TPoint& p) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_R8, 0, 3);
  double* data = nullptr;
  SafeArrayAccessData(array, reinterpret_cast<void**>(&data));
  data[0] = p.X;
  data[1] = p.Y;
  data[2] = p.Z;
  SafeArrayUnaccessData(array);
  v.vt = VT_ARRAY | VT_R8;
  v.parray = array;
}

void SetMissing(VARIANT& v) {
  v.vt = VT_ERROR;
  v.scode = DISP_E_PARAMNOTFOUND;
}

void SetRef(VARIANT& v, VARIANT& target) {
  v.vt = VT_BYREF | VT_VARIANT;
  v.pvarVal = &target;
}

TRawObject ActiveObject(const std::wstring& progId) {
  CLSID clsid{};
  if (FAILED(CLSIDFromProgID(progId.c_str(), &clsid))) throw std::runtime_error("unknown ProgID");
  cad::com::TComPtr<IUnknown> unknown;
  if (FAILED(GetActiveObject(clsid, nullptr, unknown.Put()))) throw std::runtime_error("not running");
  cad::com::TComPtr<IDispatch> dispatch;
  unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.Put()));
  return TRawObject(std::move(dispatch));
}

}  // namespace kav::bench
