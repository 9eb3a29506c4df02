// Finding entities on the drawing: their bounding boxes, the entity under a pick box (also
// inside what a block reference shows), and the window and crossing selections of a
// rectangle drawn on the screen.
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
  TBounds Grown(double margin) const;
  static TBounds Of(const TPoint& a, const TPoint& b);
};

// An arc runs counter-clockwise from its start angle over this many radians (a whole turn
// when its two angles are the same).
double ArcSweep(const TEntity& arc);

// Clips the segment from `a` to `b` to `box` (Liang-Barsky, closed bounds, so a degenerate
// box still meets what crosses it). False when no part of it lies in the box.
bool ClipSegment(TPoint& a, TPoint& b, const TBounds& box);

// The boxes of the block definitions in their own coordinates, each worked out once for one
// query over the drawing (a repaint, a pick, a selection), so that a drawing of many block
// references does not unfold every one of them. Lives no longer than the query: the drawing
// may change between queries.
class TBlockExtents {
 public:
  explicit TBlockExtents(const TDrawing& drawing) : drawing_(drawing) {}
  // The box of what `reference` shows from its definition (every copy of a MINSERT), in the
  // space the reference lies in; without its own attributes. It may be larger than what is
  // shown when the reference is turned, never smaller.
  TBounds Shown(const TEntity& reference);

 private:
  TBounds Definition(int number, int depth);

  const TDrawing& drawing_;
  std::vector<TBounds> boxes_;
  std::vector<char> done_;   // per block number: 0 not yet, 1 being worked out, 2 done
  bool cycle_ = false;       // a block met again while it is being worked out: it contains itself
};

// The box around an entity; a block reference's takes its insertion point, its attributes
// and what its definition shows.
TBounds BoundsOf(const TDrawing& drawing, const TEntity& entity, TBlockExtents& blocks);
TBounds BoundsOf(const TDrawing& drawing, const TEntity& entity);
// The box around every live entity; empty for an empty drawing.
TBounds DrawingBounds(const TDrawing& drawing);

// The distance from `p` to what the entity draws (0 inside a text's frame); a block
// reference's is that of the nearest of its insertion point, its attributes and what its
// definition shows.
double DistanceTo(const TDrawing& drawing, const TEntity& entity, const TPoint& p);

// What a pick found.
struct THit {
  int Entity = 0;      // 0: nothing within the pick box
  int Reference = 0;   // an entity of a block definition: the model-space reference it was picked through
  bool operator==(const THit&) const = default;
};

// The entity nearest to `p` within `tolerance` (half the pick box, in drawing units). Without
// `nested` a top-level entity: a click on what a block reference shows, or on its attributes,
// finds the reference. With `nested` (the sub-entity pick) the innermost entity: an attribute
// itself, or the entity of the block definition the reference shows there, with the
// reference. Of entities equally near, the one drawn last (on top) wins.
THit HitTest(const TDrawing& drawing, const TPoint& p, double tolerance, bool nested);

// Top-level entities wholly inside the rectangle of two corners.
std::vector<int> WindowInside(const TDrawing& drawing, const TPoint& a, const TPoint& b);
// A rectangle drawn on the screen: from left to right it takes what lies wholly inside it,
// from right to left whatever it crosses.
std::vector<int> WindowSelection(const TDrawing& drawing, const TPoint& from, const TPoint& to);

}  // namespace kav::sim
