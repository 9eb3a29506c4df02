// TEXT creation: a cell's text written into the drawing's model space at a point the user
// picks, inside the ruled cell around it, or along a picked line; a one-column selection of
// several rows becomes a stack of lines, one row pitch apart, in one undo group.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cadlink/CadSession.h"
#include "placement/OnLine.h"
#include "placement/TextLines.h"

namespace kav::placement {

// Where the in-cell placement looks for the frame and where it sets the text.
struct TCellOptions {
  std::string Justification;   // "ML", "MC", "MR", or empty (search only, no move)
  double YRange = 5.0;         // in text heights
  double XRange = 100.0;       // in text heights
  double Offset = 0.5;         // of the left and right base points, in row heights
};

// What the operation reads from the main window when it starts.
struct TCreateTextOptions : TTextLines {
  std::optional<TCellOptions> InCell;       // the in-cell mode, when active
  std::optional<TOnLineOptions> OnLine;     // the on-line mode, when active
};

inline constexpr const char* kBasePointPrompt = "作成基点を指示 : ";

// The whole operation, from minimising the main window to bringing it back.
void CreateText(cad::TCadSession& session, const TCreateTextOptions& options);

}  // namespace kav::placement
