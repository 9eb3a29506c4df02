// Where a TEXT or an attribute stands on the drawing: the frame its characters fill, worked
// out from the alignment, so that the window draws, hit-tests and highlights the same box.
#pragma once

#include <array>

#include "simcad/SimDrawing.h"

namespace kav::sim {

// The characters run along the baseline from `Origin` at `Angle` (radians), `Width` long
// and `Height` high; every character takes the same share of the width.
struct TTextFrame {
  TPoint Origin;
  double Angle = 0;
  double Width = 0;
  double Height = 0;
};

// The frame of a TEXT as the drawing holds it. For Left the insertion point is the origin;
// for the other alignments the alignment point is held and the frame placed around it.
TTextFrame TextFrame(const TTextProps& text);

// Aligned (3) and Fit (5) fill the baseline from `first` to `second`: Aligned scales the
// height with the width, Fit keeps the height and narrows or widens the characters. A
// degenerate baseline keeps the text's own width and rotation.
TTextFrame TextFrameBetween(const TTextProps& text, const TPoint& first, const TPoint& second);

// Lower left, lower right, upper right, upper left.
std::array<TPoint, 4> FrameCorners(const TTextFrame& frame);

// A point of the frame given as fractions of its width (along the baseline) and height.
TPoint FramePoint(const TTextFrame& frame, double alongWidth, double upHeight);

}  // namespace kav::sim
