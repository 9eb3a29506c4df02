// The simulated CAD's drawing: lines, lightweight polylines, TEXT, block references with
// attributes, and splines, 3D polylines and circles for the filters to let through or skip.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cadlink/Point.h"

namespace kav::sim {

using cad::TPoint;

enum class TEntityType { Line, LwPolyline, Text, BlockReference, Attribute, Spline, Polyline3d, Circle };

// What the CAD's EntityName gives, and the type name the selection filters match.
const char* EntityNameOf(TEntityType type);
const char* DxfNameOf(TEntityType type);
// The object's name in the call log ("Line", "Text", ...).
const char* LogNameOf(TEntityType type);

// A TEXT's or attribute's text and placement. `Anchor` is the point its alignment holds
// fixed: the insertion point for Left, the alignment point otherwise.
struct TTextProps {
  std::string TextString;
  TPoint Anchor;
  double Height = 2.5;
  double ScaleFactor = 1.0;
  double Rotation = 0;
  int Alignment = 0;
};

struct TEntity {
  int Id = 0;
  TEntityType Type = TEntityType::Line;
  bool Erased = false;
  TPoint Start, End;                 // line
  std::vector<double> Coordinates;   // lightweight polyline: x, y pairs; spline, 3D polyline: x, y, z
  bool Closed = false;
  TPoint Center;                     // circle centre, block insertion point
  double Radius = 0;
  TTextProps Text;                   // TEXT, attribute
  std::string Tag;                   // attribute
  std::string BlockName;             // block reference
  std::vector<int> Attributes;       // block reference: its attributes' ids
  int Owner = 0;                     // attribute: its block reference
};

// Text geometry. The width is estimated from the number of characters, enough for the
// selections of the tests: each character is 0.8 of the height, times the width factor.
double TextWidth(const TTextProps& text);
TPoint TextInsertionPoint(const TTextProps& text);   // lower left of the baseline
TPoint AnchorFor(const TTextProps& text, const TPoint& insertion);
// Changes the alignment and keeps the text where it stands, as the CAD does.
void ChangeAlignment(TTextProps& text, int alignment);

class TDrawing {
 public:
  int Add(TEntity entity);   // gives it the next id
  TEntity* Find(int id);     // live entities only; null when unknown or erased
  const TEntity* Find(int id) const;
  const std::vector<TEntity>& All() const { return entities_; }
  // Live entities that are not part of another (attributes are not).
  std::vector<int> TopLevel() const;
  int LastTopLevel() const;  // 0 when the drawing is empty
  bool Erase(int id);
  // The id the next entity will get, and putting back an entity as the undo journal kept it.
  int NextId() const { return nextId_; }
  void Restore(const TEntity& image);

  // Top-level entities that lie inside or cross the rectangle of two corners (a degenerate
  // rectangle, a segment, works as a probe).
  std::vector<int> Crossing(const TPoint& a, const TPoint& b) const;

  // Adds a block reference with one attribute for each tag, stacked below the insertion point.
  int AddBlock(const std::string& name, const TPoint& insertion, const std::vector<std::string>& tags,
               const std::vector<std::string>& values, double height = 2.5);
  // A snapshot of a top-level entity and its attributes, as the clipboard holds it.
  std::vector<TEntity> Snapshot(int id) const;
  // Adds a snapshot moved by (dx, dy); returns the new top-level entity's id.
  int AddMoved(const std::vector<TEntity>& snapshot, double dx, double dy);

 private:
  std::vector<TEntity> entities_;
  int nextId_ = 1;
};

// A copy of `entity` moved by (dx, dy).
TEntity Moved(TEntity entity, double dx, double dy);

// One line of text per live top-level entity, for tests that look at the whole drawing:
// "<id>\t<EntityName>\t<details>".
std::string DescribeEntity(const TDrawing& drawing, const TEntity& entity);
std::string FormatNumber(double value);

}  // namespace kav::sim
