// Automation values: the coercions the operations rely on, and points.
#include <gtest/gtest.h>

#include <cfenv>
#include <cstdint>
#include <limits>
#include <utility>

#include "cadlink/Automation.h"
#include "cadlink/Point.h"
#include "tests/support/AutomationCode.h"

namespace kav::cad {
namespace {

using test::CodeOf;

TEST(Variant, NumbersCoerceAsAutomationDoes) {
  EXPECT_DOUBLE_EQ(Variant(Int16(-7)).AsDouble(), -7.0);
  EXPECT_DOUBLE_EQ(Variant("2.5").AsDouble(), 2.5);
  EXPECT_EQ(Variant(2.5).AsInteger(), 2);    // half to even
  EXPECT_EQ(Variant(3.5).AsInteger(), 4);
  EXPECT_EQ(Variant(-1.5).AsInteger(), -2);
  EXPECT_EQ(Variant(true).AsInteger(), -1);  // automation's True
  EXPECT_TRUE(Variant(Int16(1)).AsBool());
  EXPECT_FALSE(Variant(0.0).AsBool());
  EXPECT_TRUE(Variant("True").AsBool());
  EXPECT_EQ(Variant(12.0).AsString(), "12");
  EXPECT_EQ(Variant(0.25).AsString(), "0.25");
  EXPECT_EQ(Variant().AsString(), "");
}

TEST(Variant, WhatCannotBeConvertedIsATypeMismatch) {
  EXPECT_EQ(CodeOf([] { (void)Variant("abc").AsDouble(); }), kTypeMismatch);
  EXPECT_EQ(CodeOf([] { (void)Variant().AsObject(); }), kTypeMismatch);
  EXPECT_EQ(CodeOf([] { (void)Variant(ObjectRef()).AsObject(); }), kTypeMismatch);
  EXPECT_EQ(CodeOf([] { (void)Variant(3e10).AsInt32(); }), kTypeMismatch);
  EXPECT_EQ(CodeOf([] { (void)Variant(std::numeric_limits<double>::quiet_NaN()).AsInteger(); }), kTypeMismatch);
  EXPECT_EQ(CodeOf([] { (void)Variant("x").AsDoubles(); }), kTypeMismatch);
  EXPECT_EQ(CodeOf([] { (void)Variant(DoubleArray{0, {1, 2}}).AsString(); }), kTypeMismatch);
}

TEST(Variant, ThirtyTwoBitIntegersReachBothEdgesAndNoFurther) {
  const std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
  const std::int32_t highest = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(Variant(lowest).AsInt32(), lowest);
  EXPECT_EQ(Variant(-2147483648.0).AsInt32(), lowest);
  EXPECT_EQ(Variant(highest).AsInt32(), highest);
  EXPECT_EQ(Variant(2147483647.0).AsInt32(), highest);
  EXPECT_EQ(Variant("-2147483648").AsInt32(), lowest);
  EXPECT_EQ(CodeOf([] { (void)Variant(-2147483649.0).AsInt32(); }), kTypeMismatch);
  EXPECT_EQ(CodeOf([] { (void)Variant(2147483648.0).AsInt32(); }), kTypeMismatch);
  EXPECT_EQ(CodeOf([] { (void)Variant("2147483648").AsInt32(); }), kTypeMismatch);
  // Rounding decides first: just below half past the edge still fits, half past it does
  // not where the even neighbour lies outside.
  EXPECT_EQ(Variant(2147483647.4).AsInt32(), highest);
  EXPECT_EQ(CodeOf([] { (void)Variant(2147483647.5).AsInt32(); }), kTypeMismatch);
  EXPECT_EQ(Variant(-2147483648.5).AsInt32(), lowest);   // the even neighbour is the edge itself
  EXPECT_EQ(CodeOf([] { (void)Variant(-2147483648.6).AsInt32(); }), kTypeMismatch);
}

TEST(Variant, ADoubleGivesTheNearestIntegerWithHalvesToEven) {
  // As automation coerces (VariantChangeType): a TEXT's Alignment or a selection mode sent
  // as 2.5 arrives as 2 in the CAD, 3.5 as 4.
  const std::pair<double, std::int32_t> cases[] = {
      {2.5, 2},  {3.5, 4},  {0.5, 0},  {1.5, 2},  {-0.5, 0}, {-2.5, -2}, {-3.5, -4},
      {2.4, 2},  {2.6, 3},  {-2.6, -3}, {1e9 + 0.5, 1000000000}, {12.0, 12},
  };
  for (const auto& [number, expected] : cases) {
    EXPECT_EQ(Variant(number).AsInt32(), expected) << number;
    EXPECT_EQ(Variant(number).AsInteger(), expected) << number;
  }
  EXPECT_EQ(Variant("2.5").AsInt32(), 2);
  EXPECT_EQ(Variant("-3.5").AsInt32(), -4);
}

TEST(Variant, RoundingDoesNotDependOnTheFloatingPointMode) {
  // A library loaded into the process may leave another rounding mode behind.
  const int saved = std::fegetround();
  for (const int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    ASSERT_EQ(std::fesetround(mode), 0);
    const std::int64_t two = Variant(2.5).AsInteger();
    const std::int64_t minusFour = Variant(-3.5).AsInteger();
    const std::int64_t three = Variant(2.6).AsInteger();
    const std::int64_t minusTwo = Variant(-2.4).AsInteger();
    std::fesetround(saved);
    EXPECT_EQ(two, 2) << mode;
    EXPECT_EQ(minusFour, -4) << mode;
    EXPECT_EQ(three, 3) << mode;
    EXPECT_EQ(minusTwo, -2) << mode;
  }
  std::fesetround(saved);
}

TEST(Variant, ArraysKeepTheirBoundsAndElementKinds) {
  const Variant filterTypes(ShortArray{0, {0, 66}});
  const Variant filterData(VariantArray{0, {Variant("INSERT"), Variant(Int16(1))}});
  EXPECT_EQ(filterTypes.Kind(), VariantKind::ShortArray);
  EXPECT_EQ(filterTypes.AsDoubles(), (std::vector<double>{0, 66}));
  const auto items = filterData.AsVariants();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].Kind(), VariantKind::String);
  EXPECT_EQ(items[1].Kind(), VariantKind::Int16);
  EXPECT_NE(Variant(DoubleArray{1, {1.0}}), Variant(DoubleArray{0, {1.0}}));
}

TEST(Point, TravelsAsThreeDoublesWithBoundsZeroToTwo) {
  const Variant p = MakePoint(1.5, -2, 3);
  ASSERT_EQ(p.Kind(), VariantKind::DoubleArray);
  EXPECT_EQ(std::get<DoubleArray>(p.Value()).Lower, 0);
  EXPECT_EQ(ToPoint(p), (TPoint{1.5, -2, 3}));
  // Some CADs answer with a variant array of numbers, or with x and y only.
  EXPECT_EQ(ToPoint(Variant(VariantArray{0, {Variant(1.0), Variant(Int16(2)), Variant(3)}})), (TPoint{1, 2, 3}));
  EXPECT_EQ(ToPoint(Variant(DoubleArray{0, {4, 5}})), (TPoint{4, 5, 0}));
  EXPECT_EQ(CodeOf([] { ToPoint(Variant(DoubleArray{0, {1, 2, 3, 4}})); }), kTypeMismatch);
  EXPECT_EQ(CodeOf([] { ToPoint(Variant(2.0)); }), kTypeMismatch);
  EXPECT_EQ(CodeOf([] { ToPoint(Variant()); }), kTypeMismatch);
}

}  // namespace
}  // namespace kav::cad
