#include "cadlink/com/ComValues.h"

#include "cadlink/com/ComErrors.h"
#include "platform/Text.h"

namespace kav::cad::com {

TBstr::TBstr(std::wstring_view text) : bstr_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
  if (bstr_ == nullptr && !text.empty()) ThrowHResult(E_OUTOFMEMORY, "string");
}

std::string TBstr::Utf8() const {
  if (bstr_ == nullptr) return {};
  return WideToUtf8(std::wstring_view(bstr_, SysStringLen(bstr_)));
}

TSafeArrayData::TSafeArrayData(SAFEARRAY* array) : array_(array) {
  const HRESULT hr = SafeArrayAccessData(array, &data_);
  if (FAILED(hr)) {
    data_ = nullptr;
    ThrowHResult(hr, "array");
  }
}

}  // namespace kav::cad::com
