// One DXF entity record after another into the drawing's entities.
#include "simcad/DxfEntities.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "simcad/DxfCodes.h"

namespace kav::sim {

namespace {

constexpr double kDegree = std::numbers::pi / 180;

TPoint Cross(const TPoint& a, const TPoint& b) {
  return TPoint{a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}

TPoint Normalized(const TPoint& v) {
  const double length = std::sqrt(v.X * v.X + v.Y * v.Y + v.Z * v.Z);
  return length > 0 ? TPoint{v.X / length, v.Y / length, v.Z / length} : v;
}

// An object coordinate system given by its extrusion direction, by the arbitrary axis rule
// of the format: the x axis is Wy x N when N is close to the world z axis, else Wz x N.
class TOcs {
 public:
  explicit TOcs(const TPoint& extrusion) {
    const TPoint n = Normalized(extrusion);
    if (!(n.X * n.X + n.Y * n.Y + n.Z * n.Z > 0.5) || (std::fabs(n.X) < 1e-12 && std::fabs(n.Y) < 1e-12 && n.Z > 0))
      return;   // the world itself (or no usable direction)
    identity_ = false;
    n_ = n;
    constexpr double kNear = 1.0 / 64;
    ax_ = Normalized(std::fabs(n.X) < kNear && std::fabs(n.Y) < kNear ? Cross(TPoint{0, 1, 0}, n) : Cross(TPoint{0, 0, 1}, n));
    ay_ = Normalized(Cross(n, ax_));
  }
  TPoint ToWorld(const TPoint& p) const {
    if (identity_) return p;
    return TPoint{p.X * ax_.X + p.Y * ay_.X + p.Z * n_.X, p.X * ax_.Y + p.Y * ay_.Y + p.Z * n_.Y,
                  p.X * ax_.Z + p.Y * ay_.Z + p.Z * n_.Z};
  }
  // An angle in the system's plane as seen from above in the world.
  double AngleToWorld(double angle) const {
    if (identity_) return angle;
    const TPoint d = ToWorld(TPoint{std::cos(angle), std::sin(angle), 0});
    return std::atan2(d.Y, d.X);
  }
  // Seen from above, counter-clockwise in the system is clockwise in the world.
  bool Mirrored() const { return !identity_ && ax_.X * ay_.Y - ax_.Y * ay_.X < 0; }

 private:
  bool identity_ = true;
  TPoint ax_{1, 0, 0}, ay_{0, 1, 0}, n_{0, 0, 1};
};

// The coordinate a group of the 10/20/30 family sets: 0 for x, 1 for y, 2 for z.
void SetCoordinate(TPoint& point, int axis, double value) {
  if (axis == 0) point.X = value;
  else if (axis == 1) point.Y = value;
  else point.Z = value;
}

// Groups that point at objects or tables a saved drawing does not carry over (handles, owners,
// reactors, layers, linetypes, extended data): left out of the groups an entity keeps.
bool KeptGroup(int code) {
  if (code == 5 || code == 105 || code == 6 || code == 8 || code == 67 || code == 410 || code == 347 || code == 348) return false;
  if ((code >= 320 && code <= 369) || (code >= 390 && code <= 399) || (code >= 480 && code <= 481)) return false;
  return code < 1000;
}

// The groups an entity of a kind the drawing does not take apart keeps for saving.
void KeepGroups(std::vector<TRawGroup>& out, std::span<const TDxfPair> groups, const TDxfTextDecoder& text) {
  bool inAppGroup = false;   // between "102 {NAME" and "102 }"
  for (const TDxfPair& g : groups) {
    if (g.Code == 102) {
      inAppGroup = !g.Value.empty() && g.Value.front() == '{';
      continue;
    }
    if (inAppGroup || !KeptGroup(g.Code)) continue;
    std::string value = IsStringGroup(g.Code) ? text.Decode(g.Value) : std::string(TrimDxfBlanks(g.Value));
    out.push_back(TRawGroup{g.Code, std::move(value)});
  }
}

const char* ObjectNameOf(std::string_view type) {
  static constexpr std::pair<std::string_view, const char*> kNames[] = {
      {"POINT", "AcDbPoint"},         {"ELLIPSE", "AcDbEllipse"},     {"HATCH", "AcDbHatch"},
      {"SOLID", "AcDbSolid"},         {"TRACE", "AcDbTrace"},         {"3DFACE", "AcDbFace"},
      {"XLINE", "AcDbXline"},         {"RAY", "AcDbRay"},             {"MLINE", "AcDbMline"},
      {"DIMENSION", "AcDbDimension"}, {"LEADER", "AcDbLeader"},       {"MULTILEADER", "AcDbMLeader"},
      {"ACAD_TABLE", "AcDbTable"},    {"IMAGE", "AcDbRasterImage"},   {"WIPEOUT", "AcDbWipeout"},
      {"REGION", "AcDbRegion"},       {"3DSOLID", "AcDb3dSolid"},     {"BODY", "AcDbBody"},
      {"SHAPE", "AcDbShape"},         {"TOLERANCE", "AcDbFcf"},       {"VIEWPORT", "AcDbViewport"},
      {"HELIX", "AcDbHelix"},         {"MESH", "AcDbSubDMesh"},       {"OLE2FRAME", "AcDbOle2Frame"},
  };
  for (const auto& [name, object] : kNames)
    if (name == type) return object;
  return "AcDbEntity";
}

// The groups of one record that the kinds share: points, the extrusion, names and texts, and
// the numbers of the codes 38 to 75 (what each means depends on the kind).
struct TGroups {
  std::string_view Text, Name, Prompt;
  std::string Chunks;   // MTEXT: the parts (3) before the last (1)
  TPoint First, Second, Extrusion{0, 0, 1};
  bool HasSecond = false;

  void Read(std::span<const TDxfPair> groups, bool attributeDefinition) {
    for (const TDxfPair& g : groups) {
      if (g.Code == 101) break;   // an embedded object follows: its groups are not this entity's
      switch (g.Code) {
        case 1: Text = g.Value; break;
        case 2: Name = g.Value; break;
        case 3:
          if (attributeDefinition) Prompt = g.Value;
          else Chunks += g.Value;
          break;
        case 10: case 20: case 30: SetCoordinate(First, g.Code / 10 - 1, DxfDouble(g)); break;
        case 11: case 21: case 31:
          SetCoordinate(Second, g.Code / 10 - 1, DxfDouble(g));
          HasSecond = true;
          break;
        case 210: case 220: case 230: SetCoordinate(Extrusion, (g.Code - 210) / 10, DxfDouble(g)); break;
        default:
          // The first occurrence counts: MTEXT repeats 50 for the heights of its columns.
          if (g.Code >= kFirstNumber && g.Code <= kLastNumber && IsNumberCode(g.Code) && !seen_[g.Code - kFirstNumber]) {
            numbers_[g.Code - kFirstNumber] = DxfDouble(g);
            seen_[g.Code - kFirstNumber] = true;
          }
      }
    }
  }
  double Number(int code, double fallback) const {
    return seen_[code - kFirstNumber] ? numbers_[code - kFirstNumber] : fallback;
  }
  int Integer(int code, int fallback) const {
    if (!seen_[code - kFirstNumber]) return fallback;
    const double value = numbers_[code - kFirstNumber];
    return value > -1e9 && value < 1e9 ? static_cast<int>(value) : fallback;
  }

 private:
  static constexpr int kFirstNumber = 38, kLastNumber = 75;
  static bool IsNumberCode(int code) { return code == 38 || (code >= 40 && code <= 45) || code == 50 || code == 51 || (code >= 70 && code <= 75); }
  double numbers_[kLastNumber - kFirstNumber + 1] = {};
  bool seen_[kLastNumber - kFirstNumber + 1] = {};
};

bool PaperSpace(std::span<const TDxfPair> groups) {
  for (const TDxfPair& g : groups) {
    if (g.Code == 101) break;
    if (g.Code == 67) return DxfInt(g) == 1;
  }
  return false;
}

}  // namespace

int TDxfEntityBuilder::Store(TEntity entity, int block) {
  return block == 0 ? drawing_.Add(std::move(entity)) : drawing_.AddToBlock(block, std::move(entity));
}

void TDxfEntityBuilder::EndSequence() {
  if (open_ == TOpen::RawPolyline) {
    if (TEntity* polyline = drawing_.Find(openId_)) polyline->Groups.push_back(TRawGroup{0, "SEQEND"});
  }
  open_ = TOpen::None;
  openId_ = 0;
}

void TDxfEntityBuilder::Add(std::string_view type, std::span<const TDxfPair> groups, int block) {
  if (type == "ATTRIB") {
    if (open_ == TOpen::Reference) AddAttribute(groups);
    return;
  }
  if (type == "VERTEX") {
    if (open_ == TOpen::Polyline || open_ == TOpen::RawPolyline) AddVertex(groups);
    return;
  }
  EndSequence();   // SEQEND, or a new entity where SEQEND was left out
  if (type == "SEQEND" || type.empty()) return;
  if (block == 0 && PaperSpace(groups)) {
    ++paperSpace_;
    return;
  }

  TEntity e;
  TGroups v;
  v.Read(groups, type == "ATTDEF");
  const TPoint& first = v.First;
  const TPoint& second = v.Second;
  const bool hasSecond = v.HasSecond;
  const bool isAttributeDefinition = type == "ATTDEF";
  const double angle = v.Number(50, 0);
  const int flags = v.Integer(70, 0);
  const TOcs ocs(v.Extrusion);

  if (type == "LINE") {
    e.Type = TEntityType::Line;
    e.Start = first;
    e.End = second;
  } else if (type == "TEXT" || isAttributeDefinition) {
    e.Type = isAttributeDefinition ? TEntityType::AttributeDefinition : TEntityType::Text;
    e.Text.TextString = text_.Decode(v.Text);
    e.Text.Height = v.Number(40, e.Text.Height);
    e.Text.ScaleFactor = v.Number(41, 1);
    // Attributes keep their field length in 73 and the vertical justification in 74.
    e.Text.Alignment = AlignmentCode(v.Integer(72, 0), v.Integer(isAttributeDefinition ? 74 : 73, 0));
    e.Text.Anchor = ocs.ToWorld(e.Text.Alignment == 0 || !hasSecond ? first : second);
    e.Text.Rotation = ocs.AngleToWorld(angle * kDegree);
    if (isAttributeDefinition) {
      e.Flags = flags;
      e.Tag = text_.Decode(v.Name);
      e.Prompt = text_.Decode(v.Prompt);
    }
  } else if (type == "MTEXT") {
    e.Type = TEntityType::MText;
    e.Text.TextString = text_.Decode(v.Chunks + std::string(v.Text), true);
    e.Text.Anchor = first;   // the insertion point of MTEXT is a world point
    e.Text.Height = v.Number(40, e.Text.Height);
    e.Width = v.Number(41, 0);
    const int attachment = v.Integer(71, 1);
    e.Text.Alignment = (attachment >= 1 && attachment <= 9 ? attachment : 1) + 5;
    // The direction of its x axis (a world vector) wins over the angle. The angle is taken in
    // degrees, as AutoCAD and the common libraries write it (the format's reference says radians).
    e.Text.Rotation = hasSecond ? std::atan2(second.Y, second.X) : ocs.AngleToWorld(angle * kDegree);
  } else if (type == "CIRCLE" || type == "ARC") {
    e.Type = type == "CIRCLE" ? TEntityType::Circle : TEntityType::Arc;
    e.Center = ocs.ToWorld(first);
    e.Radius = v.Number(40, 0);
    const double start = ocs.AngleToWorld(angle * kDegree), end = ocs.AngleToWorld(v.Number(51, 0) * kDegree);
    e.StartAngle = ocs.Mirrored() ? end : start;
    e.EndAngle = ocs.Mirrored() ? start : end;
    if (e.Type == TEntityType::Circle) e.StartAngle = e.EndAngle = 0;
  } else if (type == "INSERT") {
    e.Type = TEntityType::BlockReference;
    e.BlockName = text_.Decode(v.Name);
    e.Center = ocs.ToWorld(first);
    e.Insert.Scale = TPoint{v.Number(41, 1), v.Number(42, 1), v.Number(43, 1)};
    e.Insert.Columns = v.Integer(70, 1);
    e.Insert.Rows = v.Integer(71, 1);
    e.Insert.ColumnSpacing = v.Number(44, 0);
    e.Insert.RowSpacing = v.Number(45, 0);
    e.Insert.Rotation = ocs.AngleToWorld(angle * kDegree);
    if (ocs.Mirrored()) {   // a reference seen from below: mirrored across its own x axis
      e.Insert.Scale.Y = -e.Insert.Scale.Y;
      e.Insert.Scale.Z = -e.Insert.Scale.Z;
      e.Insert.RowSpacing = -e.Insert.RowSpacing;
    }
    e.Insert.Columns = std::max(1, e.Insert.Columns);
    e.Insert.Rows = std::max(1, e.Insert.Rows);
  } else if (type == "LWPOLYLINE") {
    e.Type = TEntityType::LwPolyline;
    e.Closed = (flags & 1) != 0;
    for (const TDxfPair& g : groups) {   // each 10 begins a vertex; its 20 and 42 follow it
      if (g.Code == 101) break;
      if (g.Code == 10) {
        e.Coordinates.push_back(DxfDouble(g));
        e.Coordinates.push_back(0);
        e.Bulges.push_back(0);
      } else if (g.Code == 20 && !e.Coordinates.empty()) {
        e.Coordinates.back() = DxfDouble(g);
      } else if (g.Code == 42 && !e.Bulges.empty()) {
        e.Bulges.back() = DxfDouble(g) * (ocs.Mirrored() ? -1 : 1);
      }
    }
    for (std::size_t i = 0; i + 1 < e.Coordinates.size(); i += 2) {
      const TPoint p = ocs.ToWorld(TPoint{e.Coordinates[i], e.Coordinates[i + 1], v.Number(38, 0)});
      e.Coordinates[i] = p.X;
      e.Coordinates[i + 1] = p.Y;
    }
  } else if (type == "POLYLINE") {
    open_ = TOpen::Polyline;
    openNormal_ = v.Extrusion;
    openElevation_ = first.Z;
    e.Closed = (flags & 1) != 0;
    if ((flags & (16 | 64)) != 0) {   // meshes: kept as they are
      e.Type = TEntityType::Other;
      e.OtherType = "POLYLINE";
      e.OtherName = (flags & 64) != 0 ? "AcDbPolyFaceMesh" : "AcDbPolygonMesh";
      KeepGroups(e.Groups, groups, text_);
      open_ = TOpen::RawPolyline;
    } else {
      e.Type = (flags & 8) != 0 ? TEntityType::Polyline3d : TEntityType::Polyline2d;
    }
    openId_ = Store(std::move(e), block);
    return;
  } else if (type == "SPLINE") {
    e.Type = TEntityType::Spline;
    e.Closed = (flags & 1) != 0;
    std::vector<double> control, fit;
    for (const TDxfPair& g : groups) {
      if (g.Code == 10) control.insert(control.end(), {DxfDouble(g), 0, 0});
      else if ((g.Code == 20 || g.Code == 30) && !control.empty()) control[control.size() - (g.Code == 20 ? 2 : 1)] = DxfDouble(g);
      else if (g.Code == 11) fit.insert(fit.end(), {DxfDouble(g), 0, 0});
      else if ((g.Code == 21 || g.Code == 31) && !fit.empty()) fit[fit.size() - (g.Code == 21 ? 2 : 1)] = DxfDouble(g);
    }
    e.Coordinates = fit.empty() ? control : fit;
    KeepGroups(e.Groups, groups, text_);
  } else {
    e.Type = TEntityType::Other;
    e.OtherType = std::string(type);
    e.OtherName = ObjectNameOf(type);
    e.Start = first;
    KeepGroups(e.Groups, groups, text_);
  }

  const int id = Store(std::move(e), block);
  if (type == "INSERT") {
    open_ = TOpen::Reference;
    openId_ = id;
    openBlock_ = block;
  }
}

void TDxfEntityBuilder::AddAttribute(std::span<const TDxfPair> groups) {
  TEntity attribute;
  attribute.Type = TEntityType::Attribute;
  attribute.Owner = openId_;
  TPoint first, second, extrusion{0, 0, 1};
  bool hasSecond = false;
  int horizontal = 0, vertical = 0;
  double angle = 0;
  for (const TDxfPair& g : groups) {
    if (g.Code == 101) break;   // the multiline text embedded in newer attributes
    switch (g.Code) {
      case 1: attribute.Text.TextString = text_.Decode(g.Value); break;
      case 2: attribute.Tag = text_.Decode(g.Value); break;
      case 10: case 20: case 30: SetCoordinate(first, g.Code / 10 - 1, DxfDouble(g)); break;
      case 11: case 21: case 31:
        SetCoordinate(second, g.Code / 10 - 1, DxfDouble(g));
        hasSecond = true;
        break;
      case 210: case 220: case 230: SetCoordinate(extrusion, (g.Code - 210) / 10, DxfDouble(g)); break;
      case 40: attribute.Text.Height = DxfDouble(g); break;
      case 41: attribute.Text.ScaleFactor = DxfDouble(g); break;
      case 50: angle = DxfDouble(g); break;
      case 70: attribute.Flags = DxfInt(g); break;
      case 72: horizontal = DxfInt(g); break;
      case 74: vertical = DxfInt(g); break;
      default: break;
    }
  }
  const TOcs ocs(extrusion);
  attribute.Text.Alignment = AlignmentCode(horizontal, vertical);
  attribute.Text.Anchor = ocs.ToWorld(attribute.Text.Alignment == 0 || !hasSecond ? first : second);
  attribute.Text.Rotation = ocs.AngleToWorld(angle * kDegree);
  const int id = Store(std::move(attribute), openBlock_);
  if (TEntity* reference = drawing_.Find(openId_)) reference->Attributes.push_back(id);
}

void TDxfEntityBuilder::AddVertex(std::span<const TDxfPair> groups) {
  TEntity* polyline = drawing_.Find(openId_);
  if (polyline == nullptr) return;
  if (open_ == TOpen::RawPolyline) {
    polyline->Groups.push_back(TRawGroup{0, "VERTEX"});
    KeepGroups(polyline->Groups, groups, text_);
    return;
  }
  TPoint point;
  double bulge = 0;
  int flags = 0;
  for (const TDxfPair& g : groups) {
    switch (g.Code) {
      case 10: case 20: case 30: SetCoordinate(point, g.Code / 10 - 1, DxfDouble(g)); break;
      case 42: bulge = DxfDouble(g); break;
      case 70: flags = DxfInt(g); break;
      default: break;
    }
  }
  if ((flags & 16) != 0) return;   // a control point of a splined polyline's frame: not on the curve
  if (polyline->Type == TEntityType::Polyline2d) {
    const TOcs ocs(openNormal_);
    point.Z = openElevation_;
    point = ocs.ToWorld(point);
    polyline->Bulges.push_back(ocs.Mirrored() ? -bulge : bulge);
  }
  polyline->Coordinates.insert(polyline->Coordinates.end(), {point.X, point.Y, point.Z});
}

}  // namespace kav::sim
