#include "cadlink/Point.h"

#include "cadlink/AutomationError.h"

namespace kav::cad {

Variant MakePoint(const TPoint& point) { return Variant(DoubleArray{0, {point.X, point.Y, point.Z}}); }

TPoint ToPoint(const Variant& value) {
  const auto kind = value.Kind();
  if (kind != VariantKind::DoubleArray && kind != VariantKind::VariantArray && kind != VariantKind::ShortArray)
    throw TAutomationError(kTypeMismatch, "type mismatch: " + value.Describe() + " is not a point");
  const std::vector<double> numbers = value.AsDoubles();
  if (numbers.size() == 2) return TPoint{numbers[0], numbers[1], 0};
  if (numbers.size() != 3)
    throw TAutomationError(kTypeMismatch, "type mismatch: a point needs 3 numbers, not " + std::to_string(numbers.size()));
  return TPoint{numbers[0], numbers[1], numbers[2]};
}

}  // namespace kav::cad
