// Which item of a list the keys and typed letters make current: the rules the drop-down
// boxes share between their closed box (where they change the choice) and their open list
// (where they move the marked row).
#pragma once

#include <optional>
#include <string_view>

#include "ui/ItemList.h"
#include "ui/Keys.h"

namespace kav::ui {

enum class TListMove { Previous, Next, PageUp, PageDown, First, Last };

// The move a key asks for, or none for keys that do not move in a list.
std::optional<TListMove> ListMoveOfKey(TKey key);

// The item a move leads to from `current` (-1: none yet) in a list of `count` items of which
// `pageRows` show at a time; it stops at the ends. -1 for an empty list.
int MoveInList(int current, int count, TListMove move, int pageRows);

// The first item after `current`, going round the end, that begins with `typed` (the letters
// a to z regardless of case, everything else exactly); `current` itself comes last. -1 when
// no item begins with it.
int NextItemStartingWith(const TItemList& items, int current, std::string_view typed);

}  // namespace kav::ui
