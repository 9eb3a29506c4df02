// The meanings of DXF group codes that the reader and the writer share.
#include "simcad/DxfCodes.h"

namespace kav::sim {

namespace {

struct TJustification {
  int Horizontal, Vertical;
};

// Indexed by alignment code: 0-5 lie on the baseline (left, center, right, aligned, middle,
// fit), 6-8 at the top, 9-11 in the middle, 12-14 at the bottom.
constexpr TJustification kJustifications[15] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {0, 3}, {1, 3},
                                                {2, 3}, {0, 2}, {1, 2}, {2, 2}, {0, 1}, {1, 1}, {2, 1}};

}  // namespace

bool IsStringGroup(int code) {
  return (code >= 1 && code <= 9) || code == 100 || code == 102 || (code >= 300 && code <= 309) ||
         (code >= 410 && code <= 419) || (code >= 430 && code <= 439) || (code >= 470 && code <= 479) || code == 999;
}

int AlignmentCode(int horizontal, int vertical) {
  if (horizontal < 0 || horizontal > 5) horizontal = 0;
  if (vertical < 0 || vertical > 3) vertical = 0;
  if (horizontal >= 3 || vertical == 0) return horizontal;
  for (int code = 6; code < 15; ++code)
    if (kJustifications[code].Horizontal == horizontal && kJustifications[code].Vertical == vertical) return code;
  return 0;   // not reached: every left, center or right justification above the baseline has a code
}

void Justification(int alignment, int& horizontal, int& vertical) {
  if (alignment < 0 || alignment > 14) alignment = 0;
  horizontal = kJustifications[alignment].Horizontal;
  vertical = kJustifications[alignment].Vertical;
}

}  // namespace kav::sim
