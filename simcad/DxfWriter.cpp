// The drawing as a DXF file of AutoCAD 2007.
#include "simcad/DxfWriter.h"

#include <charconv>
#include <cmath>
#include <numbers>
#include <set>

#include "platform/Text.h"
#include "simcad/DxfCodes.h"
#include "simcad/DxfText.h"

namespace kav::sim {

namespace {

constexpr double kDegree = std::numbers::pi / 180;

// A reference without a block name still needs a block to refer to.
std::string ReferenceName(const TEntity& reference) { return reference.BlockName.empty() ? "*U0" : reference.BlockName; }

class TWriter {
 public:
  explicit TWriter(const TDrawing& drawing) : drawing_(drawing) {}

  std::string Write() {
    // Handles of the tables and the two layout blocks come first; the rest as written.
    const unsigned modelRecord = Next(), paperRecord = Next();
    CollectBlockNames();
    std::vector<unsigned> records;
    for (std::size_t i = 0; i < blockNames_.size(); ++i) records.push_back(Next());

    std::string body;
    out_ = &body;
    Tables(modelRecord, paperRecord, records);
    Pair(0, "SECTION");
    Pair(2, "BLOCKS");
    Block("*Model_Space", {}, 0, modelRecord, nullptr);
    Block("*Paper_Space", {}, 0, paperRecord, nullptr);
    for (std::size_t i = 0; i < blockNames_.size(); ++i) {
      const int number = drawing_.FindBlock(blockNames_[i]);
      const TBlockDefinition* block = drawing_.Block(number);
      // A name that references use without a definition gets an empty block; a name beginning
      // with '*' is anonymous.
      const int flags = block != nullptr ? block->Flags : (blockNames_[i].front() == '*' ? 1 : 0);
      Block(blockNames_[i], block != nullptr ? block->Base : TPoint{}, flags, records[i], block);
    }
    Pair(0, "ENDSEC");
    Pair(0, "SECTION");
    Pair(2, "ENTITIES");
    for (int id : drawing_.TopLevel()) Entity(*drawing_.Find(id), modelRecord);
    Pair(0, "ENDSEC");
    Pair(0, "EOF");

    std::string file;
    out_ = &file;
    Pair(0, "SECTION");
    Pair(2, "HEADER");
    Pair(9, "$ACADVER");
    Pair(1, "AC1021");
    Pair(9, "$DWGCODEPAGE");
    Pair(3, "ANSI_1252");   // strings are UTF-8 in this version whatever the code page
    Pair(9, "$INSBASE");
    Point(10, TPoint{});
    Pair(9, "$HANDSEED");
    Hex(5, next_);
    Pair(0, "ENDSEC");
    Pair(0, "SECTION");
    Pair(2, "CLASSES");
    Pair(0, "ENDSEC");
    file += body;
    return file;
  }

 private:
  unsigned Next() { return next_++; }

  void Pair(int code, std::string_view value) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, code).ptr;
    const std::size_t width = static_cast<std::size_t>(end - digits);
    if (width < 3) out_->append(3 - width, ' ');
    out_->append(digits, end);
    out_->append("\r\n");
    out_->append(value);
    out_->append("\r\n");
  }
  void Text(int code, std::string_view utf8) { Pair(code, EncodeDxfString(utf8)); }
  void Int(int code, long long value) { Pair(code, std::to_string(value)); }
  void Real(int code, double value) {
    if (!std::isfinite(value) || value == 0) value = 0;   // no -0, nothing a reader cannot parse
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    Pair(code, std::string_view(digits, static_cast<std::size_t>(end - digits)));
  }
  void Hex(int code, unsigned handle) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, handle, 16).ptr;
    std::string text(digits, end);
    Pair(code, UpperAscii(text));
  }
  void Point(int code, const TPoint& p) {
    Real(code, p.X);
    Real(code + 10, p.Y);
    Real(code + 20, p.Z);
  }
  void Angle(int code, double radians) {
    const double degrees = radians / kDegree;
    if (degrees != 0) Real(code, degrees);
  }

  // The start of every entity: its type, handle, owner and layer. Groups kept from a file of
  // AutoCAD R12 have no subclass markers, and get none here either.
  unsigned Start(std::string_view type, unsigned owner, bool markers = true) {
    const unsigned handle = Next();
    Pair(0, type);
    Hex(5, handle);
    Hex(330, owner);
    if (markers) Pair(100, "AcDbEntity");
    Pair(8, "0");
    return handle;
  }

  void Table(std::string_view name, unsigned& handle, int count) {
    handle = Next();
    Pair(0, "TABLE");
    Pair(2, name);
    Hex(5, handle);
    Hex(330, 0);
    Pair(100, "AcDbSymbolTable");
    Int(70, count);
  }
  void Record(std::string_view type, unsigned table, std::string_view subclass, std::string_view name) {
    Pair(0, type);
    Hex(type == "DIMSTYLE" ? 105 : 5, Next());
    Hex(330, table);
    Pair(100, "AcDbSymbolTableRecord");
    Pair(100, subclass);
    Text(2, name);
    Int(70, 0);
  }

  void Tables(unsigned modelRecord, unsigned paperRecord, const std::vector<unsigned>& records) {
    unsigned table = 0;
    Pair(0, "SECTION");
    Pair(2, "TABLES");
    Table("VPORT", table, 1);
    Record("VPORT", table, "AcDbViewportTableRecord", "*Active");
    Point(10, TPoint{});
    Point(11, TPoint{1, 1, 0});
    Pair(0, "ENDTAB");
    Table("LTYPE", table, 3);
    for (const char* name : {"ByBlock", "ByLayer", "Continuous"}) {
      Record("LTYPE", table, "AcDbLinetypeTableRecord", name);
      Pair(3, std::string_view(name) == "Continuous" ? "Solid line" : "");
      Int(72, 65);
      Int(73, 0);
      Real(40, 0);
    }
    Pair(0, "ENDTAB");
    Table("LAYER", table, 1);
    Record("LAYER", table, "AcDbLayerTableRecord", "0");
    Int(62, 7);
    Pair(6, "Continuous");
    Pair(0, "ENDTAB");
    Table("STYLE", table, 1);
    Record("STYLE", table, "AcDbTextStyleTableRecord", "Standard");
    Real(40, 0);
    Real(41, 1);
    Real(50, 0);
    Int(71, 0);
    Real(42, 2.5);
    Pair(3, "txt");
    Pair(4, "");
    Pair(0, "ENDTAB");
    Table("VIEW", table, 0);
    Pair(0, "ENDTAB");
    Table("UCS", table, 0);
    Pair(0, "ENDTAB");
    Table("APPID", table, 1);
    Record("APPID", table, "AcDbRegAppTableRecord", "ACAD");
    Pair(0, "ENDTAB");
    Table("DIMSTYLE", table, 1);
    Pair(100, "AcDbDimStyleTable");
    Int(71, 0);
    Record("DIMSTYLE", table, "AcDbDimStyleTableRecord", "Standard");
    Pair(0, "ENDTAB");
    Table("BLOCK_RECORD", table, static_cast<int>(records.size() + 2));
    auto blockRecord = [&](unsigned handle, const std::string& name) {
      Pair(0, "BLOCK_RECORD");
      Hex(5, handle);
      Hex(330, table);
      Pair(100, "AcDbSymbolTableRecord");
      Pair(100, "AcDbBlockTableRecord");
      Text(2, name);
    };
    blockRecord(modelRecord, "*Model_Space");
    blockRecord(paperRecord, "*Paper_Space");
    for (std::size_t i = 0; i < records.size(); ++i) blockRecord(records[i], blockNames_[i]);
    Pair(0, "ENDTAB");
    Pair(0, "ENDSEC");
  }

  // Every defined block, then the names that references use without a definition (but not the
  // blocks of model space and paper space, which are written once, first).
  void CollectBlockNames() {
    std::set<std::string> seen{"*MODEL_SPACE", "*PAPER_SPACE"};
    auto add = [&](const std::string& name) {
      if (!name.empty() && seen.insert(UpperAscii(name)).second) blockNames_.push_back(name);
    };
    for (const TBlockDefinition& block : drawing_.Blocks()) add(block.Name);
    for (const TEntity& entity : drawing_.All())
      if (!entity.Erased && entity.Type == TEntityType::BlockReference) add(ReferenceName(entity));
    for (const TEntity& entity : drawing_.BlockEntities())
      if (!entity.Erased && entity.Type == TEntityType::BlockReference) add(ReferenceName(entity));
  }

  void Block(const std::string& name, const TPoint& base, int flags, unsigned record, const TBlockDefinition* block) {
    bool attributes = false;
    if (block != nullptr)
      for (int id : block->Entities)
        if (const TEntity* e = drawing_.Find(id); e != nullptr && e->Type == TEntityType::AttributeDefinition) attributes = true;
    Start("BLOCK", record);
    Pair(100, "AcDbBlockBegin");
    Text(2, name);
    Int(70, (flags & 1) | (attributes ? 2 : 0));   // anonymous, has attribute definitions
    Point(10, base);
    Text(3, name);
    Pair(1, "");
    if (block != nullptr)
      for (int id : block->Entities)
        if (const TEntity* e = drawing_.Find(id)) Entity(*e, record);
    Start("ENDBLK", record);
    Pair(100, "AcDbBlockEnd");
  }

  void TextGroups(const TTextProps& t, std::string_view string, int verticalCode, std::string_view subclass) {
    int horizontal = 0, vertical = 0;
    Justification(t.Alignment, horizontal, vertical);
    Pair(100, "AcDbText");
    Point(10, t.Alignment == 0 ? t.Anchor : TextInsertionPoint(t));
    Real(40, t.Height);
    Text(1, string);
    Angle(50, t.Rotation);
    if (t.ScaleFactor != 1) Real(41, t.ScaleFactor);
    if (horizontal != 0) Int(72, horizontal);
    if (t.Alignment != 0) Point(11, t.Anchor);
    Pair(100, subclass);
    if (vertical != 0) Int(verticalCode, vertical);
  }

  // Groups kept from a file, written again with handles of this file: after each "0" group
  // (the entity, and the vertices and end of a mesh) its handle, owner and layer.
  void RawEntity(const TEntity& e, std::string_view type, unsigned owner) {
    bool markers = false;
    for (const TRawGroup& g : e.Groups) markers = markers || g.Code == 100;
    const unsigned handle = Start(type, owner, markers);
    for (const TRawGroup& g : e.Groups) {
      if (g.Code == 0) {
        Start(g.Value, handle, markers);
        continue;
      }
      if (g.Code == 100 && g.Value == "AcDbEntity") continue;   // written by Start
      if (IsStringGroup(g.Code)) Text(g.Code, g.Value);
      else Pair(g.Code, g.Value);
    }
  }

  void Vertices(const TEntity& e, bool threeD, unsigned polyline) {
    for (std::size_t i = 0; i + 2 < e.Coordinates.size(); i += 3) {
      Start("VERTEX", polyline);
      Pair(100, "AcDbVertex");
      Pair(100, threeD ? "AcDb3dPolylineVertex" : "AcDb2dVertex");
      Point(10, TPoint{e.Coordinates[i], e.Coordinates[i + 1], e.Coordinates[i + 2]});
      const std::size_t vertex = i / 3;
      if (!threeD && vertex < e.Bulges.size() && e.Bulges[vertex] != 0) Real(42, e.Bulges[vertex]);
      Int(70, threeD ? 32 : 0);
    }
    Start("SEQEND", polyline);
  }

  void Entity(const TEntity& e, unsigned owner) {
    switch (e.Type) {
      case TEntityType::Line:
        Start("LINE", owner);
        Pair(100, "AcDbLine");
        Point(10, e.Start);
        Point(11, e.End);
        break;
      case TEntityType::LwPolyline: {
        Start("LWPOLYLINE", owner);
        Pair(100, "AcDbPolyline");
        const std::size_t count = e.Coordinates.size() / 2;
        Int(90, static_cast<long long>(count));
        Int(70, e.Closed ? 1 : 0);
        for (std::size_t i = 0; i < count; ++i) {
          Real(10, e.Coordinates[2 * i]);
          Real(20, e.Coordinates[2 * i + 1]);
          if (i < e.Bulges.size() && e.Bulges[i] != 0) Real(42, e.Bulges[i]);
        }
        break;
      }
      case TEntityType::Text:
        Start("TEXT", owner);
        TextGroups(e.Text, e.Text.TextString, 73, "AcDbText");
        break;
      case TEntityType::AttributeDefinition:
        Start("ATTDEF", owner);
        TextGroups(e.Text, e.Text.TextString, 74, "AcDbAttributeDefinition");
        Text(3, e.Prompt);
        Text(2, e.Tag);
        Int(70, e.Flags);
        break;
      case TEntityType::Attribute:   // written with its reference
        break;
      case TEntityType::BlockReference: {
        const bool array = e.Insert.Columns > 1 || e.Insert.Rows > 1;
        const unsigned handle = Start("INSERT", owner);
        Pair(100, array ? "AcDbMInsertBlock" : "AcDbBlockReference");
        std::vector<const TEntity*> attributes;
        for (int id : e.Attributes)
          if (const TEntity* a = drawing_.Find(id)) attributes.push_back(a);
        if (!attributes.empty()) Int(66, 1);
        Text(2, ReferenceName(e));
        Point(10, e.Center);
        if (e.Insert.Scale.X != 1) Real(41, e.Insert.Scale.X);
        if (e.Insert.Scale.Y != 1) Real(42, e.Insert.Scale.Y);
        if (e.Insert.Scale.Z != 1) Real(43, e.Insert.Scale.Z);
        Angle(50, e.Insert.Rotation);
        if (array) {
          Int(70, e.Insert.Columns);
          Int(71, e.Insert.Rows);
          Real(44, e.Insert.ColumnSpacing);
          Real(45, e.Insert.RowSpacing);
        }
        for (const TEntity* a : attributes) {
          Start("ATTRIB", handle);
          TextGroups(a->Text, a->Text.TextString, 74, "AcDbAttribute");
          Text(2, a->Tag);
          Int(70, a->Flags);
        }
        if (!attributes.empty()) Start("SEQEND", handle);
        break;
      }
      case TEntityType::Circle:
      case TEntityType::Arc:
        Start(e.Type == TEntityType::Circle ? "CIRCLE" : "ARC", owner);
        Pair(100, "AcDbCircle");
        Point(10, e.Center);
        Real(40, e.Radius);
        if (e.Type == TEntityType::Arc) {
          Pair(100, "AcDbArc");
          Real(50, e.StartAngle / kDegree);
          Real(51, e.EndAngle / kDegree);
        }
        break;
      case TEntityType::MText: {
        Start("MTEXT", owner);
        Pair(100, "AcDbMText");
        Point(10, e.Text.Anchor);
        Real(40, e.Text.Height);
        Real(41, e.Width);
        Int(71, e.Text.Alignment >= 6 && e.Text.Alignment <= 14 ? e.Text.Alignment - 5 : 1);
        Int(72, 1);
        // 250 bytes a part, cut between characters; the last part is group 1.
        const std::string text = EncodeDxfString(e.Text.TextString);
        std::size_t at = 0;
        while (text.size() - at > 250) {
          std::size_t cut = at + 250;
          while (cut > at && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
          Pair(3, std::string_view(text).substr(at, cut - at));
          at = cut;
        }
        Pair(1, std::string_view(text).substr(at));
        Point(11, TPoint{std::cos(e.Text.Rotation), std::sin(e.Text.Rotation), 0});
        break;
      }
      case TEntityType::Polyline2d:
      case TEntityType::Polyline3d: {
        const bool threeD = e.Type == TEntityType::Polyline3d;
        const unsigned handle = Start("POLYLINE", owner);
        Pair(100, threeD ? "AcDb3dPolyline" : "AcDb2dPolyline");
        Int(66, 1);
        Point(10, TPoint{0, 0, !threeD && e.Coordinates.size() >= 3 ? e.Coordinates[2] : 0});
        Int(70, (e.Closed ? 1 : 0) | (threeD ? 8 : 0));
        Vertices(e, threeD, handle);
        break;
      }
      case TEntityType::Spline:
        if (!e.Groups.empty()) {
          RawEntity(e, "SPLINE", owner);
          break;
        }
        // A spline made here: through its fit points, of degree 3.
        Start("SPLINE", owner);
        Pair(100, "AcDbSpline");
        Int(70, 8 | (e.Closed ? 1 : 0));
        Int(71, 3);
        Int(72, 0);
        Int(73, 0);
        Int(74, static_cast<long long>(e.Coordinates.size() / 3));
        for (std::size_t i = 0; i + 2 < e.Coordinates.size(); i += 3)
          Point(11, TPoint{e.Coordinates[i], e.Coordinates[i + 1], e.Coordinates[i + 2]});
        break;
      case TEntityType::Other:
        if (!e.OtherType.empty()) RawEntity(e, e.OtherType, owner);
        break;
    }
  }

  const TDrawing& drawing_;
  std::string* out_ = nullptr;
  unsigned next_ = 1;
  std::vector<std::string> blockNames_;
};

}  // namespace

std::string WriteDxf(const TDrawing& drawing) { return TWriter(drawing).Write(); }

}  // namespace kav::sim
