#include "simcad/SimFilter.h"

#include "cadlink/AutomationError.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace kav::sim {

bool MatchesWildcards(std::string_view text, std::string_view patterns) {
  std::size_t start = 0;
  while (start <= patterns.size()) {
    const std::size_t comma = patterns.find(',', start);
    const std::string_view one = patterns.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    if (MatchesPattern(text, Trim(one))) return true;
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return false;
}

TFilter TFilter::FromArguments(const cad::Variant& types, const cad::Variant& values) {
  TFilter filter;
  const bool noTypes = types.IsMissing() || types.IsEmpty();
  const bool noValues = values.IsMissing() || values.IsEmpty();
  if (noTypes && noValues) return filter;
  if (noTypes || noValues) throw cad::TAutomationError(cad::kInvalidArg, "Filter types and filter data must be given together");
  const std::vector<double> codes = types.AsDoubles();
  const std::vector<cad::Variant> data = values.AsVariants();
  if (codes.size() != data.size())
    throw cad::TAutomationError(cad::kInvalidArg, "Filter types and filter data differ in length");
  for (std::size_t i = 0; i < codes.size(); ++i) {
    const int code = static_cast<int>(codes[i]);
    if (code != 0 && code != 8 && code != 66)
      throw cad::TAutomationError(cad::kInvalidArg, "Unsupported filter group code " + std::to_string(code));
    filter.pairs_.emplace_back(code, data[i]);
  }
  return filter;
}

bool TFilter::Accepts(const TDrawing& drawing, const TEntity& entity) const {
  (void)drawing;
  for (const auto& [code, value] : pairs_) {
    switch (code) {
      case 0:
        if (!MatchesWildcards(DxfNameOf(entity), value.AsString())) return false;
        break;
      case 8:
        if (!MatchesWildcards("0", value.AsString())) return false;   // everything is on layer 0
        break;
      case 66: {
        const bool follow = entity.Type == TEntityType::BlockReference && !entity.Attributes.empty();
        if (follow != (value.AsInteger() != 0)) return false;
        break;
      }
      default: return false;
    }
  }
  return true;
}

}  // namespace kav::sim
