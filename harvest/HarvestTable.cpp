#include "harvest/HarvestTable.h"

#include "harvest/SelectionRead.h"
#include "harvest/TableBuild.h"

namespace kav::harvest {

using cad::ObjectRef;

std::string TooLargeMessage(std::int64_t rows, std::int64_t columns) {
  return "表が大きすぎるため取得できません（" + std::to_string(rows) + " 行 × " + std::to_string(columns) + " 列）";
}

void HarvestTable(cad::TCadSession& session, THarvestArrays& arrays, ui::TStringGrid& grid) {
  cad::TOperationScope scope(session);
  if (!scope.Started() || !session.Connection.IsTargetRunning()) return;
  session.MinimizeMainWindow();
  const ObjectRef application = session.Connection.GetTargetApplication();
  const ObjectRef document = application->GetObj("ActiveDocument");
  const WindowId window = cad::TTargetConnection::TargetWindow(*application);
  session.Connection.ActivateTargetWindow(window);
  session.Connection.PressEscapeInTarget(window, 5);
  TBuildOutcome outcome;
  try {
    session.Desktop.SetForegroundWindow(window);
    const ObjectRef selection = document->GetObj("ActiveSelectionSet");
    selection->Call("Clear");
    selection->Call("SelectOnScreen", {HarvestFilterTypes(), HarvestFilterValues()});
    ReadSelection(*selection, arrays);
    selection->Call("Clear");
    outcome = BuildTable(arrays, grid);
  } catch (const std::exception&) {
    // A cancelled selection, a CAD that fails a call, a build that runs out of memory: the
    // harvest ends without a word, the arrays and the grid as far as they got.
    return;
  }
  if (outcome.Result == TBuildResult::TooLarge) session.Messages.ShowMessage(TooLargeMessage(outcome.Rows, outcome.Columns));
}

}  // namespace kav::harvest
