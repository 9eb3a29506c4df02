// Finding entities on the drawing: their bounding boxes, the entity under a pick box, and
// the window and crossing selections of a rectangle drawn on the screen.
#pragma once

#include <vector>

#include "simcad/SimDrawing.h"

namespace kav::sim {

struct TBounds {
  double MinX = 1e300, MinY = 1e300, MaxX = -1e300, MaxY = -1e300;
  bool Empty() const { return MinX > MaxX; }
  void Add(const TPoint& p);
  void Add(const TBounds& other);
  bool Intersects(const TBounds& other) const;
  bool Inside(const TBounds& outer) const;   // wholly within `outer`
  static TBounds Of(const TPoint& a, const TPoint& b);
};

// Clips the segment from `a` to `b` to `box` (Liang-Barsky, closed bounds, so a degenerate
// box still meets what crosses it). False when no part of it lies in the box.
bool ClipSegment(TPoint& a, TPoint& b, const TBounds& box);

// The box around an entity; a block reference's takes its insertion point and attributes.
TBounds BoundsOf(const TDrawing& drawing, const TEntity& entity);
// The box around every live entity; empty for an empty drawing.
TBounds DrawingBounds(const TDrawing& drawing);

// The distance from `p` to what the entity draws (0 inside a text's frame).
double DistanceTo(const TDrawing& drawing, const TEntity& entity, const TPoint& p);

// The entity nearest to `p` within `tolerance` (half the pick box, in drawing units), or 0.
// With `attributes`, an attribute is found itself rather than its block reference. Of
// entities equally near, the one drawn last (on top) wins.
int HitTest(const TDrawing& drawing, const TPoint& p, double tolerance, bool attributes);

// Top-level entities wholly inside the rectangle of two corners.
std::vector<int> WindowInside(const TDrawing& drawing, const TPoint& a, const TPoint& b);
// A rectangle drawn on the screen: from left to right it takes what lies wholly inside it,
// from right to left whatever it crosses.
std::vector<int> WindowSelection(const TDrawing& drawing, const TPoint& from, const TPoint& to);

}  // namespace kav::sim
