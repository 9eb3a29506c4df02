// What a screen reader calls a control: the caption of a button, check box, radio button,
// label or group; for an edit box, drop-down box, list or grid the label beside it (on its
// row to its left, else just above it), else its hint, else the caption of its page or group.
#pragma once

#include <string>

#include "ui/Control.h"

namespace kav::ui {

std::string AccessibleName(const TControl& control);

// The label that names `control`, or null when none stands beside or above it.
const TLabel* LabelBeside(const TControl& control);

}  // namespace kav::ui
