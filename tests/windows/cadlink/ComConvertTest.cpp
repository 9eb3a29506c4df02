// Variant <-> VARIANT: every kind both ways, bounds kept, and what a real CAD may send.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "cadlink/AutomationError.h"
#include "cadlink/com/ComValues.h"
#include "cadlink/com/VariantConvert.h"

namespace kav::cad::com {
namespace {

Variant RoundTrip(const Variant& value) {
  TVariant com;
  ToComVariant(value, *com.Get(), {});
  return FromComVariant(*com.Get(), {});
}

TEST(ComConvert, EveryKindComesBackAsItWent) {
  const Variant values[] = {
      Variant(), Variant(TMissing{}), Variant(true), Variant(false), Int16(-32768), Variant(2147483647), Variant(-0.125),
      Variant("図研 ABC"), Variant(std::string("a\0b", 3)), Variant(DoubleArray{0, {1.5, -2, 3}}),
      Variant(DoubleArray{5, {}}), Variant(ShortArray{0, {0, 66}}),
      Variant(VariantArray{0, {Variant("INSERT"), Int16(1), Variant(VariantArray{1, {Variant(2.0)}})}}),
  };
  for (const auto& value : values) EXPECT_EQ(RoundTrip(value), value) << value.Describe();
}

TEST(ComConvert, TypesTravelAsCadsExpectThem) {
  TVariant com;
  ToComVariant(Variant(ShortArray{0, {0}}), *com.Get(), {});
  EXPECT_EQ(com.Get()->vt, VT_ARRAY | VT_I2);
  LONG lower = -1, upper = -1;
  SafeArrayGetLBound(com.Get()->parray, 1, &lower);
  SafeArrayGetUBound(com.Get()->parray, 1, &upper);
  EXPECT_EQ(lower, 0);
  EXPECT_EQ(upper, 0);
  ToComVariant(Variant(TMissing{}), *com.Put(), {});
  EXPECT_EQ(com.Get()->vt, VT_ERROR);
  EXPECT_EQ(com.Get()->scode, DISP_E_PARAMNOTFOUND);
  ToComVariant(Variant(true), *com.Put(), {});
  EXPECT_EQ(com.Get()->boolVal, VARIANT_TRUE);
}

TEST(ComConvert, WideIntegersFloatsReferencesAndTwoDimensionalArraysAreRead) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I8;
  v.llVal = 0x1'0000'0000LL;
  EXPECT_EQ(FromComVariant(v, {}), Variant(4294967296.0));
  v.llVal = -5;
  EXPECT_EQ(FromComVariant(v, {}), Variant(-5));
  v.vt = VT_R4;
  v.fltVal = 0.5f;
  EXPECT_EQ(FromComVariant(v, {}), Variant(0.5));
  LONG value = 42;
  v.vt = VT_BYREF | VT_I4;
  v.plVal = &value;
  EXPECT_EQ(FromComVariant(v, {}), Variant(42));

  SAFEARRAYBOUND bounds[2] = {{2, 0}, {2, 0}};
  TSafeArray matrix(SafeArrayCreate(VT_R8, 2, bounds));
  {
    TSafeArrayData data(matrix.Get());
    for (int i = 0; i < 4; ++i) data.As<double>()[i] = i + 1;
  }
  VARIANT m;
  VariantInit(&m);
  m.vt = VT_ARRAY | VT_R8;
  m.parray = matrix.Get();
  EXPECT_EQ(FromComVariant(m, {}), Variant(DoubleArray{0, {1, 2, 3, 4}}));
}

HResult Int32CodeOf(const Variant& value) {
  try {
    (void)value.AsInt32();
  } catch (const TAutomationError& e) {
    return e.Code;
  }
  return 0;
}

TEST(ComConvert, WideIntegersAtTheThirtyTwoBitEdges) {
  const std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I8;
  v.llVal = -2147483648LL;
  EXPECT_EQ(FromComVariant(v, {}), Variant(lowest));
  v.llVal = 2147483647LL;
  EXPECT_EQ(FromComVariant(v, {}), Variant(std::numeric_limits<std::int32_t>::max()));
  v.llVal = -2147483649LL;
  EXPECT_EQ(FromComVariant(v, {}), Variant(-2147483649.0));
  EXPECT_EQ(Int32CodeOf(FromComVariant(v, {})), kTypeMismatch);
  v.vt = VT_UI4;
  v.ulVal = 2147483648u;
  EXPECT_EQ(FromComVariant(v, {}), Variant(2147483648.0));
  EXPECT_EQ(Int32CodeOf(FromComVariant(v, {})), kTypeMismatch);
  v.vt = VT_R8;
  v.dblVal = -2147483648.0;
  EXPECT_EQ(FromComVariant(v, {}).AsInt32(), lowest);
  EXPECT_EQ(RoundTrip(Variant(lowest)), Variant(lowest));
}

TEST(ComConvert, DoublesBecomeIntegersAsAutomationItselfCoercesThem) {
  // Whatever a CAD reads out of a double where it wants a 32-bit integer, it reads through
  // this coercion; a double that came over COM must give the same number here.
  const double numbers[] = {2.5, 3.5, 0.5, 1.5, -0.5, -1.5, -2.5, 2.4, 2.6, -2.6, 1e9 + 0.5,
                            2147483647.0, 2147483647.4, 2147483647.5, 2147483648.0, -2147483648.0,
                            -2147483648.5, -2147483648.6, -2147483649.0, 1e12};
  for (const double number : numbers) {
    const Variant arrived = RoundTrip(Variant(number));
    TVariant source, target;
    source.Get()->vt = VT_R8;
    source.Get()->dblVal = number;
    const HRESULT hr = VariantChangeType(target.Get(), source.Get(), 0, VT_I4);
    const HResult code = Int32CodeOf(arrived);
    if (SUCCEEDED(hr)) {
      EXPECT_EQ(code, 0) << number;
      if (code == 0) {
        EXPECT_EQ(arrived.AsInt32(), target.Get()->lVal) << number;
      }
    } else {
      EXPECT_EQ(hr, DISP_E_OVERFLOW) << number;
      EXPECT_EQ(code, kTypeMismatch) << number;
    }
  }
}

TEST(ComConvert, StringArraysBecomeVariantArraysAndUnknownTypesAreMismatches) {
  SAFEARRAYBOUND bound{2, 1};
  TSafeArray strings(SafeArrayCreate(VT_BSTR, 1, &bound));
  for (LONG i = 1; i <= 2; ++i) {
    TBstr text(i == 1 ? L"one" : L"二");
    SafeArrayPutElement(strings.Get(), &i, text.Get());
  }
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_ARRAY | VT_BSTR;
  v.parray = strings.Get();
  EXPECT_EQ(FromComVariant(v, {}), Variant(VariantArray{1, {Variant("one"), Variant("二")}}));

  VARIANT odd;
  VariantInit(&odd);
  odd.vt = VT_RECORD;
  try {
    FromComVariant(odd, {});
    FAIL() << "no error";
  } catch (const TAutomationError& e) {
    EXPECT_EQ(e.Code, kTypeMismatch);
  }
}

}  // namespace
}  // namespace kav::cad::com
