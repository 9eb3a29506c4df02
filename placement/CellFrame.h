// Finding the ruled table cell around a picked point: the nearest frame line on each of the
// four sides, and the base point from which a middle-aligned TEXT sits in that cell.
#pragma once

#include <array>
#include <string_view>

#include "cadlink/Automation.h"
#include "placement/Geometry.h"

namespace kav::placement {

enum class TSide { Left, Right, Above, Below };
inline constexpr std::array<TSide, 4> kSides{TSide::Left, TSide::Right, TSide::Above, TSide::Below};

// Lines count as vertical or horizontal when their ends differ by less than this in x or y,
// whatever their length (drawing units, not scaled).
inline constexpr double kFrameLineTolerance = 0.5;

// The search around one point, without the CAD: the probe segment of each side, the drawn
// segments offered to it, and the frame values kept.
class TCellFrameSearch {
 public:
  // `yRange` and `xRange`: how far up and down, left and right the probes reach.
  TCellFrameSearch(const TPoint& point, double yRange, double xRange);

  TPoint Point() const { return point_; }
  TPoint Probe(TSide side) const;
  // A drawn segment crossing the side's probe: kept when it runs the side's way (vertical for
  // left and right, horizontal above and below) and lies nearer than what was kept.
  void Offer(TSide side, const TSegment& segment);
  bool Complete() const { return found_[0] && found_[1] && found_[2] && found_[3]; }

  // The point moved for the justification "ML" (offset row heights right of the left line),
  // "MC" (the cell's centre) or "MR"; at the row's middle height, z kept. The point itself for
  // any other justification or an incomplete frame.
  TPoint BasePoint(std::string_view justification, double offset) const;

 private:
  static std::size_t Index(TSide side) { return static_cast<std::size_t>(side); }
  TPoint point_;
  double yRange_, xRange_;
  std::array<bool, 4> found_{};
  double left_, right_, top_, bottom_;
};

// Searches the drawing around `point` (the CAD selects what crosses each probe, with the
// "*LINE" filter) and moves `point` to the base point when the frame is complete. True when a
// frame line was found on all four sides. The CAD's errors reach the caller.
bool FindCellFrame(cad::IAutomationObject& document, TPoint& point, std::string_view justification, double yRange,
                   double xRange, double offset);

}  // namespace kav::placement
