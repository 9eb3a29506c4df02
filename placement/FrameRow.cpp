#include "placement/FrameRow.h"

#include <algorithm>

#include "placement/CadCalls.h"
#include "placement/CellFrame.h"
#include "placement/TextLines.h"
#include "placement/Justification.h"
#include "platform/Text.h"

namespace kav::placement {

namespace {

using cad::Variant;

// How far right of the base point the scan for the row's cells reaches, in horizontal search
// ranges.
constexpr double kScanRanges = 1.5;

void WriteRow(cad::TCadSession& session, const TFrameRowOptions& o) {
  const ObjectRef application = session.Connection.GetTargetApplication();
  const ObjectRef document = application->GetObj("ActiveDocument");
  session.Connection.ActivateTargetWindow(cad::TTargetConnection::TargetWindow(*application));
  const double h = o.Height * DimScale(*document);
  const double w = o.WidthFactor;

  TPoint base;
  bool picked = true;
  try {
    base = GetPoint(*document, kBasePointPrompt);
  } catch (const std::exception&) {
    picked = false;   // the user cancelled the pick
  }
  SendCharacter(*document, FrameRowCancelCharacter(session.Target.TargetProgID));
  if (!picked) return;

  const double xRange = o.Cell.XRange * h;
  if (!FindCellFrame(*document, base, o.Cell.Justification, o.Cell.YRange * h, xRange, o.Cell.Offset)) return;

  const double scanLength = kScanRanges * xRange;
  const ObjectRef selection = document->GetObj("ActiveSelectionSet");
  selection->Call("Clear");
  selection->Call("Select", {Variant(static_cast<std::int32_t>(1)), cad::MakePoint(base),
                             cad::MakePoint({base.X + scanLength, base.Y, base.Z}), LineFilterTypes(),
                             LineFilterValues()});
  const int count = selection->Get("Count").AsInt32();
  if (count <= 0) return;
  const std::vector<TSegment> segments = SelectedSegments(*selection, count);
  selection->Call("Clear");

  const std::vector<double> stops = ColumnStops(base, scanLength, segments);
  ObjectRef modelSpace;
  for (std::size_t i = 0; i < stops.size() && i < o.Cells.size(); ++i) {
    // Every text after the first starts one text height after the line that begins its cell.
    TPoint point = base;
    point.X = i == 0 ? stops[i] : stops[i] + h;
    const std::string cell = Trim(o.Cells[i]);
    if (cell.empty()) continue;   // its table cell stays empty
    if (!modelSpace) modelSpace = document->GetObj("ModelSpace");
    const ObjectRef text = AddText(*modelSpace, cell, point, h);
    text->Put("Alignment", Variant(static_cast<std::int32_t>(kMiddleLeft)));
    PlaceText(*text, point, w);
  }
}

}  // namespace

char FrameRowCancelCharacter(std::string_view progId) {
  return progId.find("Autocad") != std::string_view::npos ? '\x03' : '\x1b';
}

std::vector<double> ColumnStops(const TPoint& base, double scanLength, const std::vector<TSegment>& segments) {
  const TPoint scanEnd{base.X + scanLength, base.Y, base.Z};
  std::vector<double> stops{base.X};
  for (const TSegment& segment : segments) {
    TPoint crossing;
    if (SegmentIntersection(base, scanEnd, segment.Start, segment.End, crossing)) stops.push_back(crossing.X);
  }
  std::sort(stops.begin(), stops.end());
  return stops;
}

void CreateFrameRow(cad::TCadSession& session, const TFrameRowOptions& options) {
  cad::TOperationScope scope(session);
  if (!scope.Started()) return;
  session.MinimizeMainWindow();
  try {
    WriteRow(session, options);
  } catch (const std::exception&) {
    // Not running, no drawing, or a failing call: the row ends without a message.
  }
}

}  // namespace kav::placement
