#include "harvest/SelectionRead.h"

#include <cstdint>
#include <string>

namespace kav::harvest {
namespace {

using cad::IAutomationObject;
using cad::Variant;

TTxgText ReadText(IAutomationObject& entity) {
  const TPoint insertion = cad::ToPoint(entity.Get("InsertionPoint"));
  const TPoint alignment = cad::ToPoint(entity.Get("TextAlignmentPoint"));
  TTxgText text;
  text.code = entity.Get("Alignment").AsInt32();
  text.sText = entity.Get("TextString").AsString();
  text.txtH = entity.Get("Height").AsDouble();
  // A left-aligned TEXT stands at its insertion point; any other at the point its alignment
  // holds, so that a column of right-aligned numbers lines up by its right ends.
  text.base = text.code == 0 ? insertion : alignment;
  return text;
}

}  // namespace

Variant HarvestFilterTypes() { return cad::ShortArray{0, {0}}; }
Variant HarvestFilterValues() { return cad::VariantArray{0, {Variant("TEXT,*LINE")}}; }

void AppendPolylineSegments(std::vector<double> coordinates, bool closed, std::vector<TTxgLine>& lines) {
  // A list of odd length has a stray last value; it is no vertex and must not shift the
  // closing vertex into the wrong place.
  if (coordinates.size() % 2 != 0) coordinates.pop_back();
  if (closed && !coordinates.empty()) {
    const double x0 = coordinates[0], y0 = coordinates[1];
    coordinates.push_back(x0);
    coordinates.push_back(y0);
  }
  const std::size_t vertices = coordinates.size() / 2;
  for (std::size_t i = 0; i + 1 < vertices; ++i)
    lines.push_back({{coordinates[2 * i], coordinates[2 * i + 1], 0}, {coordinates[2 * i + 2], coordinates[2 * i + 3], 0}});
}

void ReadSelection(IAutomationObject& selectionSet, THarvestArrays& arrays) {
  const std::int32_t count = selectionSet.Get("Count").AsInt32();
  if (count <= 0) return;
  // Filled from empty rather than sized to Count ahead: whatever way the reading ends, the
  // arrays hold only entities of this selection.
  arrays.TxgLines.clear();
  arrays.TxgTexts.clear();
  for (std::int32_t k = 0; k < count; ++k) {
    const cad::ObjectRef entity = selectionSet.Call("Item", {Variant(k)}).AsObject();
    // The type name is read once per entity and compared three ways: nothing between the
    // comparisons can change it, and every read is a round trip to the CAD.
    const std::string name = entity->Get("EntityName").AsString();
    if (name == "AcDbText") {
      arrays.TxgTexts.push_back(ReadText(*entity));
    } else if (name == "AcDbLine") {
      const TPoint start = cad::ToPoint(entity->Get("StartPoint"));
      arrays.TxgLines.push_back({start, cad::ToPoint(entity->Get("EndPoint"))});
    } else if (name == "AcDbPolyline") {
      std::vector<double> coordinates = entity->Get("Coordinates").AsDoubles();
      const bool closed = entity->Get("Closed").AsBool();
      AppendPolylineSegments(std::move(coordinates), closed, arrays.TxgLines);
    }
    // Any other type that the filter let through (a spline, a heavy polyline) is skipped.
  }
}

}  // namespace kav::harvest
