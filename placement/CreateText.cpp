#include "placement/CreateText.h"

#include "placement/CadCalls.h"
#include "placement/CellFrame.h"
#include "placement/TextLines.h"
#include "platform/Text.h"

namespace kav::placement {

namespace {

using cad::Variant;

// The protected part: everything from the second activation to the end of the undo group.
void CreateInDrawing(cad::TCadSession& session, IAutomationObject& document, WindowId window,
                     const TCreateTextOptions& o) {
  session.Desktop.SetForegroundWindow(window);
  const double dimScale = DimScale(document);
  const double h = o.Height * dimScale;
  const double w = o.WidthFactor;
  const double pitch = o.Pitch * dimScale;
  if (IsBlank(o.FirstString)) return;

  TPoint point;
  double angle = 0;
  if (o.OnLine) {
    const TLinePlacement placement =
        PickOnLine(document, cad::CancelCharacterFor(session.Target.TargetProgID), *o.OnLine);
    point = placement.Point;
    angle = placement.Angle;
  } else {
    point = GetPoint(document, kBasePointPrompt);
  }
  if (o.InCell)
    FindCellFrame(document, point, o.InCell->Justification, o.InCell->YRange * h, o.InCell->XRange * h,
                  o.InCell->Offset);

  TUndoGroup undo(document);
  const ObjectRef modelSpace = document.GetObj("ModelSpace");
  const ObjectRef text = AddText(*modelSpace, o.FirstString, point, h);
  int alignment = 0;
  if (o.OnLine) {
    if (o.Alignment) text->Put("Alignment", Variant(static_cast<std::int32_t>(*o.Alignment)));
    // The turn and move reads the alignment back itself; it cannot change before it is
    // needed again.
    alignment = TurnAndMove(*text, point, angle, h, o.OnLine->Offset);
  } else {
    alignment = PutAlignment(*text, o.Alignment);
  }
  PlaceText(*text, point, w);
  // The stack runs down the drawing's Y axis, also below a turned first line.
  if (o.Stack) WriteFollowingLines(*modelSpace, o.FollowingCells, point, pitch, h, w, alignment);
  undo.Close();
}

}  // namespace

void CreateText(cad::TCadSession& session, const TCreateTextOptions& options) {
  cad::TOperationScope scope(session);
  if (!scope.Started()) return;
  session.MinimizeMainWindow();
  if (options.FirstString.empty() || !session.Connection.IsTargetRunning()) return;

  const ObjectRef application = session.Connection.GetTargetApplication();
  const ObjectRef document = application->GetObj("ActiveDocument");
  // The CAD's main window does not change while it runs: its handle is read once.
  const WindowId window = cad::TTargetConnection::TargetWindow(*application);
  session.Connection.ActivateTargetWindow(window);
  try {
    CreateInDrawing(session, *document, window, options);
  } catch (const std::exception&) {
    // A cancelled pick or a failing call ends the creation without a message.
  }
  session.Desktop.SetForegroundWindow(window);
  session.Connection.PressEscapeInTarget(window, 200);
}

}  // namespace kav::placement
