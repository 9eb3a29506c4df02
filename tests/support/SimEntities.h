// Entities and the title block of the simulated CAD's drawing made in one call, for tests that
// build drawings by hand.
#pragma once

#include <string>

#include "simcad/SimCad.h"
#include "simcad/SimDrawing.h"

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

// The title block "TB" of the block tests, base (10, 0): a frame line from (10, 0) to (30, 0),
// the label "図番" at (12, 2) and the attribute definition PARTNO at (12, 6).
struct TTitleBlock {
  int Frame = 0, Label = 0;
};

inline TTitleBlock AddTitleBlockDefinition(TDrawing& drawing) {
  const int tb = drawing.AddBlockDefinition("TB", {10, 0, 0}, 2);
  TTitleBlock block;
  block.Frame = drawing.AddToBlock(tb, MakeLine(10, 0, 30, 0));
  block.Label = drawing.AddToBlock(tb, MakeText("図番", 12, 2, 2.5));
  TEntity definition = MakeText("?", 12, 6, 2.5);
  definition.Type = TEntityType::AttributeDefinition;
  definition.Tag = "PARTNO";
  drawing.AddToBlock(tb, definition);
  return block;
}

}  // namespace kav::sim
