// The item list of drop-down boxes and list boxes: optionally sorted by a comparison that the
// form supplies (the user's locale order, letter case ignored).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kav::ui {

using TCompare = std::function<int(std::string_view, std::string_view)>;

class TItemList {
 public:
  bool Sorted = false;
  TCompare Compare;   // used when Sorted; an ASCII case-folding order when empty

  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& operator[](int index) const { return items_.at(static_cast<std::size_t>(index)); }
  const std::vector<std::string>& All() const { return items_; }

  int Add(std::string item);   // returns the index it went to
  void Delete(int index);
  void Set(int index, std::string item);   // in place, no re-sorting
  void Clear() { items_.clear(); }
  void Assign(std::vector<std::string> items);
  // First index of an item equal to `text` with letter case ignored (by Compare), or -1.
  int IndexOfIgnoreCase(std::string_view text) const;
  int IndexOf(std::string_view text) const;   // exact

 private:
  int CompareItems(std::string_view a, std::string_view b) const;
  std::vector<std::string> items_;
};

}  // namespace kav::ui
