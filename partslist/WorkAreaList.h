// The work-area list: the parts-list files beside the program and the choice among them.
#pragma once

#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "ui/ComboBox.h"

namespace kav::partslist {

inline constexpr const char* kPartsListPattern = "*.tsv";

// Empties `list` and fills it with the names (without folder) of the files directly in
// `folder` that match `pattern`, a to z matching without regard to case, in the order the
// file system lists them.
void ListFileNames(IFileSystem& files, const std::string& folder, const std::string& pattern,
                   std::vector<std::string>& list);

// Puts the names into the sorted drop-down box and chooses the entry equal to `remembered`
// with letter case ignored, or else the first. False when there is no entry at all.
bool FillPartsListBox(ui::TComboBox& box, std::vector<std::string> names, const std::string& remembered);

// Adds `name` to the box when it has no item of that name, letter case ignored as the file
// system ignores it (a sorted box puts it in its place).
void AddPartsListName(ui::TComboBox& box, const std::string& name);

}  // namespace kav::partslist
