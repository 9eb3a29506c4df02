#include "partslist/FieldSplit.h"

namespace kav::partslist {

char ChooseDelimiter(std::string_view firstLine) {
  if (firstLine.find('\t') != std::string_view::npos) return '\t';
  if (firstLine.find(',') != std::string_view::npos) return ',';
  return 0;
}

std::vector<std::string> SplitFields(std::string_view line, char delimiter) {
  std::vector<std::string> fields;
  std::string scratch;
  ForEachField(line, delimiter, scratch, [&](std::string_view f) { fields.emplace_back(f); });
  return fields;
}

}  // namespace kav::partslist
