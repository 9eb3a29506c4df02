// Fuzz target: one line through the field splitting rule with each delimiter; the counting
// pass and the splitting pass must agree, and no field may hold more than the line did.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "partslist/FieldSplit.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  for (const char delimiter : {'\t', ',', '\0'}) {
    const auto fields = kav::partslist::SplitFields(line, delimiter);
    std::size_t counted = 0, bytes = 0;
    std::string scratch;
    kav::partslist::ForEachField(line, delimiter, scratch, [&](std::string_view f) {
      ++counted;
      bytes += f.size();
    });
    if (counted != fields.size() || bytes > size) __builtin_trap();
    if (line.empty() != fields.empty()) __builtin_trap();
  }
  (void)kav::partslist::ChooseDelimiter(line);
  return 0;
}
