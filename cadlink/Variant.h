// Automation values as the CAD exchanges them: the portable counterpart of a COM VARIANT,
// with arrays that keep their lower bound.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace kav::cad {

class IAutomationObject;
using ObjectRef = std::shared_ptr<IAutomationObject>;

// An optional argument that is left out (the member uses its default).
struct TMissing {
  bool operator==(const TMissing&) const = default;
};

template <class T>
struct TArray {
  int Lower = 0;
  std::vector<T> Items;
  bool operator==(const TArray&) const = default;
};

class Variant;
using DoubleArray = TArray<double>;
using ShortArray = TArray<std::int16_t>;
using VariantArray = TArray<Variant>;

enum class VariantKind {
  Empty, Missing, Bool, Int16, Int32, Double, String, Object, DoubleArray, ShortArray, VariantArray,
};

class Variant {
 public:
  using Storage = std::variant<std::monostate, TMissing, bool, std::int16_t, std::int32_t, double, std::string,
                               ObjectRef, DoubleArray, ShortArray, VariantArray>;

  Variant() = default;
  Variant(TMissing missing) : value_(missing) {}
  Variant(bool value) : value_(value) {}
  Variant(std::int16_t value) : value_(value) {}
  Variant(std::int32_t value) : value_(value) {}
  Variant(double value) : value_(value) {}
  Variant(std::string value) : value_(std::move(value)) {}
  Variant(const char* value) : value_(std::string(value)) {}
  Variant(ObjectRef value) : value_(std::move(value)) {}
  Variant(DoubleArray value) : value_(std::move(value)) {}
  Variant(ShortArray value) : value_(std::move(value)) {}
  Variant(VariantArray value) : value_(std::move(value)) {}

  VariantKind Kind() const { return static_cast<VariantKind>(value_.index()); }
  bool IsEmpty() const { return Kind() == VariantKind::Empty; }
  bool IsMissing() const { return Kind() == VariantKind::Missing; }
  const Storage& Value() const { return value_; }

  // Conversions as automation coerces: numbers into each other, numeric strings into
  // numbers, numbers into strings. A value that cannot be converted throws TAutomationError
  // with the type-mismatch code.
  bool AsBool() const;
  // A double gives its nearest whole number, a half going to the even one (2.5 gives 2,
  // 3.5 gives 4), as automation's own coercion hands it to the CAD.
  std::int64_t AsInteger() const;
  std::int32_t AsInt32() const;     // the same, and a type mismatch outside 32 bits
  double AsDouble() const;
  std::string AsString() const;
  ObjectRef AsObject() const;       // never null: an empty object is a type mismatch
  // The numbers of a double array, a 16-bit array or a variant array of numbers.
  std::vector<double> AsDoubles() const;
  // The elements of any array as variants (a double array gives doubles, and so on).
  std::vector<Variant> AsVariants() const;

  bool operator==(const Variant& other) const { return value_ == other.value_; }

  // A short description for messages and logs: "Double 2.5", "String \"ABC\"", ...
  std::string Describe() const;

 private:
  Storage value_;
};

// A 16-bit integer (literals are 32-bit otherwise).
inline Variant Int16(int value) { return Variant(static_cast<std::int16_t>(value)); }

const char* KindName(VariantKind kind);

}  // namespace kav::cad
