#include "ui/ItemList.h"

#include <algorithm>

#include "platform/Text.h"

namespace kav::ui {

int TItemList::CompareItems(std::string_view a, std::string_view b) const {
  if (Compare) return Compare(a, b);
  return UpperAscii(a).compare(UpperAscii(b));
}

int TItemList::Add(std::string item) {
  if (!Sorted) {
    items_.push_back(std::move(item));
    return Count() - 1;
  }
  // After the last item that does not sort behind it, so equal items keep their order.
  const auto pos = std::upper_bound(items_.begin(), items_.end(), item,
      [this](const std::string& a, const std::string& b) { return CompareItems(a, b) < 0; });
  const auto index = pos - items_.begin();
  items_.insert(pos, std::move(item));
  return static_cast<int>(index);
}

void TItemList::Delete(int index) { items_.erase(items_.begin() + index); }

void TItemList::Set(int index, std::string item) { items_.at(static_cast<std::size_t>(index)) = std::move(item); }

void TItemList::Assign(std::vector<std::string> items) {
  items_.clear();
  if (!Sorted) {
    items_ = std::move(items);
    return;
  }
  for (auto& item : items) Add(std::move(item));
}

int TItemList::IndexOfIgnoreCase(std::string_view text) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareItems(items_[static_cast<std::size_t>(i)], text) == 0) return i;
  return -1;
}

int TItemList::IndexOf(std::string_view text) const {
  const auto it = std::find(items_.begin(), items_.end(), text);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

}  // namespace kav::ui
