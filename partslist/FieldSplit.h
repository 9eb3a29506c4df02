// The field splitting rule shared by the import, the work-area list, the paste and the
// removal of duplicates: one delimiter per file, double-quoted fields, no escaping otherwise.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kav::partslist {

// TAB when the first line holds a TAB, else comma when it holds a comma, else 0 (no
// delimiter: every line is one entry).
char ChooseDelimiter(std::string_view firstLine);

// Splits one line into fields. A field that begins with a double quote runs to the next
// lone double quote ("" inside stands for one), or to the end of the line when none
// follows; text after the closing quote is a field of its own. A delimiter that ends the
// line adds one empty field; an empty line has no fields.
std::vector<std::string> SplitFields(std::string_view line, char delimiter);

// The same, calling `field` for each field in order without building a list (the hot path
// of every keystroke in the work-area filter). The view passed is valid during the call only.
template <class F>
void ForEachField(std::string_view line, char delimiter, std::string& scratch, F&& field);

}  // namespace kav::partslist

#include "partslist/FieldSplit.inl"
