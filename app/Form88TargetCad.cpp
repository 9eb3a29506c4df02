// TForm88's opening of the target CAD dialog.
#include "app/Form88.h"
#include "cadlink/TargetCADForm.h"

namespace kav::app {

void TForm88::SpeedButton7Click() {
  if (TargetCADForm == nullptr) return;   // not created yet (start-up still running)
  cad::OpenTargetCADDialog(*this, *TargetCADForm, Services.Desktop, Target);
}

}  // namespace kav::app
