#include "simcad/SimTextGeometry.h"

#include <cmath>

namespace kav::sim {

TTextFrame TextFrame(const TTextProps& text) {
  if (text.Alignment == 3 || text.Alignment == 5) return TextFrameBetween(text, TextInsertionPoint(text), text.Anchor);
  return TTextFrame{TextInsertionPoint(text), text.Rotation, TextWidth(text), text.Height};
}

TTextFrame TextFrameBetween(const TTextProps& text, const TPoint& first, const TPoint& second) {
  const double natural = TextWidth(text);
  const double dx = second.X - first.X, dy = second.Y - first.Y;
  const double length = std::hypot(dx, dy);
  if (!(length > 1e-12) || !(natural > 0)) return TTextFrame{first, text.Rotation, natural, text.Height};
  const double height = text.Alignment == 3 ? text.Height * length / natural : text.Height;
  return TTextFrame{first, std::atan2(dy, dx), length, height};
}

TPoint FramePoint(const TTextFrame& frame, double alongWidth, double upHeight) {
  const double c = std::cos(frame.Angle), s = std::sin(frame.Angle);
  const double u = frame.Width * alongWidth, v = frame.Height * upHeight;
  return TPoint{frame.Origin.X + u * c - v * s, frame.Origin.Y + u * s + v * c, frame.Origin.Z};
}

std::array<TPoint, 4> FrameCorners(const TTextFrame& frame) {
  return {FramePoint(frame, 0, 0), FramePoint(frame, 1, 0), FramePoint(frame, 1, 1), FramePoint(frame, 0, 1)};
}

}  // namespace kav::sim
