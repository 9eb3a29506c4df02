// What part of the drawing the window shows: drawing units to pixels and back (y up on the
// drawing, down on the screen), fit, zoom about a point of the screen, and pan.
#pragma once

#include "simcad/SimHitTest.h"

namespace kav::sim {

struct TScreenPoint {
  double X = 0, Y = 0;
};

class TViewport {
 public:
  static constexpr double kMinScale = 1e-6;
  static constexpr double kMaxScale = 1e6;

  // The size of the area in pixels; the drawing point in its centre stays there.
  void Resize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  double Scale() const { return scale_; }   // pixels per drawing unit

  TScreenPoint ToScreen(const TPoint& p) const;
  TPoint ToDrawing(double x, double y) const;
  // The part of the drawing in view.
  TBounds Visible() const;

  // Shows `bounds` whole, with `margin` pixels around it; an empty box shows the origin.
  void Fit(const TBounds& bounds, double margin);
  // Zooms by `factor` (above 1 magnifies); the drawing point under (x, y) stays under it.
  void ZoomAt(double x, double y, double factor);
  // Moves the drawing with the pointer by (dx, dy) pixels.
  void Pan(double dx, double dy);

 private:
  int width_ = 1, height_ = 1;
  double scale_ = 1;
  double centreX_ = 0, centreY_ = 0;
};

}  // namespace kav::sim
