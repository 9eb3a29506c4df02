// The group code meanings the DXF reader and writer share: every alignment the writer puts
// into the justification groups is read back as the same alignment.
#include <gtest/gtest.h>

#include "simcad/DxfCodes.h"

namespace kav::sim {
namespace {

TEST(DxfCodes, JustificationReadsBackAsTheSameAlignment) {
  for (int alignment = 0; alignment <= 14; ++alignment) {
    int horizontal = -1, vertical = -1;
    Justification(alignment, horizontal, vertical);
    EXPECT_EQ(AlignmentCode(horizontal, vertical), alignment) << "alignment " << alignment;
  }
  // Top center, middle right and bottom left as other writers put them.
  EXPECT_EQ(AlignmentCode(1, 3), 7);
  EXPECT_EQ(AlignmentCode(2, 2), 11);
  EXPECT_EQ(AlignmentCode(0, 1), 12);
  // Aligned, Middle and Fit ignore a vertical justification; values out of range count as 0.
  EXPECT_EQ(AlignmentCode(4, 2), 4);
  EXPECT_EQ(AlignmentCode(9, 1), 12);
  EXPECT_EQ(AlignmentCode(1, 7), 1);
  int horizontal = -1, vertical = -1;
  Justification(15, horizontal, vertical);
  EXPECT_EQ(horizontal, 0);
  EXPECT_EQ(vertical, 0);
}

TEST(DxfCodes, StringGroups) {
  for (int code : {1, 2, 3, 9, 100, 102, 300, 309, 410, 430, 470, 479, 999}) EXPECT_TRUE(IsStringGroup(code)) << code;
  for (int code : {0, 10, 40, 62, 70, 101, 310, 330, 1000}) EXPECT_FALSE(IsStringGroup(code)) << code;
}

}  // namespace
}  // namespace kav::sim
