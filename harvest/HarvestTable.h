// The harvest: the user selects a table drawn as lines and TEXT in the CAD window, and it is
// read into the file grid, by its ruled borders or by clustering the texts' positions.
#pragma once

#include <cstdint>
#include <string>

#include "cadlink/CadSession.h"
#include "harvest/TableRecords.h"
#include "ui/StringGrid.h"

namespace kav::harvest {

// Shown instead of a table that would not fit in the grid.
std::string TooLargeMessage(std::int64_t rows, std::int64_t columns);

// Steps aside for the CAD, lets the user select (TEXT and types ending in LINE), reads the
// selection into `arrays` and builds the table in `grid`. An empty selection builds the
// table again from what `arrays` kept. Errors from the selection on are dropped: `arrays`
// keep what was read and the grid what was written before the error.
void HarvestTable(cad::TCadSession& session, THarvestArrays& arrays, ui::TStringGrid& grid);

}  // namespace kav::harvest
