// Conversion both ways between the portable Variant and the COM VARIANT. Objects cross as
// IDispatch; the callers say how an IDispatch becomes an object and back.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <functional>

#include "cadlink/Variant.h"
#include "cadlink/com/ComPtr.h"
#include "cadlink/com/ComValues.h"

namespace kav::cad::com {

using TWrapDispatch = std::function<ObjectRef(TComPtr<IDispatch>)>;
using TUnwrapObject = std::function<TComPtr<IDispatch>(const ObjectRef&)>;

// Fills `target` (which must hold nothing) from `value`. Throws TAutomationError.
void ToComVariant(const Variant& value, VARIANT& target, const TUnwrapObject& unwrap);
// Reads `source`, following by-reference values. Integers wider than 32 bits become a 32-bit
// integer when they fit and a double otherwise; arrays of more than one dimension are read
// flat in storage order. Throws TAutomationError for a type it cannot represent.
Variant FromComVariant(const VARIANT& source, const TWrapDispatch& wrap);

}  // namespace kav::cad::com
