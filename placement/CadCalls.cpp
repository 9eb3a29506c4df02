#include "placement/CadCalls.h"

namespace kav::placement {

using cad::TArg;
using cad::Variant;

TAttachedCad AttachAndActivate(cad::TCadSession& session) {
  const ObjectRef application = session.Connection.GetTargetApplication();
  session.Connection.ActivateTargetWindow(*application);
  return {application, application->GetObj("ActiveDocument")};
}

double DimScale(IAutomationObject& document) { return document.Call("GetVariable", {"DIMSCALE"}).AsDouble(); }

TPoint GetPoint(IAutomationObject& document, const std::string& prompt) {
  const ObjectRef utility = document.GetObj("Utility");
  return cad::ToPoint(utility->Call("GetPoint", {cad::TMissing{}, prompt}));
}

TEntityPick GetEntity(IAutomationObject& document, const std::string& prompt) {
  const ObjectRef utility = document.GetObj("Utility");
  std::vector<TArg> args{cad::Out(), cad::Out(), cad::In(prompt)};
  utility->CallWithRefs("GetEntity", args);
  TEntityPick pick;
  if (args[0].Value.Kind() == cad::VariantKind::Object) pick.Object = args[0].Value.AsObject();
  pick.Point = cad::ToPoint(args[1].Value);
  return pick;
}

std::optional<TEntityPick> PickSubEntity(IAutomationObject& document, const std::string& prompt) {
  try {
    const ObjectRef utility = document.GetObj("Utility");
    std::vector<TArg> args{cad::Out(), cad::Out(), cad::Out(), cad::Out(), cad::In(prompt)};
    utility->CallWithRefs("GetSubEntity", args);
    if (args[1].Value.IsEmpty() || args[0].Value.Kind() != cad::VariantKind::Object) return std::nullopt;
    return TEntityPick{args[0].Value.AsObject(), cad::ToPoint(args[1].Value)};
  } catch (const std::exception&) {
    return std::nullopt;   // cancelled or missed: nothing to change
  }
}

void SendCharacter(IAutomationObject& document, char character) {
  document.Call("SendCommand", {std::string(1, character)});
}

bool IsTextOrAttribute(IAutomationObject& entity) {
  const std::string name = entity.Get("EntityName").AsString();
  return name == "AcDbText" || name == "AcDbAttribute";
}

ObjectRef AddText(IAutomationObject& modelSpace, const std::string& text, const TPoint& point, double height) {
  std::vector<TArg> args{{Variant(text), true}, {cad::MakePoint(point), true}, {Variant(height), true}};
  return modelSpace.CallWithRefs("AddText", args).AsObject();
}

Variant LineFilterTypes() { return cad::ShortArray{0, {0}}; }
Variant LineFilterValues() { return cad::VariantArray{0, {Variant("*LINE")}}; }

std::vector<TSegment> SelectedSegments(IAutomationObject& selectionSet, int count) {
  std::vector<TSegment> segments;
  for (int i = 0; i < count; ++i) {
    const ObjectRef entity = selectionSet.Call("Item", {Variant(static_cast<std::int32_t>(i))}).AsObject();
    const std::string name = entity->Get("EntityName").AsString();
    if (name == "AcDbPolyline") {
      const std::vector<double> coordinates = entity->Get("Coordinates").AsDoubles();
      const bool closed = entity->Get("Closed").AsBool();
      for (const TSegment& segment : PolylineSegments(coordinates, closed)) segments.push_back(segment);
    } else if (name == "AcDbLine") {
      const TPoint start = cad::ToPoint(entity->Get("StartPoint"));
      segments.push_back({start, cad::ToPoint(entity->Get("EndPoint"))});
    }
  }
  return segments;
}

TUndoGroup::TUndoGroup(IAutomationObject& document) : document_(document) { document_.Call("StartUndoMark"); }

TUndoGroup::~TUndoGroup() {
  if (!open_) return;
  try {
    document_.Call("EndUndoMark");
  } catch (const std::exception&) {
    // The CAD is gone or refuses: there is no group left to close.
  }
}

void TUndoGroup::Close() {
  open_ = false;
  document_.Call("EndUndoMark");
}

}  // namespace kav::placement
