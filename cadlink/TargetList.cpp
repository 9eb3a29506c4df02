#include "cadlink/TargetList.h"

namespace kav::cad {

std::optional<std::string> FindTargetName(const std::vector<std::string>& lines, std::string_view progId) {
  const std::string needle = "\t" + std::string(progId);
  for (const auto& line : lines) {
    const auto pos = line.find(needle);
    if (pos != std::string::npos) return line.substr(0, pos);
  }
  return std::nullopt;
}

}  // namespace kav::cad
