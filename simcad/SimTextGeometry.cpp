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

std::vector<TTextProps> MTextLines(const TTextProps& text) {
  std::vector<TTextProps> lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.TextString.find("\\P", start);
    TTextProps line = text;
    line.TextString = text.TextString.substr(start, end == std::string::npos ? std::string::npos : end - start);
    lines.push_back(std::move(line));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  // Attachments 1 to 9 come as alignments 6 to 14: top, middle, bottom, three each.
  const int row = text.Alignment >= 6 && text.Alignment <= 14 ? (text.Alignment - 6) / 3 : 0;
  const double spacing = text.Height * 5 / 3;
  const double stack = spacing * static_cast<double>(lines.size() - 1);
  const double first = row == 0 ? 0 : row == 1 ? stack / 2 : stack;   // the first line above the anchor
  const double c = std::cos(text.Rotation), s = std::sin(text.Rotation);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const double up = first - spacing * static_cast<double>(i);
    lines[i].Anchor = TPoint{text.Anchor.X - up * s, text.Anchor.Y + up * c, text.Anchor.Z};
  }
  return lines;
}

std::array<TPoint, 4> FrameCorners(const TTextFrame& frame) {
  return {FramePoint(frame, 0, 0), FramePoint(frame, 1, 0), FramePoint(frame, 1, 1), FramePoint(frame, 0, 1)};
}

}  // namespace kav::sim
