#include "placement/Geometry.h"

#include <cmath>
#include <limits>

namespace kav::placement {

namespace {
constexpr double kStraightTolerance = 1e-5;
constexpr double kCoincident = 1e-12;
}  // namespace

TPoint AddPoints(const TPoint& a, const TPoint& b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }

TPoint SubtractPoints(const TPoint& a, const TPoint& b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }

TPoint RotatePoint(const TPoint& p, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  return {p.X * c - p.Y * s, p.X * s + p.Y * c, p.Z};
}

TPoint PolarPoint(const TPoint& base, double distance, double angle) {
  return {base.X + distance * std::cos(angle), base.Y + distance * std::sin(angle), 0};
}

double PointDistance(const TPoint& p, const TPoint& q) { return std::hypot(p.X - q.X, p.Y - q.Y); }

double SegmentAngle(const TPoint& p1, const TPoint& p2) {
  const double dx = p2.X - p1.X, dy = p2.Y - p1.Y;
  if (std::fabs(dx) < kStraightTolerance) return p1.Y < p2.Y ? kPi / 2 : 3 * kPi / 2;
  if (std::fabs(dy) < kStraightTolerance) return p1.X < p2.X ? 0 : kPi;
  const double a = std::fabs(std::atan(dy / dx));
  if (dx > 0 && dy > 0) return a;
  if (dx < 0 && dy >= 0) return kPi - a;
  if (dx >= 0 && dy < 0) return 2 * kPi - a;
  return kPi + a;
}

bool FootOnSegment(const TPoint& p, const TPoint& a, const TPoint& b, TPoint& foot) {
  // In a frame with its origin at a and its x axis along the segment, the foot is (u.x, 0).
  const double angle = SegmentAngle(a, b);
  const TPoint u = RotatePoint(SubtractPoints(p, a), -angle);
  const TPoint e = RotatePoint(SubtractPoints(b, a), -angle);
  foot = AddPoints(RotatePoint({u.X, 0, 0}, angle), a);
  return u.X >= 0 && u.X <= e.X;
}

bool SegmentIntersection(const TPoint& a1, const TPoint& a2, const TPoint& b1, const TPoint& b2, TPoint& out) {
  if (PointDistance(a1, b1) <= kCoincident || PointDistance(a1, b2) <= kCoincident) {
    out = a1;
    return true;
  }
  if (PointDistance(a2, b1) <= kCoincident || PointDistance(a2, b2) <= kCoincident) {
    out = a2;
    return true;
  }
  const double ax = a2.X - a1.X, ay = a2.Y - a1.Y;
  const double bx = b2.X - b1.X, by = b2.Y - b1.Y;
  const double d = bx * ay - ax * by;
  if (std::fabs(d) <= kCoincident) return false;   // parallel or degenerate
  const double t = (bx * (b1.Y - a1.Y) - by * (b1.X - a1.X)) / d;   // along a1-a2
  const double u = (ax * (b1.Y - a1.Y) - ay * (b1.X - a1.X)) / d;   // along b1-b2
  if (!(u >= kCoincident && u <= 1 && t >= kCoincident && t <= 1)) return false;
  out.X = a1.X + t * ax;
  out.Y = a1.Y + t * ay;
  return true;
}

std::vector<TSegment> PolylineSegments(const std::vector<double>& c, bool closed) {
  std::vector<TSegment> segments;
  const std::size_t vertices = c.size() / 2;
  if (vertices == 0) return segments;
  const auto vertex = [&c](std::size_t i) { return TPoint{c[2 * i], c[2 * i + 1], 0}; };
  segments.reserve(vertices);
  for (std::size_t i = 0; i + 1 < vertices; ++i) segments.push_back({vertex(i), vertex(i + 1)});
  if (closed) segments.push_back({vertex(0), vertex(vertices - 1)});
  return segments;
}

bool NearestSegment(const TPoint& p, const std::vector<double>& coordinates, bool closed, TNearestSegment& nearest) {
  double best = std::numeric_limits<double>::max();
  bool found = false;
  for (const TSegment& segment : PolylineSegments(coordinates, closed)) {
    TPoint foot;
    if (!FootOnSegment(p, segment.Start, segment.End, foot)) continue;
    const double d = PointDistance(p, foot);
    if (best > d) {   // strictly nearer: the earlier segment keeps a tie
      best = d;
      nearest = {segment, foot};
      found = true;
    }
  }
  return found;
}

}  // namespace kav::placement
