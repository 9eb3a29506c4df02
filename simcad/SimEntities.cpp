// The entity objects: lines, polylines, TEXT, attributes, block references and the rest,
// in model space or inside a block definition.
#include "simcad/SimObjects.h"

#include "cadlink/Point.h"

namespace kav::sim {

using cad::TArg;
using cad::TAutomationError;
using cad::TInvokeKind;
using cad::Variant;

namespace {

class TSimEntity final : public TSimObject {
 public:
  TSimEntity(std::shared_ptr<TSimState> state, int id, TEntityType type)
      : TSimObject(std::move(state), LogNameOf(type)), id_(id) {}

 protected:
  bool Handle(TInvokeKind kind, const std::string& name, std::span<TArg> args, Variant& result) override {
    TEntity* entity = State().Drawing.Find(id_);
    if (entity == nullptr) throw TAutomationError(cad::kFail, "Object was erased");
    const bool put = kind == TInvokeKind::PropertyPut;
    if (put) RequireArgs(args, 1, 1, name);
    if (put) State().Undo.Touch(State().Drawing, id_);
    const Variant value = put ? args[0].Value : Variant();

    if (!put && (name == "ENTITYNAME" || name == "OBJECTNAME")) result = EntityNameOf(*entity);
    else if (!put && name == "OBJECTID") result = Variant(static_cast<std::int32_t>(id_));
    else if (!put && name == "DELETE") {
      State().Undo.TouchWithAttributes(State().Drawing, id_);
      State().Drawing.Erase(id_);
    }
    else if (!put && name == "LAYER") result = "0";
    else return HandleOwn(*entity, put, name, value, args, result);
    return true;
  }

 private:
  bool HandleOwn(TEntity& e, bool put, const std::string& name, const Variant& value, std::span<TArg> args, Variant& result) {
    switch (e.Type) {
      case TEntityType::Line:
        if (name == "STARTPOINT") return Point(e.Start, put, value, result);
        if (name == "ENDPOINT") return Point(e.End, put, value, result);
        return false;
      case TEntityType::LwPolyline:
      case TEntityType::Polyline3d:
      case TEntityType::Polyline2d:
      case TEntityType::Spline:
        if (name == "COORDINATES" || (e.Type == TEntityType::Spline && name == "FITPOINTS")) {
          if (put) {
            e.Coordinates = value.AsDoubles();
            e.Groups.clear();   // the groups read from a file no longer describe it
          } else result = cad::DoubleArray{0, e.Coordinates};
          return true;
        }
        if (name == "CLOSED" && e.Type != TEntityType::Spline) {
          if (put) e.Closed = value.AsBool();
          else result = e.Closed;
          return true;
        }
        return false;
      case TEntityType::Circle:
      case TEntityType::Arc:
        if (name == "CENTER") return Point(e.Center, put, value, result);
        if (name == "RADIUS") return Number(e.Radius, put, value, result);
        if (e.Type == TEntityType::Arc && name == "STARTANGLE") return Number(e.StartAngle, put, value, result);
        if (e.Type == TEntityType::Arc && name == "ENDANGLE") return Number(e.EndAngle, put, value, result);
        return false;
      case TEntityType::BlockReference:
        if (!put && name == "NAME") result = e.BlockName;
        else if (name == "INSERTIONPOINT") return Point(e.Center, put, value, result);
        else if (name == "XSCALEFACTOR") return Number(e.Insert.Scale.X, put, value, result);
        else if (name == "YSCALEFACTOR") return Number(e.Insert.Scale.Y, put, value, result);
        else if (name == "ZSCALEFACTOR") return Number(e.Insert.Scale.Z, put, value, result);
        else if (name == "ROTATION") return Number(e.Insert.Rotation, put, value, result);
        else if (!put && name == "COLUMNS") result = Variant(static_cast<std::int32_t>(e.Insert.Columns));
        else if (!put && name == "ROWS") result = Variant(static_cast<std::int32_t>(e.Insert.Rows));
        else if (!put && name == "HASATTRIBUTES") result = !e.Attributes.empty();
        else if (!put && name == "GETATTRIBUTES") {
          RequireArgs(args, 0, 0, "GetAttributes");
          cad::VariantArray attributes;
          for (int id : e.Attributes)
            if (State().Drawing.Find(id) != nullptr) attributes.Items.emplace_back(MakeEntity(SharedState(), id));
          result = std::move(attributes);
        } else return false;
        return true;
      case TEntityType::Text:
      case TEntityType::Attribute:
      case TEntityType::AttributeDefinition:
        if (e.Type != TEntityType::Text && name == "TAGSTRING") {
          if (put) e.Tag = value.AsString();
          else result = e.Tag;
          return true;
        }
        if (e.Type == TEntityType::AttributeDefinition && name == "PROMPTSTRING") {
          if (put) e.Prompt = value.AsString();
          else result = e.Prompt;
          return true;
        }
        return Text(e.Text, put, name, value, result);
      case TEntityType::MText:
        if (name == "TEXTSTRING" || name == "HEIGHT" || name == "ROTATION") return Text(e.Text, put, name, value, result);
        if (name == "INSERTIONPOINT") return Point(e.Text.Anchor, put, value, result);
        if (name == "WIDTH") return Number(e.Width, put, value, result);
        if (name == "ATTACHMENTPOINT") {
          if (put) {
            const std::int64_t code = value.AsInteger();
            if (code < 1 || code > 9) throw TAutomationError(cad::kInvalidArg, "Invalid attachment point " + std::to_string(code));
            e.Text.Alignment = static_cast<int>(code) + 5;
          } else result = Variant(static_cast<std::int32_t>(e.Text.Alignment - 5));
          return true;
        }
        return false;
      case TEntityType::Other: return false;
    }
    return false;
  }

  static bool Point(TPoint& point, bool put, const Variant& value, Variant& result) {
    if (put) point = cad::ToPoint(value);
    else result = cad::MakePoint(point);
    return true;
  }

  static bool Number(double& number, bool put, const Variant& value, Variant& result) {
    if (put) number = value.AsDouble();
    else result = number;
    return true;
  }

  static bool Text(TTextProps& t, bool put, const std::string& name, const Variant& value, Variant& result) {
    if (name == "TEXTSTRING") {
      if (put) {
        // Keep the anchor: centred and right-aligned texts grow around it, as in the CAD.
        t.TextString = value.AsString();
      } else result = t.TextString;
    } else if (name == "HEIGHT") {
      if (put && !(value.AsDouble() > 0)) throw TAutomationError(cad::kInvalidArg, "Height must be positive");
      return Number(t.Height, put, value, result);
    } else if (name == "SCALEFACTOR") {
      if (put && !(value.AsDouble() > 0)) throw TAutomationError(cad::kInvalidArg, "Width factor must be positive");
      return Number(t.ScaleFactor, put, value, result);
    } else if (name == "ROTATION") {
      return Number(t.Rotation, put, value, result);
    } else if (name == "ALIGNMENT") {
      if (put) {
        const std::int64_t code = value.AsInteger();
        if (code < 0 || code > 14) throw TAutomationError(cad::kInvalidArg, "Invalid alignment " + std::to_string(code));
        ChangeAlignment(t, static_cast<int>(code));
      } else result = Variant(static_cast<std::int32_t>(t.Alignment));
    } else if (name == "TEXTALIGNMENTPOINT") {
      return Point(t.Anchor, put, value, result);
    } else if (name == "INSERTIONPOINT") {
      if (put) t.Anchor = AnchorFor(t, cad::ToPoint(value));
      else result = cad::MakePoint(TextInsertionPoint(t));
    } else return false;
    return true;
  }

  int id_;
};

}  // namespace

cad::ObjectRef MakeEntity(std::shared_ptr<TSimState> state, int id) {
  const TEntity* entity = state->Drawing.Find(id);
  if (entity == nullptr) throw TAutomationError(cad::kInvalidArg, "No entity " + std::to_string(id));
  const TEntityType type = entity->Type;
  return std::make_shared<TSimEntity>(std::move(state), id, type);
}

}  // namespace kav::sim
