#include "simcad/SimDemo.h"

namespace kav::sim {

namespace {
int Line(TDrawing& drawing, double x1, double y1, double x2, double y2) {
  TEntity line;
  line.Type = TEntityType::Line;
  line.Start = {x1, y1, 0};
  line.End = {x2, y2, 0};
  return drawing.Add(line);
}

void Text(TDrawing& drawing, const std::string& text, double x, double y, double height) {
  TEntity entity;
  entity.Type = TEntityType::Text;
  entity.Text.TextString = text;
  entity.Text.Height = height;
  entity.Text.Alignment = 9;   // middle left, as the tool writes into cells
  entity.Text.Anchor = {x, y, 0};
  drawing.Add(entity);
}
}  // namespace

void BuildDemoDrawing(TDrawing& drawing) {
  // A table of four rows of 8 units and three columns (15, 60, 20 wide) at 100,100.
  const double bottom = 100, rowHeight = 8;
  const double columns[] = {100, 115, 175, 195};
  const int rows = 4;
  for (int r = 0; r <= rows; ++r) Line(drawing, columns[0], bottom + r * rowHeight, columns[3], bottom + r * rowHeight);
  for (double x : columns) Line(drawing, x, bottom, x, bottom + rows * rowHeight);
  const char* header[] = {"品番", "品名", "数量"};
  const char* first[] = {"1", "ボルト M8x20", "4"};
  for (int c = 0; c < 3; ++c) {
    Text(drawing, header[c], columns[c] + 1.25, bottom + 3.5 * rowHeight, 2.5);
    Text(drawing, first[c], columns[c] + 1.25, bottom + 2.5 * rowHeight, 2.5);
  }

  // The title block with its attributes, and shapes the filters skip or let through.
  drawing.AddBlock("TITLE", {220, 100, 0}, {"PARTNO", "TITLE", "SCALE"}, {"K-001", "ブラケット", "1:1"});
  TEntity frame;
  frame.Type = TEntityType::LwPolyline;
  frame.Coordinates = {90, 90, 300, 90, 300, 160, 90, 160};
  frame.Closed = true;
  drawing.Add(frame);
  TEntity circle;
  circle.Type = TEntityType::Circle;
  circle.Center = {250, 140, 0};
  circle.Radius = 6;
  drawing.Add(circle);
  TEntity spline;
  spline.Type = TEntityType::Spline;
  spline.Coordinates = {230, 125, 0, 240, 130, 0, 255, 122, 0};
  drawing.Add(spline);
}

}  // namespace kav::sim
