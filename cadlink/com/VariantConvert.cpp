#include "cadlink/com/VariantConvert.h"

#include <cmath>
#include <limits>

#include "cadlink/AutomationError.h"
#include "cadlink/com/ComErrors.h"
#include "platform/Text.h"

namespace kav::cad::com {

namespace {

[[noreturn]] void Unsupported(VARTYPE type) {
  throw TAutomationError(kTypeMismatch, "unsupported VARIANT type " + std::to_string(type));
}

void Check(HRESULT hr, const char* what) {
  if (FAILED(hr)) ThrowHResult(hr, what);
}

template <class TItem>
TSafeArray MakeArray(VARTYPE type, int lower, const std::vector<TItem>& items) {
  SAFEARRAYBOUND bound{static_cast<ULONG>(items.size()), lower};
  TSafeArray array(SafeArrayCreate(type, 1, &bound));
  if (!array.Get()) ThrowHResult(E_OUTOFMEMORY, "array");
  return array;
}

template <class TItem>
void CopyNumbers(const TArray<TItem>& source, VARTYPE type, VARIANT& target) {
  TSafeArray array = MakeArray(type, source.Lower, source.Items);
  if (!source.Items.empty()) {
    TSafeArrayData data(array.Get());
    std::copy(source.Items.begin(), source.Items.end(), data.As<TItem>());
  }
  target.vt = static_cast<VARTYPE>(VT_ARRAY | type);
  target.parray = array.Release();
}

Variant FromWideInteger(long long value) {
  if (value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max())
    return Variant(static_cast<std::int32_t>(value));
  return Variant(static_cast<double>(value));
}

// One array element of a plain type as a VARIANT, so that the scalar rules apply.
Variant ElementAt(SAFEARRAY* array, VARTYPE type, LONG* indexes, const TWrapDispatch& wrap) {
  TVariant element;
  VARIANT* v = element.Get();
  switch (type) {
    case VT_VARIANT: Check(SafeArrayGetElement(array, indexes, v), "array element"); break;
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
    case VT_I1: case VT_UI1: case VT_I2: case VT_UI2: case VT_I4: case VT_UI4: case VT_INT: case VT_UINT:
    case VT_I8: case VT_UI8: case VT_R4: case VT_R8: case VT_BOOL: case VT_DATE: case VT_CY: case VT_ERROR:
      // SafeArrayGetElement copies (and adds references to) what it hands out, into the
      // union of a VARIANT of that type.
      Check(SafeArrayGetElement(array, indexes, &v->bVal), "array element");
      v->vt = type;
      break;
    default: Unsupported(static_cast<VARTYPE>(VT_ARRAY | type));
  }
  return FromComVariant(*v, wrap);
}

Variant FromArray(SAFEARRAY* array, VARTYPE type, const TWrapDispatch& wrap) {
  if (array == nullptr) return Variant();
  const UINT dims = SafeArrayGetDim(array);
  if (dims == 0) return Variant(VariantArray{});
  // Bounds of every dimension; the elements are visited in storage order (the first index
  // runs fastest), which reads a multi-dimensional array flat.
  std::vector<LONG> lower(dims), upper(dims);
  std::size_t total = 1;
  for (UINT d = 0; d < dims; ++d) {
    Check(SafeArrayGetLBound(array, d + 1, &lower[d]), "array bounds");
    Check(SafeArrayGetUBound(array, d + 1, &upper[d]), "array bounds");
    if (upper[d] < lower[d]) total = 0;
    else total *= static_cast<std::size_t>(upper[d] - lower[d] + 1);
  }
  const int firstLower = static_cast<int>(lower[0]);
  if (dims == 1 && type == VT_R8) {
    DoubleArray out{firstLower, std::vector<double>(total)};
    if (total) {
      TSafeArrayData data(array);
      std::copy(data.As<double>(), data.As<double>() + total, out.Items.begin());
    }
    return Variant(std::move(out));
  }
  if (dims == 1 && type == VT_I2) {
    ShortArray out{firstLower, std::vector<std::int16_t>(total)};
    if (total) {
      TSafeArrayData data(array);
      std::copy(data.As<std::int16_t>(), data.As<std::int16_t>() + total, out.Items.begin());
    }
    return Variant(std::move(out));
  }
  std::vector<LONG> index(lower);
  std::vector<Variant> items;
  items.reserve(total);
  for (std::size_t n = 0; n < total; ++n) {
    items.push_back(ElementAt(array, type, index.data(), wrap));
    for (UINT d = 0; d < dims; ++d) {
      if (++index[d] <= upper[d]) break;
      index[d] = lower[d];
    }
  }
  if (type == VT_R8 || type == VT_R4) {
    DoubleArray out{firstLower, {}};
    for (const auto& item : items) out.Items.push_back(item.AsDouble());
    return Variant(std::move(out));
  }
  return Variant(VariantArray{firstLower, std::move(items)});
}

}  // namespace

void ToComVariant(const Variant& value, VARIANT& target, const TUnwrapObject& unwrap) {
  VariantInit(&target);
  switch (value.Kind()) {
    case VariantKind::Empty: return;
    case VariantKind::Missing:
      target.vt = VT_ERROR;
      target.scode = DISP_E_PARAMNOTFOUND;
      return;
    case VariantKind::Bool:
      target.vt = VT_BOOL;
      target.boolVal = std::get<bool>(value.Value()) ? VARIANT_TRUE : VARIANT_FALSE;
      return;
    case VariantKind::Int16:
      target.vt = VT_I2;
      target.iVal = std::get<std::int16_t>(value.Value());
      return;
    case VariantKind::Int32:
      target.vt = VT_I4;
      target.lVal = std::get<std::int32_t>(value.Value());
      return;
    case VariantKind::Double:
      target.vt = VT_R8;
      target.dblVal = std::get<double>(value.Value());
      return;
    case VariantKind::String: {
      TBstr text(Utf8ToWide(std::get<std::string>(value.Value())));
      target.vt = VT_BSTR;
      target.bstrVal = text.Release();
      return;
    }
    case VariantKind::Object: {
      TComPtr<IDispatch> dispatch = unwrap ? unwrap(std::get<ObjectRef>(value.Value())) : TComPtr<IDispatch>();
      if (!dispatch && std::get<ObjectRef>(value.Value()))
        throw TAutomationError(kTypeMismatch, "an object of another kind cannot be passed over COM");
      target.vt = VT_DISPATCH;
      target.pdispVal = nullptr;
      if (dispatch) {
        dispatch->AddRef();
        target.pdispVal = dispatch.Get();
      }
      return;
    }
    case VariantKind::DoubleArray: CopyNumbers(std::get<DoubleArray>(value.Value()), VT_R8, target); return;
    case VariantKind::ShortArray: CopyNumbers(std::get<ShortArray>(value.Value()), VT_I2, target); return;
    case VariantKind::VariantArray: {
      const auto& source = std::get<VariantArray>(value.Value());
      TSafeArray array = MakeArray(VT_VARIANT, source.Lower, source.Items);
      if (!source.Items.empty()) {
        TSafeArrayData data(array.Get());
        VARIANT* items = data.As<VARIANT>();
        // The array owns each element as soon as it is written; destroying it clears them.
        for (std::size_t i = 0; i < source.Items.size(); ++i) ToComVariant(source.Items[i], items[i], unwrap);
      }
      target.vt = VT_ARRAY | VT_VARIANT;
      target.parray = array.Release();
      return;
    }
  }
}

Variant FromComVariant(const VARIANT& source, const TWrapDispatch& wrap) {
  if (source.vt & VT_BYREF) {
    if (source.vt == (VT_BYREF | VT_VARIANT)) {
      if (source.pvarVal == nullptr) return Variant();
      return FromComVariant(*source.pvarVal, wrap);
    }
    TVariant direct;
    Check(VariantCopyInd(direct.Get(), const_cast<VARIANT*>(&source)), "by-reference value");
    return FromComVariant(*direct.Get(), wrap);
  }
  if (source.vt & VT_ARRAY) return FromArray(source.parray, static_cast<VARTYPE>(source.vt & VT_TYPEMASK), wrap);
  switch (source.vt) {
    case VT_EMPTY:
    case VT_NULL: return Variant();
    case VT_ERROR: return source.scode == DISP_E_PARAMNOTFOUND ? Variant(TMissing{}) : Variant();
    case VT_BOOL: return Variant(source.boolVal != VARIANT_FALSE);
    case VT_I1: return Variant(static_cast<std::int16_t>(source.cVal));
    case VT_UI1: return Variant(static_cast<std::int16_t>(source.bVal));
    case VT_I2: return Variant(static_cast<std::int16_t>(source.iVal));
    case VT_UI2: return Variant(static_cast<std::int32_t>(source.uiVal));
    case VT_I4: return Variant(static_cast<std::int32_t>(source.lVal));
    case VT_INT: return Variant(static_cast<std::int32_t>(source.intVal));
    case VT_UI4: return FromWideInteger(source.ulVal);
    case VT_UINT: return FromWideInteger(source.uintVal);
    case VT_I8: return FromWideInteger(source.llVal);
    case VT_UI8:
      if (source.ullVal > static_cast<ULONGLONG>(std::numeric_limits<long long>::max())) return Variant(static_cast<double>(source.ullVal));
      return FromWideInteger(static_cast<long long>(source.ullVal));
    case VT_R4: return Variant(static_cast<double>(source.fltVal));
    case VT_R8: return Variant(source.dblVal);
    case VT_DATE:
    case VT_CY:
    case VT_DECIMAL: {
      TVariant number;
      Check(VariantChangeType(number.Get(), const_cast<VARIANT*>(&source), 0, VT_R8), "number");
      return Variant(number.Get()->dblVal);
    }
    case VT_BSTR: {
      if (source.bstrVal == nullptr) return Variant(std::string());
      return Variant(WideToUtf8(std::wstring_view(source.bstrVal, SysStringLen(source.bstrVal))));
    }
    case VT_DISPATCH: {
      if (source.pdispVal == nullptr) return Variant();
      return Variant(wrap(TComPtr<IDispatch>::Share(source.pdispVal)));
    }
    case VT_UNKNOWN: {
      if (source.punkVal == nullptr) return Variant();
      TComPtr<IDispatch> dispatch;
      const HRESULT hr = source.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.Put()));
      if (FAILED(hr)) throw TAutomationError(kTypeMismatch, "an object without IDispatch");
      return Variant(wrap(std::move(dispatch)));
    }
    default: Unsupported(source.vt);
  }
}

}  // namespace kav::cad::com
