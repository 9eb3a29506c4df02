// Entities of the simulated CAD's drawing made in one line, for tests that build drawings by hand.
#pragma once

#include <string>

#include "simcad/SimCad.h"

namespace kav::sim {

inline TEntity MakeLine(double x1, double y1, double x2, double y2) {
  TEntity line;
  line.Type = TEntityType::Line;
  line.Start = {x1, y1, 0};
  line.End = {x2, y2, 0};
  return line;
}

inline TEntity MakeText(const std::string& text, double x, double y, double height) {
  TEntity entity;
  entity.Type = TEntityType::Text;
  entity.Text.TextString = text;
  entity.Text.Anchor = {x, y, 0};
  entity.Text.Height = height;
  return entity;
}

}  // namespace kav::sim
