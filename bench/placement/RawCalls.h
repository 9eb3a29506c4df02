// Automation calls made by hand with IDispatch::Invoke (names looked up once), as the fastest
// a client can be: the yardstick for the COM backend in the benchmark.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <map>
#include <string>

#include "cadlink/Point.h"
#include "cadlink/com/ComPtr.h"

namespace kav::bench {

class TRawObject {
 public:
  explicit TRawObject(cad::com::TComPtr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {}
  TRawObject Object(const wchar_t* property);                       // a property holding an object
  void Call(const wchar_t* method, VARIANT* args = nullptr, unsigned count = 0, VARIANT* result = nullptr);
  void Get(const wchar_t* property, VARIANT* result);
  void Put(const wchar_t* property, VARIANT& value);
  IDispatch* Get() const { return dispatch_.Get(); }

 private:
  DISPID IdOf(const wchar_t* name);
  void Invoke(const wchar_t* name, WORD flags, DISPPARAMS& params, VARIANT* result);
  cad::com::TComPtr<IDispatch> dispatch_;
  std::map<std::wstring, DISPID> ids_;
};

// Owned VARIANTs of the kinds the text operations pass.
struct TRawVariant {
  VARIANT Value;
  TRawVariant() { VariantInit(&Value); }
  ~TRawVariant() { VariantClear(&Value); }
  TRawVariant(const TRawVariant&) = delete;
  TRawVariant& operator=(const TRawVariant&) = delete;
};
void SetString(VARIANT& v, const wchar_t* text);
void SetDouble(VARIANT& v, double value);
void SetInt(VARIANT& v, int value);
void SetPoint(VARIANT& v, const cad::TPoint& p);
void SetMissing(VARIANT& v);
// A by-reference VARIANT pointing at `target`.
void SetRef(VARIANT& v, VARIANT& target);

// The application object of a ProgID, found as the COM backend finds it.
TRawObject ActiveObject(const std::wstring& progId);

}  // namespace kav::bench
