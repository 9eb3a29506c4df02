// Block references unfolded: transforms, world copies and the way down to one entity.
#include "simcad/SimBlockGeometry.h"

#include <cmath>

namespace kav::sim {

TPoint TTransform::Apply(const TPoint& p) const {
  return TPoint{M[0][0] * p.X + M[0][1] * p.Y + M[0][2] * p.Z + M[0][3],
                M[1][0] * p.X + M[1][1] * p.Y + M[1][2] * p.Z + M[1][3],
                M[2][0] * p.X + M[2][1] * p.Y + M[2][2] * p.Z + M[2][3]};
}

TPoint TTransform::ApplyVector(const TPoint& v) const {
  return TPoint{M[0][0] * v.X + M[0][1] * v.Y + M[0][2] * v.Z, M[1][0] * v.X + M[1][1] * v.Y + M[1][2] * v.Z,
                M[2][0] * v.X + M[2][1] * v.Y + M[2][2] * v.Z};
}

TTransform TTransform::operator*(const TTransform& inner) const {
  TTransform result;
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 4; ++c) {
      double sum = c == 3 ? M[r][3] : 0;
      for (int k = 0; k < 3; ++k) sum += M[r][k] * inner.M[k][c];
      result.M[r][c] = sum;
    }
  }
  return result;
}

std::vector<double> TTransform::Matrix4x4() const {
  std::vector<double> numbers;
  for (const auto& row : M) numbers.insert(numbers.end(), row, row + 4);
  numbers.insert(numbers.end(), {0, 0, 0, 1});
  return numbers;
}

namespace {

TTransform Translation(double x, double y, double z) {
  TTransform t;
  t.M[0][3] = x;
  t.M[1][3] = y;
  t.M[2][3] = z;
  return t;
}

double Length(const TPoint& v) { return std::sqrt(v.X * v.X + v.Y * v.Y + v.Z * v.Z); }
double AngleOf(const TPoint& v) { return std::atan2(v.Y, v.X); }

// Whether the transform mirrors the plane: counter-clockwise turns clockwise.
bool Mirrors(const TTransform& t) { return t.M[0][0] * t.M[1][1] - t.M[0][1] * t.M[1][0] < 0; }

double TurnedAngle(const TTransform& t, double angle) {
  return AngleOf(t.ApplyVector(TPoint{std::cos(angle), std::sin(angle), 0}));
}

void MovePoints(std::vector<double>& coordinates, std::size_t stride, const TTransform& t) {
  for (std::size_t i = 0; i + stride - 1 < coordinates.size(); i += stride) {
    const TPoint p = t.Apply(TPoint{coordinates[i], coordinates[i + 1], stride == 3 ? coordinates[i + 2] : 0});
    coordinates[i] = p.X;
    coordinates[i + 1] = p.Y;
    if (stride == 3) coordinates[i + 2] = p.Z;
  }
}

void TransformText(TTextProps& text, const TTransform& t) {
  const TPoint along = t.ApplyVector(TPoint{std::cos(text.Rotation), std::sin(text.Rotation), 0});
  const TPoint up = t.ApplyVector(TPoint{-std::sin(text.Rotation), std::cos(text.Rotation), 0});
  const double stretch = Length(along), lift = Length(up);
  text.Anchor = t.Apply(text.Anchor);
  text.Rotation = AngleOf(along);
  text.Height *= lift;
  if (lift > 0) text.ScaleFactor *= stretch / lift;
}

struct TVisitor {
  const TDrawing& Drawing;
  const std::function<void(const TEntity&, const TTransform&)>& Visit;
  std::size_t Left;

  // Visits the definition of `reference` through `outer`; false once the limit is reached.
  bool Unfold(const TEntity& reference, const TTransform& outer, int depth) {
    const int number = Drawing.FindBlock(reference.BlockName);
    const TBlockDefinition* block = Drawing.Block(number);
    if (block == nullptr || depth >= kMaxBlockNesting) return true;
    const int columns = std::max(1, reference.Insert.Columns), rows = std::max(1, reference.Insert.Rows);
    for (int row = 0; row < rows; ++row) {
      for (int column = 0; column < columns; ++column) {
        if (Left == 0) return false;
        --Left;   // a copy costs too, so that a huge array of an empty block ends as well
        const TTransform t = outer * ReferenceTransform(Drawing, reference, column, row);
        for (int id : block->Entities) {
          const TEntity* entity = Drawing.Find(id);
          // A reference shows its attributes, not the definitions they came from (but a
          // constant attribute has nothing else to show it).
          if (entity == nullptr || (entity->Type == TEntityType::AttributeDefinition && (entity->Flags & 2) == 0)) continue;
          if (Left == 0) return false;
          --Left;
          if (entity->Type != TEntityType::BlockReference) {
            Visit(*entity, t);
            continue;
          }
          for (int attributeId : entity->Attributes) {
            if (const TEntity* attribute = Drawing.Find(attributeId); attribute != nullptr && Left > 0) {
              --Left;
              Visit(*attribute, t);
            }
          }
          if (!Unfold(*entity, t, depth + 1)) return false;
        }
      }
    }
    return true;
  }
};

// A search for one definition entity below a reference. Blocks searched in vain are noted, so
// that a block met again through another reference is not searched twice.
struct TSearch {
  const TDrawing& Drawing;
  int Id;
  std::vector<int>& Containers;
  TTransform& Transform;
  std::vector<bool> Searched = std::vector<bool>(Drawing.Blocks().size() + 1, false);

  bool Below(const TEntity& reference, const TTransform& outer, int depth) {
    const int number = Drawing.FindBlock(reference.BlockName);
    const TBlockDefinition* block = Drawing.Block(number);
    if (block == nullptr || Searched[static_cast<std::size_t>(number)] || depth >= kMaxBlockNesting) return false;
    const TTransform t = outer * ReferenceTransform(Drawing, reference);
    const TEntity* wanted = Drawing.Find(Id);
    // The entity itself, or an attribute of a nested reference of this definition.
    for (int member : block->Entities) {
      if (member == Id || (wanted != nullptr && wanted->Owner == member)) {
        Containers.push_back(reference.Id);
        Transform = t;
        return true;
      }
    }
    for (int member : block->Entities) {
      const TEntity* entity = Drawing.Find(member);
      if (entity == nullptr || entity->Type != TEntityType::BlockReference) continue;
      if (Below(*entity, t, depth + 1)) {
        Containers.push_back(reference.Id);
        return true;
      }
    }
    Searched[static_cast<std::size_t>(number)] = true;
    return false;
  }
};

}  // namespace

TTransform ReferenceTransform(const TDrawing& drawing, const TEntity& reference, int column, int row) {
  TPoint base;
  if (const TBlockDefinition* block = drawing.Block(drawing.FindBlock(reference.BlockName))) base = block->Base;
  const TBlockTransform& insert = reference.Insert;
  TTransform scale;
  scale.M[0][0] = insert.Scale.X;
  scale.M[1][1] = insert.Scale.Y;
  scale.M[2][2] = insert.Scale.Z;
  TTransform rotation;
  const double c = std::cos(insert.Rotation), s = std::sin(insert.Rotation);
  rotation.M[0][0] = c;
  rotation.M[0][1] = -s;
  rotation.M[1][0] = s;
  rotation.M[1][1] = c;
  // A MINSERT's copies are spaced in the rotated frame of the reference, unscaled.
  return Translation(reference.Center.X, reference.Center.Y, reference.Center.Z) * rotation *
         Translation(column * insert.ColumnSpacing, row * insert.RowSpacing, 0) * scale * Translation(-base.X, -base.Y, -base.Z);
}

TEntity Transformed(const TEntity& entity, const TTransform& t) {
  TEntity e = entity;
  e.Start = t.Apply(e.Start);
  e.End = t.Apply(e.End);
  switch (e.Type) {
    case TEntityType::LwPolyline: MovePoints(e.Coordinates, 2, t); break;
    case TEntityType::Spline:
    case TEntityType::Polyline3d:
    case TEntityType::Polyline2d: MovePoints(e.Coordinates, 3, t); break;
    case TEntityType::Circle:
    case TEntityType::Arc: {
      e.Center = t.Apply(e.Center);
      e.Radius *= std::sqrt(std::fabs(t.M[0][0] * t.M[1][1] - t.M[0][1] * t.M[1][0]));
      const double start = TurnedAngle(t, e.StartAngle), end = TurnedAngle(t, e.EndAngle);
      e.StartAngle = Mirrors(t) ? end : start;
      e.EndAngle = Mirrors(t) ? start : end;
      break;
    }
    case TEntityType::Text:
    case TEntityType::Attribute:
    case TEntityType::AttributeDefinition:
    case TEntityType::MText: TransformText(e.Text, t); break;
    case TEntityType::BlockReference: {
      const TPoint along = t.ApplyVector(TPoint{std::cos(e.Insert.Rotation), std::sin(e.Insert.Rotation), 0});
      e.Center = t.Apply(e.Center);
      e.Insert.Rotation = AngleOf(along);
      break;
    }
    case TEntityType::Line:
    case TEntityType::Other: break;
  }
  return e;
}

void ForEachBlockEntity(const TDrawing& drawing, const TEntity& reference,
                        const std::function<void(const TEntity&, const TTransform&)>& visit, std::size_t limit) {
  TVisitor visitor{drawing, visit, limit};
  visitor.Unfold(reference, TTransform{}, 0);
}

bool FindInReference(const TDrawing& drawing, int reference, int id, std::vector<int>& containers, TTransform& transform) {
  containers.clear();
  const TEntity* outer = drawing.Find(reference);
  if (outer == nullptr || outer->Type != TEntityType::BlockReference || outer->Block != 0) return false;
  TSearch search{drawing, id, containers, transform};
  return search.Below(*outer, TTransform{}, 0);
}

int FirstReferenceShowing(const TDrawing& drawing, int id) {
  std::vector<int> containers;
  TTransform transform;
  TSearch search{drawing, id, containers, transform};   // one search: a block fails once
  for (const TEntity& entity : drawing.All())
    if (!entity.Erased && entity.Owner == 0 && entity.Type == TEntityType::BlockReference &&
        search.Below(entity, TTransform{}, 0))
      return entity.Id;
  return 0;
}

int InsertBlock(TDrawing& drawing, const std::string& name, const TPoint& insertion,
                const std::map<std::string, std::string>& values, const TBlockTransform& transform) {
  const TBlockDefinition* block = drawing.Block(drawing.FindBlock(name));
  if (block == nullptr) return 0;
  TEntity reference;
  reference.Type = TEntityType::BlockReference;
  reference.BlockName = block->Name;
  reference.Center = insertion;
  reference.Insert = transform;
  const int id = drawing.Add(reference);
  const TTransform t = ReferenceTransform(drawing, reference);
  std::vector<int> attributes;
  const std::vector<int> members = block->Entities;   // `block` may move as the drawing grows
  for (int member : members) {
    const TEntity* definition = drawing.Find(member);
    if (definition == nullptr || definition->Type != TEntityType::AttributeDefinition || (definition->Flags & 2) != 0) continue;
    TEntity attribute = Transformed(*definition, t);
    attribute.Type = TEntityType::Attribute;
    attribute.Owner = id;
    attribute.Block = 0;
    attribute.Prompt.clear();
    if (const auto value = values.find(attribute.Tag); value != values.end()) attribute.Text.TextString = value->second;
    attributes.push_back(drawing.Add(std::move(attribute)));
  }
  drawing.Find(id)->Attributes = std::move(attributes);
  return id;
}

}  // namespace kav::sim
