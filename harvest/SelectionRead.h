// Reading the harvest's selection from the CAD: the entity type filter it selects with, and
// the TEXT, LINE and lightweight polyline entities of the selection set read into the arrays.
#pragma once

#include <vector>

#include "cadlink/Automation.h"
#include "harvest/TableRecords.h"

namespace kav::harvest {

// Group code 0 (entity type) with "TEXT,*LINE": TEXT and every type whose name ends in LINE.
cad::Variant HarvestFilterTypes();
cad::Variant HarvestFilterValues();

// The segments of a lightweight polyline's flat vertex list x0, y0, x1, y1, ...: one for each
// pair of consecutive vertices, and with `closed` one more from the last vertex back to the
// first. Bulges are not read; z is 0.
void AppendPolylineSegments(std::vector<double> coordinates, bool closed, std::vector<TTxgLine>& lines);

// Reads the selection set's Count entities in selection order into TxgTexts and TxgLines,
// which then hold exactly what was read. Other entity types are skipped. An empty selection
// leaves both arrays as they were. When a call fails the error goes to the caller and the
// arrays hold the entities read before it: never an element of an earlier harvest.
void ReadSelection(cad::IAutomationObject& selectionSet, THarvestArrays& arrays);

}  // namespace kav::harvest
