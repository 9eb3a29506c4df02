#include "cadlink/CadSession.h"

namespace kav::cad {

TOperationScope::TOperationScope(TCadSession& session) : session_(session), started_(!session.operationRunning_) {
  if (!started_) session_.Messages.ShowMessage(kOperationRunningMessage);
  session_.operationRunning_ = true;
}

TOperationScope::~TOperationScope() {
  if (!started_) return;   // the running operation restores the window when it ends
  session_.RestoreMainWindow();
  session_.operationRunning_ = false;
}

}  // namespace kav::cad
