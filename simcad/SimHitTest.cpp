#include "simcad/SimHitTest.h"

#include <algorithm>
#include <cmath>

#include "simcad/SimTextGeometry.h"

namespace kav::sim {

void TBounds::Add(const TPoint& p) {
  MinX = std::min(MinX, p.X);
  MinY = std::min(MinY, p.Y);
  MaxX = std::max(MaxX, p.X);
  MaxY = std::max(MaxY, p.Y);
}

void TBounds::Add(const TBounds& other) {
  if (other.Empty()) return;
  Add(TPoint{other.MinX, other.MinY, 0});
  Add(TPoint{other.MaxX, other.MaxY, 0});
}

bool TBounds::Intersects(const TBounds& other) const {
  return !Empty() && !other.Empty() && MinX <= other.MaxX && other.MinX <= MaxX && MinY <= other.MaxY && other.MinY <= MaxY;
}

bool TBounds::Inside(const TBounds& outer) const {
  return !Empty() && MinX >= outer.MinX && MaxX <= outer.MaxX && MinY >= outer.MinY && MaxY <= outer.MaxY;
}

TBounds TBounds::Of(const TPoint& a, const TPoint& b) {
  TBounds bounds;
  bounds.Add(a);
  bounds.Add(b);
  return bounds;
}

bool ClipSegment(TPoint& a, TPoint& b, const TBounds& box) {
  double t0 = 0, t1 = 1;
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.X - box.MinX, box.MaxX - a.X, a.Y - box.MinY, box.MaxY - a.Y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) t0 = std::max(t0, t);
    else t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  const TPoint start{a.X + t0 * dx, a.Y + t0 * dy, a.Z};
  b = TPoint{a.X + t1 * dx, a.Y + t1 * dy, b.Z};
  a = start;
  return true;
}

namespace {

template <typename TVisit>
void ForEachSegment(const TEntity& entity, TVisit&& visit) {
  if (entity.Type == TEntityType::Line) {
    visit(entity.Start, entity.End);
    return;
  }
  const std::size_t stride = entity.Type == TEntityType::LwPolyline ? 2 : 3;
  const std::size_t count = entity.Coordinates.size() / stride;
  auto vertex = [&](std::size_t i) {
    return TPoint{entity.Coordinates[i * stride], entity.Coordinates[i * stride + 1], 0};
  };
  if (count == 1) visit(vertex(0), vertex(0));
  for (std::size_t i = 1; i < count; ++i) visit(vertex(i - 1), vertex(i));
  if (entity.Closed && count > 2) visit(vertex(count - 1), vertex(0));
}

double SegmentDistance(const TPoint& a, const TPoint& b, const TPoint& p) {
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.X - (a.X + t * dx), p.Y - (a.Y + t * dy));
}

double FrameDistance(const TTextFrame& frame, const TPoint& p) {
  // In the frame's own axes the frame is the rectangle [0, w] x [0, h].
  const double c = std::cos(frame.Angle), s = std::sin(frame.Angle);
  const double x = p.X - frame.Origin.X, y = p.Y - frame.Origin.Y;
  const double u = x * c + y * s, v = -x * s + y * c;
  const double du = u < 0 ? -u : u > frame.Width ? u - frame.Width : 0;
  const double dv = v < 0 ? -v : v > frame.Height ? v - frame.Height : 0;
  return std::hypot(du, dv);
}

}  // namespace

TBounds BoundsOf(const TDrawing& drawing, const TEntity& entity) {
  TBounds bounds;
  switch (entity.Type) {
    case TEntityType::Line:
    case TEntityType::LwPolyline:
    case TEntityType::Spline:
    case TEntityType::Polyline3d:
      ForEachSegment(entity, [&](const TPoint& a, const TPoint& b) {
        bounds.Add(a);
        bounds.Add(b);
      });
      break;
    case TEntityType::Circle:
      bounds.Add(TPoint{entity.Center.X - entity.Radius, entity.Center.Y - entity.Radius, 0});
      bounds.Add(TPoint{entity.Center.X + entity.Radius, entity.Center.Y + entity.Radius, 0});
      break;
    case TEntityType::Text:
    case TEntityType::Attribute:
      for (const TPoint& corner : FrameCorners(TextFrame(entity.Text))) bounds.Add(corner);
      break;
    case TEntityType::BlockReference:
      bounds.Add(entity.Center);
      for (int id : entity.Attributes)
        if (const TEntity* attribute = drawing.Find(id)) bounds.Add(BoundsOf(drawing, *attribute));
      break;
  }
  return bounds;
}

TBounds DrawingBounds(const TDrawing& drawing) {
  TBounds bounds;
  for (const auto& entity : drawing.All())
    if (!entity.Erased && entity.Owner == 0) bounds.Add(BoundsOf(drawing, entity));
  return bounds;
}

double DistanceTo(const TDrawing& drawing, const TEntity& entity, const TPoint& p) {
  double best = 1e300;
  switch (entity.Type) {
    case TEntityType::Line:
    case TEntityType::LwPolyline:
    case TEntityType::Spline:
    case TEntityType::Polyline3d:
      ForEachSegment(entity, [&](const TPoint& a, const TPoint& b) { best = std::min(best, SegmentDistance(a, b, p)); });
      break;
    case TEntityType::Circle:
      best = std::abs(std::hypot(p.X - entity.Center.X, p.Y - entity.Center.Y) - entity.Radius);
      break;
    case TEntityType::Text:
    case TEntityType::Attribute: best = FrameDistance(TextFrame(entity.Text), p); break;
    case TEntityType::BlockReference:
      best = std::hypot(p.X - entity.Center.X, p.Y - entity.Center.Y);
      for (int id : entity.Attributes)
        if (const TEntity* attribute = drawing.Find(id)) best = std::min(best, DistanceTo(drawing, *attribute, p));
      break;
  }
  return best;
}

int HitTest(const TDrawing& drawing, const TPoint& p, double tolerance, bool attributes) {
  int found = 0;
  double nearest = tolerance;
  for (const auto& entity : drawing.All()) {
    if (entity.Erased) continue;
    if (entity.Owner != 0 && !attributes) continue;   // its block reference answers for it
    TBounds box = BoundsOf(drawing, entity);
    box.MinX -= tolerance;
    box.MinY -= tolerance;
    box.MaxX += tolerance;
    box.MaxY += tolerance;
    if (!box.Intersects(TBounds::Of(p, p))) continue;
    // A block reference is found through its attributes; for an attribute pick those win.
    const double distance = entity.Type == TEntityType::BlockReference && attributes
                                ? std::hypot(p.X - entity.Center.X, p.Y - entity.Center.Y)
                                : DistanceTo(drawing, entity, p);
    if (distance <= nearest) {
      nearest = distance;
      found = entity.Id;
    }
  }
  return found;
}

std::vector<int> WindowInside(const TDrawing& drawing, const TPoint& a, const TPoint& b) {
  const TBounds window = TBounds::Of(a, b);
  std::vector<int> ids;
  for (const auto& entity : drawing.All())
    if (!entity.Erased && entity.Owner == 0 && BoundsOf(drawing, entity).Inside(window)) ids.push_back(entity.Id);
  return ids;
}

std::vector<int> WindowSelection(const TDrawing& drawing, const TPoint& from, const TPoint& to) {
  return to.X >= from.X ? WindowInside(drawing, from, to) : drawing.Crossing(from, to);
}

}  // namespace kav::sim
