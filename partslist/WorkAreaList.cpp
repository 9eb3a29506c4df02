#include "partslist/WorkAreaList.h"

namespace kav::partslist {

void ListFileNames(IFileSystem& files, const std::string& folder, const std::string& pattern,
                   std::vector<std::string>& list) {
  list = files.ListFiles(folder, pattern);
}

bool FillPartsListBox(ui::TComboBox& box, std::vector<std::string> names, const std::string& remembered) {
  for (auto& name : names) box.Items.Add(std::move(name));
  box.ItemsChanged();
  if (box.Items.Count() == 0) return false;
  int index = remembered.empty() ? -1 : box.Items.IndexOfIgnoreCase(remembered);
  if (index < 0) index = 0;
  box.SetItemIndex(index);
  return true;
}

void AddPartsListName(ui::TComboBox& box, const std::string& name) {
  if (box.Items.IndexOfIgnoreCase(name) < 0) box.AddItem(name);
}

}  // namespace kav::partslist
