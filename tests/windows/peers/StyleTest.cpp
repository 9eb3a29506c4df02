// The style lookup and the anchoring rule.
#include <gtest/gtest.h>

#include "ui/Control.h"
#include "ui/win32/Layout.h"
#include "ui/win32/Palette.h"

namespace kav::ui::win32 {
namespace {

TEST(Style, OnlyTheDarkStyleIsFoundByItsExactName) {
  EXPECT_EQ(FindStyle("Windows10 Dark"), &DarkPalette());
  EXPECT_EQ(FindStyle("windows10 dark"), nullptr);
  EXPECT_EQ(FindStyle("Windows10"), nullptr);
  EXPECT_EQ(FindStyle(""), nullptr);
  EXPECT_TRUE(DarkPalette().Dark);
  EXPECT_FALSE(PlainPalette().Dark);
}

TEST(Anchors, ChildrenKeepTheirDistancesToTheEdgesTheyAreAnchoredTo) {
  const RECT child{10, 20, 110, 40};
  const SIZE design{300, 200}, grown{380, 250}, shrunk{250, 180};
  auto place = [&](unsigned anchors, SIZE parent) { return AnchoredRect(child, design, parent, anchors); };

  RECT r = place(ui::akLeft | ui::akTop, grown);
  EXPECT_TRUE(EqualRect(&r, &child));
  r = place(ui::akLeft | ui::akTop | ui::akRight, grown);   // stretches
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.right, 190);
  EXPECT_EQ(r.bottom, 40);
  r = place(ui::akTop | ui::akRight, grown);                // moves
  EXPECT_EQ(r.left, 90);
  EXPECT_EQ(r.right, 190);
  r = place(ui::akLeft | ui::akBottom, grown);
  EXPECT_EQ(r.top, 70);
  EXPECT_EQ(r.bottom, 90);
  r = place(ui::akLeft | ui::akTop | ui::akRight | ui::akBottom, grown);
  EXPECT_EQ(r.right - r.left, 180);
  EXPECT_EQ(r.bottom - r.top, 70);
  r = place(ui::akTop, grown);                               // neither side: the centre follows halfway
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.right - r.left, 100);
  // Shrinking below the design never gives a negative width.
  r = place(ui::akLeft | ui::akRight, SIZE{100, 200});
  EXPECT_EQ(r.right, r.left);
  r = place(ui::akLeft | ui::akTop | ui::akRight, shrunk);
  EXPECT_EQ(r.right, 60);
}

}  // namespace
}  // namespace kav::ui::win32
