// Batch creation in frames: one grid row, from the current cell to the right, written into the
// successive cells of a ruled table row with one pick, each text middle-left.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cadlink/CadSession.h"
#include "placement/CreateText.h"

namespace kav::placement {

struct TFrameRowOptions {
  std::vector<std::string> Cells;   // the current cell and those to its right, as stored
  double Height = 2.5;              // times DIMSCALE
  double WidthFactor = 1.0;
  TCellOptions Cell{"ML", 5.0, 100.0, 0.5};
};

// The cancel character after the pick: code 3 when the ProgID holds "Autocad" with exactly
// these capitals, Escape otherwise.
char FrameRowCancelCharacter(std::string_view progId);

// The x positions where the texts of the row go: the base point's x, then every crossing of
// a drawn segment (of any direction) with the scan from the base point `scanLength` to the
// right, in ascending order. Pure.
std::vector<double> ColumnStops(const TPoint& base, double scanLength, const std::vector<TSegment>& segments);

void CreateFrameRow(cad::TCadSession& session, const TFrameRowOptions& options);

}  // namespace kav::placement
