// Where the entities of a block definition land in the drawing: the transform of a block
// reference (MINSERT copies and nested references included), world copies of definition
// entities, and the way from a reference down to one entity of its definition.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "simcad/SimDrawing.h"

namespace kav::sim {

// An affine transform: the upper three rows of a 4x4 matrix whose last row is 0 0 0 1.
struct TTransform {
  double M[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
  TPoint Apply(const TPoint& p) const;
  TPoint ApplyVector(const TPoint& v) const;   // without the translation
  TTransform operator*(const TTransform& inner) const;   // `inner` first, then this
  std::vector<double> Matrix4x4() const;   // the 16 numbers, row by row
};

// Nested references are unfolded this deep at most; a block that contains itself ends there.
inline constexpr int kMaxBlockNesting = 16;
// Entities visited for one reference at most, so that a MINSERT of a million copies or a
// deep nesting cannot stall the window or a selection.
inline constexpr std::size_t kBlockVisitLimit = 200000;

// From the block's coordinates into those of the space the reference lies in, for the copy
// in `column` and `row` of a MINSERT.
TTransform ReferenceTransform(const TDrawing& drawing, const TEntity& reference, int column = 0, int row = 0);

// A definition entity as it stands through `transform`: points moved, radii, heights and
// angles carried along. Its id stays.
TEntity Transformed(const TEntity& entity, const TTransform& transform);

// Calls `visit` with each entity the reference shows from its definition and the transform
// into the reference's space: every MINSERT copy, nested references unfolded (their
// attributes visited with them). The reference's own attributes are not visited: they lie in
// the drawing already; attribute definitions are not shown unless they are constant.
void ForEachBlockEntity(const TDrawing& drawing, const TEntity& reference,
                        const std::function<void(const TEntity&, const TTransform&)>& visit,
                        std::size_t limit = kBlockVisitLimit);

// The way from the model-space `reference` down to the definition entity `id`: the references
// passed, innermost first and `reference` last, and the transform of the entity into the
// world. False when the reference does not show the entity.
bool FindInReference(const TDrawing& drawing, int reference, int id, std::vector<int>& containers, TTransform& transform);

// What a view of the drawing shows: the live entities of model space with their visible
// attributes, and world copies of what each block reference shows.
std::vector<TEntity> ShownEntities(const TDrawing& drawing);

// The first model-space reference that shows the definition entity `id`; 0 when none does.
int FirstReferenceShowing(const TDrawing& drawing, int id);

}  // namespace kav::sim
