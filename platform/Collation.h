// Case-insensitive comparison in the user's locale order (sorting and sorted lists).
#pragma once

#include <memory>
#include <string_view>

namespace kav {

class ICollation {
 public:
  virtual ~ICollation() = default;
  // Negative, zero or positive, ignoring letter case.
  virtual int CompareIgnoreCase(std::string_view a, std::string_view b) const = 0;
};

// Portable substitute: compares code points after folding a to z, so ASCII sorts as the
// Windows collation sorts it for plain names; kana and kanji sort by code point.
std::unique_ptr<ICollation> MakePortableCollation();

}  // namespace kav
