// What a harvest reads from the drawing and keeps until the next one: the straight segments,
// the texts, and the column and row borders found among the segments.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cadlink/Point.h"

namespace kav::harvest {

using cad::TPoint;

// One straight segment of a LINE or of a lightweight polyline.
struct TTxgLine {
  TPoint st;   // start point
  TPoint ed;   // end point
};

// One TEXT.
struct TTxgText {
  TPoint base;             // the insertion point for left alignment, else the alignment point
  std::int32_t code = 0;   // the TEXT's alignment code as the CAD reports it
  std::string sText;       // the TEXT's string as read, untrimmed
  double txtH = 0;         // height in drawing units
  std::int32_t xidx = 0;   // column, 0-based, set by the clustering
  std::int32_t yidx = 0;   // row, 0-based from the top, set by the clustering
};

// The four arrays of the harvest. The main window owns one for the whole run: a harvest with
// an empty selection builds the table again from what the previous one read.
struct THarvestArrays {
  std::vector<TTxgLine> TxgLines;
  std::vector<TTxgText> TxgTexts;      // in selection order
  std::vector<double> TxgColBorders;   // x of the vertical segments
  std::vector<double> TxgRowBorders;   // y of the horizontal segments
};

}  // namespace kav::harvest
