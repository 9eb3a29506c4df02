#include "simcad/SimDrawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/Text.h"
#include "simcad/SimBlockGeometry.h"
#include "simcad/SimHitTest.h"
#include "simcad/SimTextGeometry.h"

namespace kav::sim {

namespace {

struct TSegment {
  TPoint A, B;
};

struct TRect {
  double MinX, MinY, MaxX, MaxY;
  bool Contains(const TPoint& p) const { return p.X >= MinX && p.X <= MaxX && p.Y >= MinY && p.Y <= MaxY; }
};

bool SegmentMeetsRect(const TSegment& s, const TRect& r) {
  TPoint a = s.A, b = s.B;
  return ClipSegment(a, b, TBounds{r.MinX, r.MinY, r.MaxX, r.MaxY});
}

bool PointInPolygon(const TPoint& p, const std::vector<TPoint>& polygon) {
  bool inside = false;
  for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const TPoint& a = polygon[i];
    const TPoint& b = polygon[j];
    if ((a.Y > p.Y) != (b.Y > p.Y) && p.X < (b.X - a.X) * (p.Y - a.Y) / (b.Y - a.Y) + a.X) inside = !inside;
  }
  return inside;
}

TPoint Rotated(const TPoint& origin, double dx, double dy, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  return TPoint{origin.X + dx * c - dy * s, origin.Y + dx * s + dy * c, origin.Z};
}

void AddClosed(std::vector<TSegment>& out, const std::vector<TPoint>& polygon) {
  for (std::size_t i = 0; i < polygon.size(); ++i) out.push_back({polygon[i], polygon[(i + 1) % polygon.size()]});
}

std::vector<TPoint> Vertices(const std::vector<double>& coordinates, int stride) {
  std::vector<TPoint> points;
  for (std::size_t i = 0; i + static_cast<std::size_t>(stride) - 1 < coordinates.size(); i += static_cast<std::size_t>(stride))
    points.push_back(TPoint{coordinates[i], coordinates[i + 1], stride == 3 ? coordinates[i + 2] : 0});
  return points;
}

}  // namespace

const char* EntityNameOf(TEntityType type) {
  switch (type) {
    case TEntityType::Line: return "AcDbLine";
    case TEntityType::LwPolyline: return "AcDbPolyline";
    case TEntityType::Text: return "AcDbText";
    case TEntityType::BlockReference: return "AcDbBlockReference";
    case TEntityType::Attribute: return "AcDbAttribute";
    case TEntityType::Spline: return "AcDbSpline";
    case TEntityType::Polyline3d: return "AcDb3dPolyline";
    case TEntityType::Circle: return "AcDbCircle";
    case TEntityType::Arc: return "AcDbArc";
    case TEntityType::MText: return "AcDbMText";
    case TEntityType::Polyline2d: return "AcDb2dPolyline";
    case TEntityType::AttributeDefinition: return "AcDbAttributeDefinition";
    case TEntityType::Other: break;
  }
  return "AcDbEntity";
}

const char* DxfNameOf(TEntityType type) {
  switch (type) {
    case TEntityType::Line: return "LINE";
    case TEntityType::LwPolyline: return "LWPOLYLINE";
    case TEntityType::Text: return "TEXT";
    case TEntityType::BlockReference: return "INSERT";
    case TEntityType::Attribute: return "ATTRIB";
    case TEntityType::Spline: return "SPLINE";
    case TEntityType::Polyline3d: return "POLYLINE";
    case TEntityType::Circle: return "CIRCLE";
    case TEntityType::Arc: return "ARC";
    case TEntityType::MText: return "MTEXT";
    case TEntityType::Polyline2d: return "POLYLINE";
    case TEntityType::AttributeDefinition: return "ATTDEF";
    case TEntityType::Other: break;
  }
  return "";
}

std::string EntityNameOf(const TEntity& entity) {
  if (entity.Type == TEntityType::Other) return entity.OtherName.empty() ? "AcDbEntity" : entity.OtherName;
  if (entity.Type == TEntityType::BlockReference && (entity.Insert.Columns > 1 || entity.Insert.Rows > 1)) return "AcDbMInsertBlock";
  return EntityNameOf(entity.Type);
}

std::string DxfNameOf(const TEntity& entity) {
  return entity.Type == TEntityType::Other ? entity.OtherType : std::string(DxfNameOf(entity.Type));
}

const char* LogNameOf(TEntityType type) { return EntityNameOf(type) + 4; }   // without "AcDb"

double TextWidth(const TTextProps& text) {
  return static_cast<double>(Utf16Length(text.TextString)) * text.Height * 0.8 * text.ScaleFactor;
}

namespace {
// Where the anchor stands relative to the lower left of the baseline, before rotation.
void AnchorOffset(const TTextProps& text, double& dx, double& dy) {
  const double w = TextWidth(text), h = text.Height;
  dx = 0;
  dy = 0;
  switch (text.Alignment) {
    case 1: case 4: case 7: case 10: case 13: dx = w / 2; break;   // centred
    case 2: case 3: case 5: case 8: case 11: case 14: dx = w; break;   // right, or the second point
    default: break;
  }
  switch (text.Alignment) {
    case 4: case 9: case 10: case 11: dy = h / 2; break;   // middle
    case 6: case 7: case 8: dy = h; break;                 // top
    default: break;                                        // baseline and bottom
  }
}
}  // namespace

TPoint TextInsertionPoint(const TTextProps& text) {
  double dx = 0, dy = 0;
  AnchorOffset(text, dx, dy);
  return Rotated(text.Anchor, -dx, -dy, text.Rotation);
}

TPoint AnchorFor(const TTextProps& text, const TPoint& insertion) {
  double dx = 0, dy = 0;
  AnchorOffset(text, dx, dy);
  return Rotated(insertion, dx, dy, text.Rotation);
}

void ChangeAlignment(TTextProps& text, int alignment) {
  const TPoint insertion = TextInsertionPoint(text);
  text.Alignment = alignment;
  text.Anchor = AnchorFor(text, insertion);
}

int TDrawing::Add(TEntity entity) {
  entity.Id = nextId_++;
  entity.Erased = false;
  entities_.push_back(std::move(entity));
  return entities_.back().Id;
}

TEntity* TDrawing::Find(int id) {
  if (id < 0) {
    const auto index = static_cast<std::size_t>(-(static_cast<long long>(id) + 1));
    if (index >= blockEntities_.size()) return nullptr;
    TEntity& entity = blockEntities_[index];
    return entity.Erased ? nullptr : &entity;
  }
  if (id < 1 || id >= nextId_) return nullptr;
  TEntity& entity = entities_[static_cast<std::size_t>(id - 1)];
  return entity.Erased ? nullptr : &entity;
}

const TEntity* TDrawing::Find(int id) const { return const_cast<TDrawing*>(this)->Find(id); }

std::vector<int> TDrawing::TopLevel() const {
  std::vector<int> ids;
  for (const auto& entity : entities_)
    if (!entity.Erased && entity.Owner == 0) ids.push_back(entity.Id);
  return ids;
}

int TDrawing::LastTopLevel() const {
  for (auto it = entities_.rbegin(); it != entities_.rend(); ++it)
    if (!it->Erased && it->Owner == 0) return it->Id;
  return 0;
}

bool TDrawing::Erase(int id) {
  TEntity* entity = Find(id);
  if (entity == nullptr) return false;
  entity->Erased = true;
  for (int attribute : entity->Attributes)
    if (TEntity* a = Find(attribute)) a->Erased = true;
  return true;
}

void TDrawing::Restore(const TEntity& image) {
  if (image.Id < 0) {
    const auto index = static_cast<std::size_t>(-(static_cast<long long>(image.Id) + 1));
    if (index < blockEntities_.size()) blockEntities_[index] = image;
  } else if (image.Id >= 1 && image.Id < nextId_) {
    entities_[static_cast<std::size_t>(image.Id - 1)] = image;
  }
}

namespace {

// Whether one entity lies inside or crosses the rectangle. A block reference is hit by its
// insertion point, its attributes and what its definition shows.
bool Hits(const TDrawing& drawing, const TEntity& entity, const TRect& rect) {
  std::vector<TSegment> outline;
  std::vector<TPoint> area;   // a closed shape whose inside also counts
  bool inFrame = false;       // the rectangle lies within a text's frame
  switch (entity.Type) {
    case TEntityType::Line: outline.push_back({entity.Start, entity.End}); break;
    case TEntityType::LwPolyline:
    case TEntityType::Spline:
    case TEntityType::Polyline3d:
    case TEntityType::Polyline2d: {
      const auto points = Vertices(entity.Coordinates, entity.Type == TEntityType::LwPolyline ? 2 : 3);
      for (std::size_t i = 1; i < points.size(); ++i) outline.push_back({points[i - 1], points[i]});
      if (points.size() == 1) outline.push_back({points[0], points[0]});
      if (entity.Closed && points.size() > 2) outline.push_back({points.back(), points.front()});
      break;
    }
    case TEntityType::Text:
    case TEntityType::Attribute:
    case TEntityType::AttributeDefinition:
    case TEntityType::MText:
      // The frame of each text it shows; a rectangle within a frame is inside it.
      ForEachShownText(entity, [&](const TTextProps& text) {
        const auto corners = FrameCorners(TextFrame(text));
        std::vector<TPoint> frame(corners.begin(), corners.end());
        AddClosed(outline, frame);
        if (PointInPolygon(TPoint{rect.MinX, rect.MinY, 0}, frame)) inFrame = true;
      });
      break;
    case TEntityType::BlockReference: {
      outline.push_back({entity.Center, entity.Center});
      for (int id : entity.Attributes)
        if (const TEntity* attribute = drawing.Find(id); attribute != nullptr && !IsInvisible(*attribute) && Hits(drawing, *attribute, rect))
          return true;
      bool inside = false;
      ForEachBlockEntity(drawing, entity, [&](const TEntity& member, const TTransform& t) {
        if (!inside && !IsInvisible(member)) inside = Hits(drawing, Transformed(member, t), rect);
      });
      if (inside) return true;
      break;
    }
    case TEntityType::Circle:
    case TEntityType::Arc: {
      constexpr int kSides = 64;
      const bool full = entity.Type == TEntityType::Circle;
      const double sweep = full ? 2 * std::numbers::pi : ArcSweep(entity);
      std::vector<TPoint> points;
      for (int i = 0; i <= kSides; ++i) {
        const double t = entity.StartAngle + sweep * i / kSides;
        points.push_back(TPoint{entity.Center.X + entity.Radius * std::cos(t), entity.Center.Y + entity.Radius * std::sin(t), 0});
      }
      for (std::size_t i = 1; i < points.size(); ++i) outline.push_back({points[i - 1], points[i]});
      if (full) area = points;
      break;
    }
    case TEntityType::Other: outline.push_back({entity.Start, entity.Start}); break;
  }
  if (inFrame) return true;
  if (std::any_of(outline.begin(), outline.end(), [&](const TSegment& s) { return SegmentMeetsRect(s, rect); })) return true;
  return area.size() > 2 && PointInPolygon(TPoint{rect.MinX, rect.MinY, 0}, area);
}

}  // namespace

std::vector<int> TDrawing::Crossing(const TPoint& a, const TPoint& b) const {
  const TRect rect{std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
  const TBounds box{rect.MinX, rect.MinY, rect.MaxX, rect.MaxY};
  TBlockExtents blocks(*this);
  std::vector<int> ids;
  for (const auto& entity : entities_) {
    if (entity.Erased || entity.Owner != 0) continue;
    // Far away entities are left at their box, before their outline is built.
    if (BoundsOf(*this, entity, blocks).Intersects(box) && Hits(*this, entity, rect)) ids.push_back(entity.Id);
  }
  return ids;
}

int TDrawing::AddBlockDefinition(const std::string& name, const TPoint& base, int flags) {
  if (const int existing = FindBlock(name); existing != 0) return existing;
  blocks_.push_back(TBlockDefinition{name, base, flags, {}});
  const int number = static_cast<int>(blocks_.size());
  blockNumbers_.emplace(UpperAscii(name), number);
  return number;
}

int TDrawing::AddToBlock(int block, TEntity entity) {
  if (block < 1 || block > static_cast<int>(blocks_.size())) return 0;
  entity.Id = -static_cast<int>(blockEntities_.size()) - 1;
  entity.Erased = false;
  entity.Block = block;
  // Attributes of a nested reference belong to their reference, not to the list the block shows.
  if (entity.Owner == 0) blocks_[static_cast<std::size_t>(block - 1)].Entities.push_back(entity.Id);
  blockEntities_.push_back(std::move(entity));
  return blockEntities_.back().Id;
}

const TBlockDefinition* TDrawing::Block(int number) const {
  if (number < 1 || number > static_cast<int>(blocks_.size())) return nullptr;
  return &blocks_[static_cast<std::size_t>(number - 1)];
}

int TDrawing::FindBlock(std::string_view name) const {
  const auto found = blockNumbers_.find(UpperAscii(name));
  return found == blockNumbers_.end() ? 0 : found->second;
}

int TDrawing::AddBlock(const std::string& name, const TPoint& insertion, const std::vector<std::string>& tags,
                       const std::vector<std::string>& values, double height) {
  TEntity block;
  block.Type = TEntityType::BlockReference;
  block.BlockName = name;
  block.Center = insertion;
  const int blockId = Add(block);
  std::vector<int> attributes;
  for (std::size_t i = 0; i < tags.size(); ++i) {
    TEntity attribute;
    attribute.Type = TEntityType::Attribute;
    attribute.Owner = blockId;
    attribute.Tag = tags[i];
    attribute.Text.TextString = i < values.size() ? values[i] : std::string();
    attribute.Text.Height = height;
    attribute.Text.Anchor = TPoint{insertion.X, insertion.Y - height * 2.0 * static_cast<double>(i), insertion.Z};
    attributes.push_back(Add(attribute));
  }
  Find(blockId)->Attributes = attributes;
  return blockId;
}

std::vector<TEntity> TDrawing::Snapshot(int id) const {
  std::vector<TEntity> snapshot;
  const TEntity* source = Find(id);
  if (source == nullptr) return snapshot;
  snapshot.push_back(*source);
  for (int attributeId : source->Attributes)
    if (const TEntity* attribute = Find(attributeId)) snapshot.push_back(*attribute);
  return snapshot;
}

int TDrawing::AddMoved(const std::vector<TEntity>& snapshot, double dx, double dy) {
  if (snapshot.empty()) return 0;
  auto moved = [&](const TEntity& e) { return Moved(e, dx, dy); };
  TEntity top = moved(snapshot[0]);
  top.Attributes.clear();
  const int topId = Add(top);
  std::vector<int> attributes;
  for (std::size_t i = 1; i < snapshot.size(); ++i) {
    TEntity attribute = moved(snapshot[i]);
    attribute.Owner = topId;
    attributes.push_back(Add(attribute));
  }
  Find(topId)->Attributes = attributes;
  return topId;
}

TEntity Moved(TEntity e, double dx, double dy) {
  auto move = [&](TPoint& p) { p.X += dx; p.Y += dy; };
  move(e.Start);
  move(e.End);
  move(e.Center);
  move(e.Text.Anchor);
  const std::size_t stride = e.Type == TEntityType::LwPolyline ? 2 : 3;
  for (std::size_t i = 0; i + 1 < e.Coordinates.size(); i += stride) {
    e.Coordinates[i] += dx;
    e.Coordinates[i + 1] += dy;
  }
  return e;
}

std::string FormatNumber(double value) {
  if (value == 0) return "0";   // also -0
  std::string text = FormatFixed(value, 6);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text == "-0" ? "0" : text;
}

namespace {
std::string Xy(const TPoint& p) { return FormatNumber(p.X) + "," + FormatNumber(p.Y); }
}  // namespace

std::string DescribeEntity(const TDrawing& drawing, const TEntity& entity) {
  std::string text = std::to_string(entity.Id) + "\t" + EntityNameOf(entity) + "\t";
  switch (entity.Type) {
    case TEntityType::Line: return text + Xy(entity.Start) + " " + Xy(entity.End);
    case TEntityType::LwPolyline:
    case TEntityType::Spline:
    case TEntityType::Polyline3d:
    case TEntityType::Polyline2d: {
      std::string coordinates;
      for (double c : entity.Coordinates) {
        if (!coordinates.empty()) coordinates += ',';
        coordinates += FormatNumber(c);
      }
      return text + coordinates + (entity.Closed ? " closed" : "");
    }
    case TEntityType::Circle: return text + Xy(entity.Center) + " r=" + FormatNumber(entity.Radius);
    case TEntityType::Arc:
      return text + Xy(entity.Center) + " r=" + FormatNumber(entity.Radius) + " from " + FormatNumber(entity.StartAngle) +
             " to " + FormatNumber(entity.EndAngle);
    case TEntityType::Text:
    case TEntityType::Attribute:
    case TEntityType::AttributeDefinition:
    case TEntityType::MText: {
      const auto& t = entity.Text;
      if (entity.Type == TEntityType::Attribute || entity.Type == TEntityType::AttributeDefinition) text += entity.Tag + "=";
      return text + t.TextString + "\tat " + Xy(TextInsertionPoint(t)) + " anchor " + Xy(t.Anchor) +
             " h=" + FormatNumber(t.Height) + " w=" + FormatNumber(t.ScaleFactor) +
             " a=" + std::to_string(t.Alignment) + " r=" + FormatNumber(t.Rotation);
    }
    case TEntityType::BlockReference: {
      text += entity.BlockName + " at " + Xy(entity.Center);
      const TBlockTransform& insert = entity.Insert;
      if (insert.Scale != TPoint{1, 1, 1})
        text += " scale " + Xy(insert.Scale) + "," + FormatNumber(insert.Scale.Z);
      if (insert.Rotation != 0) text += " r=" + FormatNumber(insert.Rotation);
      if (insert.Columns > 1 || insert.Rows > 1)
        text += " array " + std::to_string(insert.Columns) + "x" + std::to_string(insert.Rows) + " by " +
                FormatNumber(insert.ColumnSpacing) + "," + FormatNumber(insert.RowSpacing);
      for (int id : entity.Attributes)
        if (const TEntity* attribute = drawing.Find(id)) text += "\t" + attribute->Tag + "=" + attribute->Text.TextString;
      return text;
    }
    case TEntityType::Other: return text + entity.OtherType + " at " + Xy(entity.Start);
  }
  return text;
}

}  // namespace kav::sim
