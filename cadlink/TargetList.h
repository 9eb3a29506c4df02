// The target list "TargetCAD_APIVersion.txt": one CAD a line, its name, a TAB, its ProgID.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kav::cad {

inline constexpr const char* kTargetListFileName = "TargetCAD_APIVersion.txt";

// The name of the first line that holds a TAB immediately followed by `progId` (a plain
// substring test, letter case significant): the text before that TAB.
std::optional<std::string> FindTargetName(const std::vector<std::string>& lines, std::string_view progId);

}  // namespace kav::cad
