#include "placement/CellFrame.h"

#include <cmath>

#include "placement/CadCalls.h"

namespace kav::placement {

TCellFrameSearch::TCellFrameSearch(const TPoint& point, double yRange, double xRange)
    : point_(point), yRange_(yRange), xRange_(xRange),
      // Each value starts beyond its probe, so the first crossing on a side replaces it.
      left_(point.X - 2 * xRange), right_(point.X + 2 * xRange), top_(point.Y + 2 * yRange),
      bottom_(point.Y - 2 * yRange) {}

TPoint TCellFrameSearch::Probe(TSide side) const {
  switch (side) {
    case TSide::Left: return {point_.X - xRange_, point_.Y, point_.Z};
    case TSide::Right: return {point_.X + xRange_, point_.Y, point_.Z};
    case TSide::Above: return {point_.X, point_.Y + yRange_, point_.Z};
    case TSide::Below: break;
  }
  return {point_.X, point_.Y - yRange_, point_.Z};
}

void TCellFrameSearch::Offer(TSide side, const TSegment& segment) {
  const bool sideways = side == TSide::Left || side == TSide::Right;
  const bool qualifies = sideways ? std::fabs(segment.Start.X - segment.End.X) < kFrameLineTolerance
                                  : std::fabs(segment.Start.Y - segment.End.Y) < kFrameLineTolerance;
  TPoint crossing;
  if (!qualifies || !SegmentIntersection(point_, Probe(side), segment.Start, segment.End, crossing)) return;
  found_[Index(side)] = true;
  switch (side) {
    case TSide::Left: if (crossing.X > left_) left_ = crossing.X; break;
    case TSide::Right: if (crossing.X < right_) right_ = crossing.X; break;
    case TSide::Above: if (crossing.Y < top_) top_ = crossing.Y; break;
    case TSide::Below: if (crossing.Y > bottom_) bottom_ = crossing.Y; break;
  }
}

TPoint TCellFrameSearch::BasePoint(std::string_view justification, double offset) const {
  if (!Complete()) return point_;
  const double rowHeight = top_ - bottom_;
  TPoint base = point_;
  if (justification == "ML") base.X = left_ + offset * rowHeight;
  else if (justification == "MC") base.X = (left_ + right_) / 2;
  else if (justification == "MR") base.X = right_ - offset * rowHeight;
  else return point_;
  base.Y = (bottom_ + top_) / 2;
  return base;
}

bool FindCellFrame(cad::IAutomationObject& document, TPoint& point, std::string_view justification, double yRange,
                   double xRange, double offset) {
  TCellFrameSearch search(point, yRange, xRange);
  const ObjectRef selection = document.GetObj("ActiveSelectionSet");
  selection->Call("Clear");
  for (TSide side : kSides) {
    selection->Call("Select", {cad::Variant(static_cast<std::int32_t>(1)), cad::MakePoint(point),
                               cad::MakePoint(search.Probe(side)), LineFilterTypes(), LineFilterValues()});
    const int count = selection->Get("Count").AsInt32();
    for (const TSegment& segment : SelectedSegments(*selection, count)) search.Offer(side, segment);
    selection->Call("Clear");
  }
  point = search.BasePoint(justification, offset);
  return search.Complete();
}

}  // namespace kav::placement
