#include "placement/PropertyPick.h"

#include <cmath>

#include "placement/CadCalls.h"

namespace kav::placement {

void PickTextProperties(cad::TCadSession& session, const std::function<void(const TTextProperties&)>& show) {
  cad::TOperationScope scope(session);
  if (!scope.Started() || !session.Connection.IsTargetRunning()) return;
  session.MinimizeMainWindow();
  const ObjectRef document = AttachAndActivate(session).Document;
  const double dimScale = DimScale(*document);
  if (const auto pick = PickSubEntity(*document, kPropertyPickPrompt)) {
    IAutomationObject& text = *pick->Object;
    if (IsTextOrAttribute(text)) {
      // A drawing scale of 0 would turn every height into infinity or nonsense: nothing is
      // taken from such a drawing.
      if (dimScale == 0 || !std::isfinite(dimScale)) {
        session.Messages.ShowMessage(kZeroDimScaleMessage);
      } else {
        TTextProperties properties;
        properties.Height = text.Get("Height").AsDouble() / dimScale;
        properties.WidthFactor = text.Get("ScaleFactor").AsDouble();
        properties.Alignment = text.Get("Alignment").AsInt32();
        show(properties);
      }
    }
  }
  session.Connection.SendCancelToTarget(*document);
}

}  // namespace kav::placement
