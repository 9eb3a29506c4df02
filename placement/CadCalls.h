// The automation calls the text operations make, one small function each, named after the
// member they call, so that an operation reads like its list of calls.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cadlink/Automation.h"
#include "cadlink/CadSession.h"
#include "cadlink/Point.h"
#include "placement/Geometry.h"

namespace kav::placement {

using cad::IAutomationObject;
using cad::ObjectRef;

// The target CAD's application object, its window restored when minimised and brought to the
// front, and then its active document.
struct TAttachedCad {
  ObjectRef Application, Document;
};
TAttachedCad AttachAndActivate(cad::TCadSession& session);

// document.GetVariable("DIMSCALE").
double DimScale(IAutomationObject& document);

// document.Utility.GetPoint with no base point and `prompt`.
TPoint GetPoint(IAutomationObject& document, const std::string& prompt);

// document.Utility.GetEntity: the picked object (null when the CAD gave none) and point.
struct TEntityPick {
  ObjectRef Object;
  TPoint Point;
};
TEntityPick GetEntity(IAutomationObject& document, const std::string& prompt);

// document.Utility.GetSubEntity, inside a guard: a pick that fails (the user cancels or
// misses) or gives no point gives nothing. The transformation and the containers of a nested
// pick are not used.
std::optional<TEntityPick> PickSubEntity(IAutomationObject& document, const std::string& prompt);

// The document's cancel for the CAD's pending input: one character on its command line.
void SendCharacter(IAutomationObject& document, char character);

// A TEXT or an attribute, by its EntityName: what the text operations may change or read.
bool IsTextOrAttribute(IAutomationObject& entity);

// modelSpace.AddText(text, point, height), every argument by reference; the new TEXT.
ObjectRef AddText(IAutomationObject& modelSpace, const std::string& text, const TPoint& point, double height);

// The entity type filter "*LINE" (group code 0) that every frame search selects with.
cad::Variant LineFilterTypes();
cad::Variant LineFilterValues();

// The straight segments of the selection set's entities, in selection order: a LINE gives
// StartPoint to EndPoint, a lightweight polyline its vertex-to-vertex segments (and the
// closing one when Closed); other entities give none.
std::vector<TSegment> SelectedSegments(IAutomationObject& selectionSet, int count);

// The CAD's undo group around one operation: StartUndoMark now, EndUndoMark at Close(). An
// operation that fails inside the group still closes it, so that the user's next undo takes
// back what the operation did and nothing more.
class TUndoGroup {
 public:
  explicit TUndoGroup(IAutomationObject& document);
  ~TUndoGroup();
  TUndoGroup(const TUndoGroup&) = delete;
  TUndoGroup& operator=(const TUndoGroup&) = delete;
  void Close();

 private:
  IAutomationObject& document_;
  bool open_ = true;
};

}  // namespace kav::placement
