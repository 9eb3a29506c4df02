// The target CAD as the whole program sees it: its ProgID and the caption that names it.
#pragma once

#include <string>

namespace kav::cad {

inline constexpr const char* kDefaultProgID = "BricscadApp.AcadApplication";

struct TTargetState {
  std::string TargetProgID = kDefaultProgID;
  // The main window caption shown while the work-area list shows a listed file.
  std::string TargetCaption;
};

}  // namespace kav::cad
