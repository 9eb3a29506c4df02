// The user's number format: the decimal separator number boxes are read and shown with.
#pragma once

#include <string>

namespace kav {

class ILocale {
 public:
  virtual ~ILocale() = default;
  // The decimal separator of the user's locale, asked at each use so that a change in the
  // regional settings shows without a restart ("." or "," and the like; at most three characters).
  virtual std::string DecimalSeparator() const = 0;
};

}  // namespace kav
