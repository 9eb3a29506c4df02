// The keys and typed letters of drop-down boxes: where each move lands, at the ends and from
// no choice at all, and which item a typed letter picks next.
#include <gtest/gtest.h>

#include "ui/ListNavigation.h"

namespace kav::ui {
namespace {

TEST(ListNavigation, KeysMoveByOneByAPageAndToTheEndsAndStopThere) {
  EXPECT_EQ(ListMoveOfKey(vk::Down), TListMove::Next);
  EXPECT_EQ(ListMoveOfKey(vk::Right), TListMove::Next);
  EXPECT_EQ(ListMoveOfKey(vk::Up), TListMove::Previous);
  EXPECT_EQ(ListMoveOfKey(vk::Prior), TListMove::PageUp);
  EXPECT_EQ(ListMoveOfKey(vk::Next), TListMove::PageDown);
  EXPECT_EQ(ListMoveOfKey(vk::Home), TListMove::First);
  EXPECT_EQ(ListMoveOfKey(vk::End), TListMove::Last);
  EXPECT_FALSE(ListMoveOfKey(vk::Return).has_value());
  EXPECT_FALSE(ListMoveOfKey(vk::Letter('A')).has_value());

  // Ten items, four rows in sight: a page moves three, so one row of the last page stays.
  EXPECT_EQ(MoveInList(4, 10, TListMove::Next, 4), 5);
  EXPECT_EQ(MoveInList(4, 10, TListMove::Previous, 4), 3);
  EXPECT_EQ(MoveInList(4, 10, TListMove::PageDown, 4), 7);
  EXPECT_EQ(MoveInList(4, 10, TListMove::PageUp, 4), 1);
  EXPECT_EQ(MoveInList(4, 10, TListMove::First, 4), 0);
  EXPECT_EQ(MoveInList(4, 10, TListMove::Last, 4), 9);
  EXPECT_EQ(MoveInList(9, 10, TListMove::Next, 4), 9);
  EXPECT_EQ(MoveInList(0, 10, TListMove::Previous, 4), 0);
  EXPECT_EQ(MoveInList(8, 10, TListMove::PageDown, 4), 9);
  EXPECT_EQ(MoveInList(2, 10, TListMove::PageUp, 4), 0);
  EXPECT_EQ(MoveInList(3, 10, TListMove::PageDown, 1), 4);   // one row in sight still moves

  // Nothing chosen yet: the first key chooses from the top.
  EXPECT_EQ(MoveInList(-1, 10, TListMove::Next, 4), 0);
  EXPECT_EQ(MoveInList(-1, 10, TListMove::Previous, 4), 0);
  EXPECT_EQ(MoveInList(-1, 10, TListMove::PageDown, 4), 3);
  EXPECT_EQ(MoveInList(-1, 10, TListMove::Last, 4), 9);
  EXPECT_EQ(MoveInList(-1, 0, TListMove::Next, 4), -1);
  EXPECT_EQ(MoveInList(0, 0, TListMove::Last, 4), -1);
}

TEST(ListNavigation, ATypedLetterChoosesTheNextItemBeginningWithItRoundTheEnd) {
  TItemList items;
  items.Assign({"a.tsv", "B1.tsv", "b2.tsv", "c.tsv", "部品.tsv", "BR : 右下"});
  EXPECT_EQ(NextItemStartingWith(items, 0, "b"), 1);   // letters regardless of case
  EXPECT_EQ(NextItemStartingWith(items, 1, "b"), 2);
  EXPECT_EQ(NextItemStartingWith(items, 2, "B"), 5);
  EXPECT_EQ(NextItemStartingWith(items, 5, "b"), 1);   // round the end
  EXPECT_EQ(NextItemStartingWith(items, 3, "c"), 3);   // the only one: it stays chosen
  EXPECT_EQ(NextItemStartingWith(items, -1, "c"), 3);  // nothing chosen yet
  EXPECT_EQ(NextItemStartingWith(items, 0, "部"), 4);
  EXPECT_EQ(NextItemStartingWith(items, 0, "x"), -1);
  EXPECT_EQ(NextItemStartingWith(items, 0, ""), -1);
  TItemList empty;
  EXPECT_EQ(NextItemStartingWith(empty, -1, "a"), -1);
}

}  // namespace
}  // namespace kav::ui
