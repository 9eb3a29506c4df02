// The selection filters of the simulated CAD: group code 0 (entity type, wildcards and comma
// lists such as "*LINE" or "TEXT,*LINE"), 8 (layer) and 66 (attributes follow).
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cadlink/Variant.h"
#include "simcad/SimDrawing.h"

namespace kav::sim {

class TFilter {
 public:
  // From the automation arguments: filter types (an array of 16-bit integers) and filter
  // values (an array of variants). Both left out (or empty) means no filter. Throws
  // TAutomationError with the invalid-argument code for arrays that do not fit together or
  // a group code the CAD does not know here.
  static TFilter FromArguments(const cad::Variant& types, const cad::Variant& values);

  bool Accepts(const TDrawing& drawing, const TEntity& entity) const;
  bool Empty() const { return pairs_.empty(); }

 private:
  std::vector<std::pair<int, cad::Variant>> pairs_;
};

// The CAD's wildcard match: '*' any run, '?' one character, ',' separates alternatives;
// letter case ignored.
bool MatchesWildcards(std::string_view text, std::string_view patterns);

}  // namespace kav::sim
