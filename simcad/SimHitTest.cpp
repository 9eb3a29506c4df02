// Bounding boxes, the entity under the pick box and the selections of a window.
#include "simcad/SimHitTest.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "simcad/SimBlockGeometry.h"
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

TBounds TBounds::Grown(double margin) const {
  if (Empty()) return *this;
  return TBounds{MinX - margin, MinY - margin, MaxX + margin, MaxY + margin};
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

double ArcSweep(const TEntity& arc) {
  double sweep = std::remainder(arc.EndAngle - arc.StartAngle, 2 * std::numbers::pi);
  if (sweep <= 0) sweep += 2 * std::numbers::pi;
  return sweep;
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

bool OnArc(const TEntity& arc, double angle) {
  double along = std::remainder(angle - arc.StartAngle, 2 * std::numbers::pi);
  if (along < 0) along += 2 * std::numbers::pi;
  return along <= ArcSweep(arc);
}

TPoint ArcPoint(const TEntity& arc, double angle) {
  return TPoint{arc.Center.X + arc.Radius * std::cos(angle), arc.Center.Y + arc.Radius * std::sin(angle), 0};
}

// The box of an entity that is not a block reference.
TBounds PlainBounds(const TEntity& entity) {
  TBounds bounds;
  switch (entity.Type) {
    case TEntityType::Line:
    case TEntityType::LwPolyline:
    case TEntityType::Spline:
    case TEntityType::Polyline3d:
    case TEntityType::Polyline2d:
      ForEachSegment(entity, [&](const TPoint& a, const TPoint& b) {
        bounds.Add(a);
        bounds.Add(b);
      });
      break;
    case TEntityType::Circle:
      bounds.Add(TPoint{entity.Center.X - entity.Radius, entity.Center.Y - entity.Radius, 0});
      bounds.Add(TPoint{entity.Center.X + entity.Radius, entity.Center.Y + entity.Radius, 0});
      break;
    case TEntityType::Arc:
      bounds.Add(ArcPoint(entity, entity.StartAngle));
      bounds.Add(ArcPoint(entity, entity.StartAngle + ArcSweep(entity)));
      for (int quarter = 0; quarter < 4; ++quarter) {
        const double angle = quarter * std::numbers::pi / 2;
        if (OnArc(entity, angle)) bounds.Add(ArcPoint(entity, angle));
      }
      break;
    case TEntityType::Text:
    case TEntityType::Attribute:
    case TEntityType::AttributeDefinition:
    case TEntityType::MText:
      ForEachShownText(entity, [&](const TTextProps& text) {
        for (const TPoint& corner : FrameCorners(TextFrame(text))) bounds.Add(corner);
      });
      break;
    case TEntityType::Other: bounds.Add(entity.Start); break;
    case TEntityType::BlockReference: bounds.Add(entity.Center); break;
  }
  return bounds;
}

double PlainDistance(const TEntity& entity, const TPoint& p) {
  double best = 1e300;
  switch (entity.Type) {
    case TEntityType::Line:
    case TEntityType::LwPolyline:
    case TEntityType::Spline:
    case TEntityType::Polyline3d:
    case TEntityType::Polyline2d:
      ForEachSegment(entity, [&](const TPoint& a, const TPoint& b) { best = std::min(best, SegmentDistance(a, b, p)); });
      break;
    case TEntityType::Circle:
      best = std::abs(std::hypot(p.X - entity.Center.X, p.Y - entity.Center.Y) - entity.Radius);
      break;
    case TEntityType::Arc: {
      const TPoint start = ArcPoint(entity, entity.StartAngle), end = ArcPoint(entity, entity.StartAngle + ArcSweep(entity));
      best = std::min(std::hypot(p.X - start.X, p.Y - start.Y), std::hypot(p.X - end.X, p.Y - end.Y));
      if (OnArc(entity, std::atan2(p.Y - entity.Center.Y, p.X - entity.Center.X)))
        best = std::min(best, std::abs(std::hypot(p.X - entity.Center.X, p.Y - entity.Center.Y) - entity.Radius));
      break;
    }
    case TEntityType::Text:
    case TEntityType::Attribute:
    case TEntityType::AttributeDefinition:
    case TEntityType::MText:
      ForEachShownText(entity, [&](const TTextProps& text) { best = std::min(best, FrameDistance(TextFrame(text), p)); });
      break;
    case TEntityType::Other: best = std::hypot(p.X - entity.Start.X, p.Y - entity.Start.Y); break;
    case TEntityType::BlockReference: best = std::hypot(p.X - entity.Center.X, p.Y - entity.Center.Y); break;
  }
  return best;
}

// The box of the attributes a reference shows, and its insertion point.
TBounds OwnBounds(const TDrawing& drawing, const TEntity& reference) {
  TBounds bounds = PlainBounds(reference);
  for (int id : reference.Attributes)
    if (const TEntity* attribute = drawing.Find(id); attribute != nullptr && !IsInvisible(*attribute))
      bounds.Add(PlainBounds(*attribute));
  return bounds;
}

// What a reference shows, worked out exactly by unfolding it (for a turned reference whose
// box from its definition's is too large).
TBounds UnfoldedBounds(const TDrawing& drawing, const TEntity& reference) {
  TBounds bounds = OwnBounds(drawing, reference);
  ForEachBlockEntity(drawing, reference, [&](const TEntity& member, const TTransform& t) {
    if (!IsInvisible(member)) bounds.Add(PlainBounds(Transformed(member, t)));
  });
  return bounds;
}

}  // namespace

TBounds TBlockExtents::Shown(const TEntity& reference) {
  const TBounds definition = Definition(drawing_.FindBlock(reference.BlockName), 0);
  TBounds shown;
  if (definition.Empty()) return shown;
  // The copies of a MINSERT lie on a grid: the four at its corners hold the others between them.
  const int lastColumn = std::max(1, reference.Insert.Columns) - 1, lastRow = std::max(1, reference.Insert.Rows) - 1;
  for (int column = 0; column <= lastColumn; column += std::max(1, lastColumn)) {
    for (int row = 0; row <= lastRow; row += std::max(1, lastRow)) {
      const TTransform t = ReferenceTransform(drawing_, reference, column, row);
      for (const TPoint& corner : {TPoint{definition.MinX, definition.MinY, 0}, TPoint{definition.MaxX, definition.MinY, 0},
                                   TPoint{definition.MaxX, definition.MaxY, 0}, TPoint{definition.MinX, definition.MaxY, 0}})
        shown.Add(t.Apply(corner));
    }
  }
  return shown;
}

TBounds TBlockExtents::Definition(int number, int depth) {
  const TBlockDefinition* block = drawing_.Block(number);
  if (block == nullptr || depth >= kMaxBlockNesting) return TBounds{};
  const auto index = static_cast<std::size_t>(number);
  if (done_.size() <= index) {
    done_.resize(drawing_.Blocks().size() + 1, 0);
    boxes_.resize(drawing_.Blocks().size() + 1);
  }
  if (done_[index] == 2) return boxes_[index];
  if (done_[index] == 1) {
    cycle_ = true;
    return TBounds{};
  }
  done_[index] = 1;
  const bool outerCycle = std::exchange(cycle_, false);
  TBounds box;
  for (int id : block->Entities) {
    const TEntity* entity = drawing_.Find(id);
    // As a reference shows it: attribute definitions only when constant.
    if (entity == nullptr || IsInvisible(*entity) ||
        (entity->Type == TEntityType::AttributeDefinition && (entity->Flags & 2) == 0))
      continue;
    if (entity->Type == TEntityType::BlockReference) {
      box.Add(OwnBounds(drawing_, *entity));
      const TBounds nested = Definition(drawing_.FindBlock(entity->BlockName), depth + 1);
      if (!nested.Empty()) box.Add(Shown(*entity));
    } else {
      box.Add(PlainBounds(*entity));
    }
  }
  if (cycle_) {
    // A block that contains itself shows copies of itself down to the nesting limit, which its
    // own entities' boxes do not cover: its box comes from unfolding a reference at its base.
    TEntity reference;
    reference.Type = TEntityType::BlockReference;
    reference.BlockName = block->Name;
    reference.Center = block->Base;
    box = UnfoldedBounds(drawing_, reference);
  }
  cycle_ = outerCycle || cycle_;
  boxes_[index] = box;
  done_[index] = 2;
  return box;
}

TBounds BoundsOf(const TDrawing& drawing, const TEntity& entity, TBlockExtents& blocks) {
  if (entity.Type != TEntityType::BlockReference) return PlainBounds(entity);
  TBounds bounds = OwnBounds(drawing, entity);
  bounds.Add(blocks.Shown(entity));
  return bounds;
}

TBounds BoundsOf(const TDrawing& drawing, const TEntity& entity) {
  TBlockExtents blocks(drawing);
  return BoundsOf(drawing, entity, blocks);
}

TBounds DrawingBounds(const TDrawing& drawing) {
  TBlockExtents blocks(drawing);
  TBounds bounds;
  for (const auto& entity : drawing.All())
    if (!entity.Erased && entity.Owner == 0) bounds.Add(BoundsOf(drawing, entity, blocks));
  return bounds;
}

double DistanceTo(const TDrawing& drawing, const TEntity& entity, const TPoint& p) {
  double best = PlainDistance(entity, p);
  if (entity.Type != TEntityType::BlockReference) return best;
  for (int id : entity.Attributes)
    if (const TEntity* attribute = drawing.Find(id); attribute != nullptr && !IsInvisible(*attribute))
      best = std::min(best, PlainDistance(*attribute, p));
  ForEachBlockEntity(drawing, entity, [&](const TEntity& member, const TTransform& t) {
    if (!IsInvisible(member)) best = std::min(best, PlainDistance(Transformed(member, t), p));
  });
  return best;
}

THit HitTest(const TDrawing& drawing, const TPoint& p, double tolerance, bool nested) {
  TBlockExtents blocks(drawing);
  const TBounds probe = TBounds::Of(p, p);
  THit found;
  double nearest = tolerance;
  auto consider = [&](double distance, THit hit) {
    if (distance <= nearest) {
      nearest = distance;
      found = hit;
    }
  };
  for (const auto& entity : drawing.All()) {
    if (entity.Erased || IsInvisible(entity)) continue;
    if (entity.Owner != 0 && !nested) continue;   // its block reference answers for it
    if (!BoundsOf(drawing, entity, blocks).Grown(tolerance).Intersects(probe)) continue;
    if (entity.Type != TEntityType::BlockReference || !nested) {
      consider(DistanceTo(drawing, entity, p), THit{entity.Id, 0});
      continue;
    }
    // A sub-entity pick goes into the reference: the entity of its definition under the pick
    // box, innermost first. Its attributes come on their own; its insertion point answers for a
    // reference that shows nothing there.
    consider(PlainDistance(entity, p), THit{entity.Id, 0});
    ForEachBlockEntity(drawing, entity, [&](const TEntity& member, const TTransform& t) {
      if (!IsInvisible(member)) consider(PlainDistance(Transformed(member, t), p), THit{member.Id, entity.Id});
    });
  }
  return found;
}

std::vector<int> WindowInside(const TDrawing& drawing, const TPoint& a, const TPoint& b) {
  const TBounds window = TBounds::Of(a, b);
  TBlockExtents blocks(drawing);
  std::vector<int> ids;
  for (const auto& entity : drawing.All()) {
    if (entity.Erased || entity.Owner != 0) continue;
    const TBounds box = BoundsOf(drawing, entity, blocks);
    if (!box.Intersects(window)) continue;
    // A turned reference's box may stick out where nothing is drawn: then its real extent decides.
    if (box.Inside(window) ||
        (entity.Type == TEntityType::BlockReference && UnfoldedBounds(drawing, entity).Inside(window)))
      ids.push_back(entity.Id);
  }
  return ids;
}

std::vector<int> WindowSelection(const TDrawing& drawing, const TPoint& from, const TPoint& to) {
  return to.X >= from.X ? WindowInside(drawing, from, to) : drawing.Crossing(from, to);
}

}  // namespace kav::sim
