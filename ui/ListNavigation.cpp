#include "ui/ListNavigation.h"

#include <algorithm>

#include "platform/Text.h"

namespace kav::ui {

std::optional<TListMove> ListMoveOfKey(TKey key) {
  switch (key) {
    case vk::Up:
    case vk::Left: return TListMove::Previous;
    case vk::Down:
    case vk::Right: return TListMove::Next;
    case vk::Prior: return TListMove::PageUp;
    case vk::Next: return TListMove::PageDown;
    case vk::Home: return TListMove::First;
    case vk::End: return TListMove::Last;
    default: return std::nullopt;
  }
}

int MoveInList(int current, int count, TListMove move, int pageRows) {
  if (count <= 0) return -1;
  const int step = std::max(1, pageRows - 1);   // a page keeps one row of the last in sight
  const bool none = current < 0 || current >= count;
  int next = 0;
  switch (move) {
    case TListMove::Previous: next = none ? 0 : current - 1; break;
    case TListMove::Next: next = none ? 0 : current + 1; break;
    case TListMove::PageUp: next = none ? 0 : current - step; break;
    case TListMove::PageDown: next = none ? step : current + step; break;
    case TListMove::First: next = 0; break;
    case TListMove::Last: next = count - 1; break;
  }
  return std::clamp(next, 0, count - 1);
}

int NextItemStartingWith(const TItemList& items, int current, std::string_view typed) {
  const int count = items.Count();
  if (typed.empty() || count == 0) return -1;
  const std::string wanted = UpperAscii(typed);
  const int start = current >= 0 && current < count ? current : -1;
  for (int step = 1; step <= count; ++step) {
    const int index = (start + step) % count;
    const std::string& item = items[index];
    if (item.size() >= wanted.size() && UpperAscii(std::string_view(item).substr(0, wanted.size())) == wanted)
      return index;
  }
  return -1;
}

}  // namespace kav::ui
