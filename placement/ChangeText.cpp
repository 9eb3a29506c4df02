#include "placement/ChangeText.h"

#include "placement/CadCalls.h"

namespace kav::placement {

void ChangeText(cad::TCadSession& session, const std::string& text) {
  cad::TOperationScope scope(session);
  if (!scope.Started() || !session.Connection.IsTargetRunning()) return;
  session.MinimizeMainWindow();
  const ObjectRef document = AttachAndActivate(session).Document;
  if (const auto pick = PickSubEntity(*document, kChangeTextPrompt); pick && IsTextOrAttribute(*pick->Object)) {
    TUndoGroup undo(*document);
    pick->Object->Put("TextString", text);
    undo.Close();
  }
  session.Connection.SendCancelToTarget(*document);
}

}  // namespace kav::placement
