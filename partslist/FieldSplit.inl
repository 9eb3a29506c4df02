// Inline body of ForEachField (see FieldSplit.h).
#pragma once

namespace kav::partslist {

template <class F>
void ForEachField(std::string_view line, char delimiter, std::string& scratch, F&& field) {
  std::size_t i = 0;
  const std::size_t n = line.size();
  while (i < n) {
    if (line[i] == '"') {
      // Quoted field: "" inside stands for one quote; no closing quote runs to the end.
      scratch.clear();
      ++i;
      while (i < n) {
        if (line[i] == '"') {
          if (i + 1 < n && line[i + 1] == '"') {
            scratch += '"';
            i += 2;
            continue;
          }
          ++i;   // the closing quote
          break;
        }
        scratch += line[i++];
      }
      field(std::string_view(scratch));
    } else {
      std::size_t end = delimiter != 0 ? line.find(delimiter, i) : std::string_view::npos;
      if (end == std::string_view::npos) end = n;
      field(line.substr(i, end - i));
      i = end;
    }
    // After each field a delimiter is skipped; one that ends the line adds an empty field.
    if (delimiter != 0 && i < n && line[i] == delimiter) {
      ++i;
      if (i == n) field(std::string_view());
    }
  }
}

}  // namespace kav::partslist
