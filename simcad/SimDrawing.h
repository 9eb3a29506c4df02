// The simulated CAD's drawing: lines, lightweight polylines, TEXT, block references with
// attributes, the block definitions they show, and splines, polylines, circles, arcs, MTEXT
// and other kinds for the filters to let through or skip.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "cadlink/Point.h"

namespace kav::sim {

using cad::TPoint;

enum class TEntityType {
  Line, LwPolyline, Text, BlockReference, Attribute, Spline, Polyline3d, Circle,
  Arc, MText, Polyline2d, AttributeDefinition,
  Other,   // a kind the drawing keeps without taking it apart (its type and groups as read)
};

// What the CAD's EntityName gives, and the type name the selection filters match.
const char* EntityNameOf(TEntityType type);
const char* DxfNameOf(TEntityType type);
struct TEntity;
// The same for one entity: an other kind names itself, a MINSERT is a block reference.
std::string EntityNameOf(const TEntity& entity);
std::string DxfNameOf(const TEntity& entity);
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

// A block reference's placement beyond its insertion point: scale, rotation (radians) and,
// for a MINSERT, the array of columns and rows with their spacing.
struct TBlockTransform {
  TPoint Scale{1, 1, 1};
  double Rotation = 0;
  int Columns = 1, Rows = 1;
  double ColumnSpacing = 0, RowSpacing = 0;
  bool operator==(const TBlockTransform&) const = default;
};

// One group of a drawing file: its code and its value as text (UTF-8).
struct TRawGroup {
  int Code = 0;
  std::string Value;
  bool operator==(const TRawGroup&) const = default;
};

struct TEntity {
  int Id = 0;
  TEntityType Type = TEntityType::Line;
  bool Erased = false;
  TPoint Start, End;                 // line
  std::vector<double> Coordinates;   // lightweight polyline: x, y pairs; spline, 2D and 3D polyline: x, y, z
  bool Closed = false;
  TPoint Center;                     // circle and arc centre, block insertion point
  double Radius = 0;
  TTextProps Text;                   // TEXT, attribute, attribute definition, MTEXT (its attachment as alignment 6 to 14)
  std::string Tag;                   // attribute, attribute definition
  std::string BlockName;             // block reference
  std::vector<int> Attributes;       // block reference: its attributes' ids
  int Owner = 0;                     // attribute: its block reference
  // Other kinds keep their first point in Start.

  TBlockTransform Insert;            // block reference
  double StartAngle = 0, EndAngle = 0;   // arc: radians, counter-clockwise
  std::vector<double> Bulges;        // lightweight polyline, 2D polyline: one per vertex (kept, drawn straight)
  int Flags = 0;                     // attribute, attribute definition: 1 invisible, 2 constant, 4 verify, 8 preset
  std::string Prompt;                // attribute definition
  double Width = 0;                  // MTEXT: the width of its frame (0: no wrapping)
  std::string OtherType, OtherName;  // other kinds: the type name in the file and the CAD's object name
  std::vector<TRawGroup> Groups;     // spline and other kinds from a file: their groups, written back on save
  int Block = 0;                     // entity of a block definition: the definition's number; 0 in model space
};

// An attribute made invisible (flag 1): kept and changed like any other, never drawn or picked.
inline bool IsInvisible(const TEntity& entity) {
  return (entity.Type == TEntityType::Attribute || entity.Type == TEntityType::AttributeDefinition) && (entity.Flags & 1) != 0;
}

// A block definition: what every reference of the block shows, in the block's own
// coordinates (the base point is what lands on a reference's insertion point).
struct TBlockDefinition {
  std::string Name;
  TPoint Base;
  int Flags = 0;               // 1 anonymous, 2 has attribute definitions, 4 external reference, ...
  std::vector<int> Entities;   // the ids of its entities, in drawing order
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
  // Block definitions. They are kept apart from model space: TopLevel, Crossing and the
  // selections never see their entities, which have ids below 0 and are found by Find.
  // Adds a definition (an existing name, letter case ignored, gives that one); its number.
  int AddBlockDefinition(const std::string& name, const TPoint& base, int flags = 0);
  // Adds an entity to definition `block`; its id (below 0). 0 when there is no such block.
  int AddToBlock(int block, TEntity entity);
  const TBlockDefinition* Block(int number) const;   // numbers from 1; null when unknown
  int FindBlock(std::string_view name) const;        // its number, letter case ignored; 0 when none
  const std::vector<TBlockDefinition>& Blocks() const { return blocks_; }
  const std::vector<TEntity>& BlockEntities() const { return blockEntities_; }

  // A snapshot of a top-level entity and its attributes, as the clipboard holds it.
  std::vector<TEntity> Snapshot(int id) const;
  // Adds a snapshot moved by (dx, dy); returns the new top-level entity's id.
  int AddMoved(const std::vector<TEntity>& snapshot, double dx, double dy);

 private:
  std::vector<TEntity> entities_;
  int nextId_ = 1;
  std::vector<TBlockDefinition> blocks_;
  std::vector<TEntity> blockEntities_;   // id -1 is the first
  std::map<std::string, int> blockNumbers_;   // upper-cased name -> number
};

// A copy of `entity` moved by (dx, dy).
TEntity Moved(TEntity entity, double dx, double dy);

// One line of text per live top-level entity, for tests that look at the whole drawing:
// "<id>\t<EntityName>\t<details>".
std::string DescribeEntity(const TDrawing& drawing, const TEntity& entity);
std::string FormatNumber(double value);

}  // namespace kav::sim
