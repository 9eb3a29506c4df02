// Text on a line: the pick of a LINE or lightweight polyline, the snap of the picked point
// onto it with the line's direction (turned by half a turn inside the flip range, so the text
// stays readable), and the turn and move of the new TEXT off the line.
#pragma once

#include "cadlink/Automation.h"
#include "placement/Geometry.h"

namespace kav::placement {

struct TOnLineOptions {
  double Offset = 0.5;      // distance from the line, in text heights
  double FlipFrom = 91.0;   // directions in this range of degrees (both ends included) turn
  double FlipTo = 269.0;
};

struct TLinePlacement {
  TPoint Point;       // the foot on the line, or the picked point when there is none
  double Angle = 0;   // the text's rotation in radians, already flipped
};

// The angle turned by pi when it lies within the flip range (degrees, ends included, with a
// rounding error's tolerance); the sum is not reduced below 2 pi.
double FlipAngle(double angle, const TOnLineOptions& options);

// Where a pick on `object` puts the text: the foot on a LINE, or on the nearest segment of a
// lightweight polyline, with that segment's direction. An entity of another kind, or a foot
// outside every segment, leaves the picked point with angle 0. Reads the object's members.
TLinePlacement SnapToLine(cad::IAutomationObject* object, const TPoint& picked);

// The on-line pick: GetEntity with the prompt "線分を指示 : ", the cancel character `cancel`
// sent to the CAD's command line, then the snap and the flip.
TLinePlacement PickOnLine(cad::IAutomationObject& document, char cancel, const TOnLineOptions& options);

// How far the alignment point goes off the line for alignment code `alignment` and text
// height `height`; none (0) for the bottom alignments.
double OffsetFromLine(int alignment, double height, double offset);

// Turns the new TEXT to `angle`, reads its alignment back and moves `point` off the line to
// the left of the reading direction (z becomes 0, unless there is no move). Returns the
// alignment the CAD reported.
int TurnAndMove(cad::IAutomationObject& text, TPoint& point, double angle, double height, double offset);

}  // namespace kav::placement
