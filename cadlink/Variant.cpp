#include "cadlink/Variant.h"

#include <cmath>
#include <limits>

#include "cadlink/Automation.h"
#include "platform/Text.h"

namespace kav::cad {

namespace {

[[noreturn]] void Mismatch(const Variant& value, const char* wanted) {
  throw TAutomationError(kTypeMismatch, std::string("type mismatch: ") + value.Describe() + " is not " + wanted);
}

bool TryNumber(const Variant& value, double& number) {
  switch (value.Kind()) {
    case VariantKind::Bool: number = std::get<bool>(value.Value()) ? -1.0 : 0.0; return true;   // automation's True is -1
    case VariantKind::Int16: number = std::get<std::int16_t>(value.Value()); return true;
    case VariantKind::Int32: number = std::get<std::int32_t>(value.Value()); return true;
    case VariantKind::Double: number = std::get<double>(value.Value()); return true;
    case VariantKind::String: return TryParseNumber(std::get<std::string>(value.Value()), number);
    default: return false;
  }
}

// Automation's coercion (VariantChangeType) rounds a double to the nearest whole number and a
// half to the even neighbour. Worked out with exact steps, so that a rounding mode some
// library leaves behind in the process cannot change the number the CAD gets.
double RoundHalfToEven(double number) {
  const double below = std::floor(number);
  const double fraction = number - below;
  if (fraction < 0.5) return below;
  if (fraction > 0.5) return below + 1;
  return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

}  // namespace

const char* KindName(VariantKind kind) {
  switch (kind) {
    case VariantKind::Empty: return "Empty";
    case VariantKind::Missing: return "Missing";
    case VariantKind::Bool: return "Bool";
    case VariantKind::Int16: return "Int16";
    case VariantKind::Int32: return "Int32";
    case VariantKind::Double: return "Double";
    case VariantKind::String: return "String";
    case VariantKind::Object: return "Object";
    case VariantKind::DoubleArray: return "DoubleArray";
    case VariantKind::ShortArray: return "ShortArray";
    case VariantKind::VariantArray: return "VariantArray";
  }
  return "?";
}

bool Variant::AsBool() const {
  if (Kind() == VariantKind::Bool) return std::get<bool>(value_);
  double number = 0;
  if (TryNumber(*this, number)) return number != 0;
  if (Kind() == VariantKind::String) {
    const std::string upper = UpperAscii(Trim(std::get<std::string>(value_)));
    if (upper == "TRUE") return true;
    if (upper == "FALSE") return false;
  }
  Mismatch(*this, "a boolean");
}

std::int64_t Variant::AsInteger() const {
  double number = 0;
  if (!TryNumber(*this, number) || !std::isfinite(number)) Mismatch(*this, "a number");
  const double rounded = RoundHalfToEven(number);
  if (rounded < -9.2e18 || rounded > 9.2e18) Mismatch(*this, "a whole number in range");
  return static_cast<std::int64_t>(rounded);
}

std::int32_t Variant::AsInt32() const {
  const std::int64_t value = AsInteger();
  if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
    Mismatch(*this, "a 32-bit integer");
  return static_cast<std::int32_t>(value);
}

double Variant::AsDouble() const {
  double number = 0;
  if (!TryNumber(*this, number)) Mismatch(*this, "a number");
  return number;
}

std::string Variant::AsString() const {
  switch (Kind()) {
    case VariantKind::String: return std::get<std::string>(value_);
    case VariantKind::Empty: return {};
    case VariantKind::Bool: return std::get<bool>(value_) ? "True" : "False";
    case VariantKind::Int16: return std::to_string(std::get<std::int16_t>(value_));
    case VariantKind::Int32: return std::to_string(std::get<std::int32_t>(value_));
    case VariantKind::Double: {
      const double d = std::get<double>(value_);
      if (std::isfinite(d) && d == std::nearbyint(d) && std::fabs(d) < 1e15) return std::to_string(static_cast<long long>(d));
      std::string text = FormatFixed(d, 15);
      while (!text.empty() && text.back() == '0') text.pop_back();
      if (!text.empty() && text.back() == '.') text.pop_back();
      return text;
    }
    default: Mismatch(*this, "a string");
  }
}

ObjectRef Variant::AsObject() const {
  if (Kind() == VariantKind::Object && std::get<ObjectRef>(value_)) return std::get<ObjectRef>(value_);
  Mismatch(*this, "an object");
}

std::vector<double> Variant::AsDoubles() const {
  switch (Kind()) {
    case VariantKind::DoubleArray: return std::get<DoubleArray>(value_).Items;
    case VariantKind::ShortArray: {
      const auto& items = std::get<ShortArray>(value_).Items;
      return std::vector<double>(items.begin(), items.end());
    }
    case VariantKind::VariantArray: {
      std::vector<double> numbers;
      for (const auto& item : std::get<VariantArray>(value_).Items) numbers.push_back(item.AsDouble());
      return numbers;
    }
    default: Mismatch(*this, "an array of numbers");
  }
}

std::vector<Variant> Variant::AsVariants() const {
  switch (Kind()) {
    case VariantKind::VariantArray: return std::get<VariantArray>(value_).Items;
    case VariantKind::DoubleArray: {
      const auto& items = std::get<DoubleArray>(value_).Items;
      return std::vector<Variant>(items.begin(), items.end());
    }
    case VariantKind::ShortArray: {
      const auto& items = std::get<ShortArray>(value_).Items;
      return std::vector<Variant>(items.begin(), items.end());
    }
    default: Mismatch(*this, "an array");
  }
}

std::string Variant::Describe() const {
  std::string text = KindName(Kind());
  switch (Kind()) {
    case VariantKind::String: return text + " \"" + std::get<std::string>(value_) + "\"";
    case VariantKind::Bool:
    case VariantKind::Int16:
    case VariantKind::Int32:
    case VariantKind::Double: return text + " " + AsString();
    case VariantKind::DoubleArray:
      return text + "(" + std::to_string(std::get<DoubleArray>(value_).Items.size()) + ")";
    case VariantKind::ShortArray:
      return text + "(" + std::to_string(std::get<ShortArray>(value_).Items.size()) + ")";
    case VariantKind::VariantArray:
      return text + "(" + std::to_string(std::get<VariantArray>(value_).Items.size()) + ")";
    default: return text;
  }
}

}  // namespace kav::cad
