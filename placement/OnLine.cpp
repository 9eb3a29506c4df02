#include "placement/OnLine.h"

#include <string>

#include "placement/CadCalls.h"
#include "placement/Justification.h"

namespace kav::placement {

double FlipAngle(double angle, const TOnLineOptions& options) {
  // A line drawn at exactly the bound comes back from the CAD's end points a rounding error
  // off it; the bounds include it all the same.
  constexpr double kBoundTolerance = 1e-9;
  const double degrees = angle * 57.29577951308232;
  const bool inRange = options.FlipFrom - kBoundTolerance <= degrees && degrees <= options.FlipTo + kBoundTolerance;
  return inRange ? angle + kPi : angle;
}

TLinePlacement SnapToLine(cad::IAutomationObject* object, const TPoint& picked) {
  TLinePlacement placement{picked, 0};
  if (object == nullptr) return placement;
  // The type name is read once: nothing between its two uses could change it.
  const std::string name = object->Get("EntityName").AsString();
  if (name == "AcDbLine") {
    const TPoint a = cad::ToPoint(object->Get("StartPoint"));
    const TPoint b = cad::ToPoint(object->Get("EndPoint"));
    TPoint foot;
    if (FootOnSegment(picked, a, b, foot)) placement = {foot, SegmentAngle(a, b)};
  } else if (name == "AcDbPolyline") {
    const std::vector<double> coordinates = object->Get("Coordinates").AsDoubles();
    const bool closed = object->Get("Closed").AsBool();
    TNearestSegment nearest;
    if (NearestSegment(picked, coordinates, closed, nearest))
      placement = {nearest.Foot, SegmentAngle(nearest.Segment.Start, nearest.Segment.End)};
  }
  return placement;
}

TLinePlacement PickOnLine(cad::IAutomationObject& document, char cancel, const TOnLineOptions& options) {
  const TEntityPick pick = GetEntity(document, "線分を指示 : ");
  SendCharacter(document, cancel);
  TLinePlacement placement = SnapToLine(pick.Object.get(), pick.Point);
  placement.Angle = FlipAngle(placement.Angle, options);
  return placement;
}

double OffsetFromLine(int alignment, double height, double offset) {
  switch (alignment) {
    case kTopLeft: case kTopCenter: case kTopRight: return height + height * offset;
    case kMiddleLeft: case kMiddleCenter: case kMiddleRight: return height * 0.5 + height * offset;
    case kBottomLeft: case kBottomCenter: case kBottomRight: return 0;
    default: return height * offset;
  }
}

int TurnAndMove(cad::IAutomationObject& text, TPoint& point, double angle, double height, double offset) {
  text.Put("Rotation", angle);
  const int alignment = text.Get("Alignment").AsInt32();
  const bool bottom = alignment == kBottomLeft || alignment == kBottomCenter || alignment == kBottomRight;
  if (!bottom) point = PolarPoint(point, OffsetFromLine(alignment, height, offset), angle + kPi / 2);
  return alignment;
}

}  // namespace kav::placement
