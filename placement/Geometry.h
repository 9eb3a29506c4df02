// The plane geometry of the text operations: point arithmetic, segment directions, feet of
// perpendiculars, crossings, and the segments of a polyline's vertex list. Pure functions;
// x and y take part, z is carried along where a result keeps a point's z.
#pragma once

#include <vector>

#include "cadlink/Point.h"

namespace kav::placement {

using cad::TPoint;

inline constexpr double kPi = 3.14159265358979323846;

struct TSegment {
  TPoint Start, End;
};

TPoint AddPoints(const TPoint& a, const TPoint& b);
TPoint SubtractPoints(const TPoint& a, const TPoint& b);
// Turns p about the origin by `angle` (radians, counter-clockwise); z stays.
TPoint RotatePoint(const TPoint& p, double angle);
// The point `distance` from `base` in direction `angle`; its z is 0.
TPoint PolarPoint(const TPoint& base, double distance, double angle);
// The distance in the plane; z is ignored.
double PointDistance(const TPoint& p, const TPoint& q);

// The direction from p1 to p2, 0 <= angle < 2 pi. Within 1e-5 of vertical or horizontal a
// segment counts as exactly vertical or horizontal; a segment shorter than that in both
// directions counts as pointing down (3 pi / 2).
double SegmentAngle(const TPoint& p1, const TPoint& p2);

// The foot of the perpendicular from p onto the line through a and b (its z is a's), and
// whether it lies on the segment, both ends included.
bool FootOnSegment(const TPoint& p, const TPoint& a, const TPoint& b, TPoint& foot);

// Whether segments a1-a2 and b1-b2 cross within both (or touch end to end); the crossing's x
// and y go into `out` (its z untouched), except where an end of a1-a2 coincides with an end
// of b1-b2: then `out` becomes that whole end of a1-a2. A crossing at a1-a2's very start
// (or at b1-b2's very start) does not count: only positions from 1e-12 to 1 along each.
bool SegmentIntersection(const TPoint& a1, const TPoint& a2, const TPoint& b1, const TPoint& b2, TPoint& out);

// The straight segments of a lightweight polyline's vertex list x0, y0, x1, y1, ... (z 0):
// vertex i to vertex i + 1 and, when closed, one more from the first vertex to the last.
// A dangling odd number at the end is not a vertex.
std::vector<TSegment> PolylineSegments(const std::vector<double>& coordinates, bool closed);

// Of the polyline's segments, the one whose perpendicular foot from p lies on it and is the
// nearest to p; an earlier segment wins a tie, and the closing segment wins only when it is
// strictly nearer. False when no foot lies on any segment.
struct TNearestSegment {
  TSegment Segment;
  TPoint Foot;
};
bool NearestSegment(const TPoint& p, const std::vector<double>& coordinates, bool closed, TNearestSegment& nearest);

}  // namespace kav::placement
