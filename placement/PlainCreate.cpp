#include "placement/PlainCreate.h"

#include "placement/CadCalls.h"
#include "placement/TextLines.h"
#include "platform/Text.h"

namespace kav::placement {

namespace {

void CreateAndPaste(cad::TCadSession& session, IAutomationObject& document, WindowId window,
                    const TTextLines& o) {
  session.Desktop.SetForegroundWindow(window);
  session.Connection.PressEscapeInTarget(window, 0);
  const double dimScale = DimScale(document);
  const double h = o.Height * dimScale;
  const double pitch = o.Pitch * dimScale;
  const TPoint origin{0, 0, 0};
  if (IsBlank(o.FirstString)) return;

  const ObjectRef modelSpace = document.GetObj("ModelSpace");
  const ObjectRef text = AddText(*modelSpace, o.FirstString, origin, h);
  const int alignment = PutAlignment(*text, o.Alignment);
  PlaceText(*text, origin, o.WidthFactor);
  if (o.Stack) WriteFollowingLines(*modelSpace, o.FollowingCells, origin, pitch, h, o.WidthFactor, alignment);
  // The commands take "last": of a stack only the last line travels with the cursor.
  for (const char* command : {kCopyBaseCommand, kEraseCommand, kPasteCommand}) document.Call("SendCommand", {command});
}

}  // namespace

void WaitWhileTargetBusy(cad::TCadSession& session, IAutomationObject& application) {
  while (session.Connection.IsTargetBusy(application)) {
    session.Desktop.Sleep(kBusyPollMs);
    if (!session.Desktop.ProcessMessages()) return;
  }
}

void PlainCreate(cad::TCadSession& session, const TTextLines& o) {
  cad::TOperationScope scope(session);
  if (!scope.Started()) return;
  session.MinimizeMainWindow();
  if (o.FirstString.empty() || !session.Connection.IsTargetRunning()) return;

  const ObjectRef application = session.Connection.GetTargetApplication();
  const ObjectRef document = application->GetObj("ActiveDocument");
  const WindowId window = cad::TTargetConnection::TargetWindow(*application);
  session.Connection.ActivateTargetWindow(window);
  session.Connection.PressEscapeInTarget(window, 200);
  try {
    CreateAndPaste(session, *document, window, o);
  } catch (const std::exception&) {
    // What was made so far stays at the origin; the commands after the failure are not sent.
  }
  session.Desktop.SetForegroundWindow(window);
  try {
    WaitWhileTargetBusy(session, *application);
    const ObjectRef selection = document->GetObj("ActiveSelectionSet");
    selection->Call("Clear");
    selection->Call("Select", {cad::Variant(static_cast<std::int32_t>(4))});
    (void)selection->Get("Count");
    selection->Call("Clear");
  } catch (const std::exception&) {
    // The CAD went away during the paste: there is nothing left to tidy.
  }
}

}  // namespace kav::placement
