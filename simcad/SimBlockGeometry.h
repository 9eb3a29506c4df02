// Where the entities of a block definition land in the drawing: the transform of a block
// reference (MINSERT copies and nested references included), world copies of definition
// entities, and the way from a reference down to one entity of its definition.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
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

// The first model-space reference that shows the definition entity `id`; 0 when none does.
int FirstReferenceShowing(const TDrawing& drawing, int id);

// Inserts the block `name` into model space at `insertion` (with the scale, rotation and array
// of `transform`), as the CAD's INSERT does: one attribute for each attribute definition of the
// block that is not constant, placed where the definition puts it, with the value `values`
// gives for its tag (the definition's default otherwise). The reference's id; 0 when there is
// no such block.
int InsertBlock(TDrawing& drawing, const std::string& name, const TPoint& insertion,
                const std::map<std::string, std::string>& values, const TBlockTransform& transform = {});

}  // namespace kav::sim
