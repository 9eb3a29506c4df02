#include "simcad/SimDemo.h"

#include <cmath>
#include <numbers>

#include "simcad/SimBlockGeometry.h"

namespace kav::sim {

namespace {

int Line(TDrawing& drawing, double x1, double y1, double x2, double y2) {
  TEntity line;
  line.Type = TEntityType::Line;
  line.Start = {x1, y1, 0};
  line.End = {x2, y2, 0};
  return drawing.Add(line);
}

int Text(TDrawing& drawing, const std::string& text, double x, double y, double height, int alignment = 9,
         double rotation = 0) {
  TEntity entity;
  entity.Type = TEntityType::Text;
  entity.Text.TextString = text;
  entity.Text.Height = height;
  entity.Text.Alignment = alignment;
  entity.Text.Rotation = rotation;
  entity.Text.Anchor = {x, y, 0};
  return drawing.Add(entity);
}

void Polyline(TDrawing& drawing, TEntityType type, std::vector<double> coordinates, bool closed) {
  TEntity polyline;
  polyline.Type = type;
  polyline.Coordinates = std::move(coordinates);
  polyline.Closed = closed;
  drawing.Add(polyline);
}

void Circle(TDrawing& drawing, double x, double y, double radius) {
  TEntity circle;
  circle.Type = TEntityType::Circle;
  circle.Center = {x, y, 0};
  circle.Radius = radius;
  drawing.Add(circle);
}

// The parts list: the title row on top, then rows of 8 down to the title block.
void PartsList(TDrawing& drawing) {
  const double columns[] = {250, 265, 320, 335, 370, 410};
  const double top = 106, rowHeight = 8;
  const int rows = 7;
  for (int r = 0; r <= rows; ++r) Line(drawing, columns[0], top - r * rowHeight, columns[5], top - r * rowHeight);
  for (double x : columns) Line(drawing, x, top - rows * rowHeight, x, top);
  const char* title[] = {"品番", "品名", "数量", "材質", "備考"};
  const char* filled[][5] = {{"1", "ベースプレート", "1", "SS400", ""}, {"2", "リブ", "2", "SS400", "t=6"}};
  for (int c = 0; c < 5; ++c) {
    // Titles centred in their cells, entries at the left as the tool writes them.
    Text(drawing, title[c], (columns[c] + columns[c + 1]) / 2, top - rowHeight / 2, 3, 10);
    for (int r = 0; r < 2; ++r)
      if (*filled[r][c] != '\0') Text(drawing, filled[r][c], columns[c] + 1.5, top - (r + 1.5) * rowHeight, 2.5);
  }
}

// A block definition's LINE, TEXT and attribute definition, in the block's coordinates.
void BlockLine(TDrawing& drawing, int block, double x1, double y1, double x2, double y2) {
  TEntity line;
  line.Type = TEntityType::Line;
  line.Start = {x1, y1, 0};
  line.End = {x2, y2, 0};
  drawing.AddToBlock(block, line);
}

void BlockText(TDrawing& drawing, int block, const std::string& text, double x, double y, double height) {
  TEntity entity;
  entity.Type = TEntityType::Text;
  entity.Text.TextString = text;
  entity.Text.Height = height;
  entity.Text.Alignment = 10;
  entity.Text.Anchor = {x, y, 0};
  drawing.AddToBlock(block, entity);
}

void BlockAttribute(TDrawing& drawing, int block, const std::string& tag, const std::string& prompt, double x, double y,
                    double height) {
  TEntity definition;
  definition.Type = TEntityType::AttributeDefinition;
  definition.Tag = tag;
  definition.Prompt = prompt;
  definition.Text.TextString = std::string("?");   // the default value (a plain literal trips GCC 12's -Wrestrict)
  definition.Text.Height = height;
  definition.Text.Alignment = 10;
  definition.Text.Anchor = {x, y, 0};
  drawing.AddToBlock(block, definition);
}

// The title block: a block whose ruled cells, labels and attributes sit in the corner of the
// border, under the parts list; its attributes hold the drawing's name, number and scale.
void TitleBlock(TDrawing& drawing) {
  // Its top is the parts list's bottom line; its bottom and right the border.
  const int block = drawing.AddBlockDefinition("TITLE", {0, 0, 0}, 2);
  BlockLine(drawing, block, 0, 20, 160, 20);
  BlockLine(drawing, block, 0, 0, 0, 40);
  BlockLine(drawing, block, 40, 0, 40, 40);
  BlockLine(drawing, block, 120, 0, 120, 20);
  BlockLine(drawing, block, 140, 0, 140, 20);
  BlockText(drawing, block, "図名", 20, 30, 3);
  BlockText(drawing, block, "図番", 20, 10, 3);
  BlockText(drawing, block, "尺度", 130, 10, 3);
  BlockAttribute(drawing, block, "TITLE", "図名", 100, 30, 5);
  BlockAttribute(drawing, block, "PARTNO", "図番", 80, 10, 3.5);
  BlockAttribute(drawing, block, "SCALE", "尺度", 150, 10, 3);
  InsertBlock(drawing, "TITLE", {250, 10, 0}, {{"TITLE", "ブラケット組立"}, {"PARTNO", "K-001"}, {"SCALE", "1:1"}});
}

// Balloons: a circle with the part's number, at the end of a leader from the part.
void Balloons(TDrawing& drawing) {
  const int block = drawing.AddBlockDefinition("BALLOON", {0, 0, 0}, 2);
  TEntity circle;
  circle.Type = TEntityType::Circle;
  circle.Radius = 5;
  drawing.AddToBlock(block, circle);
  BlockAttribute(drawing, block, "NO", "品番", 0, 0, 4);
  // Leaders at -45 degrees from the base plate and at 60 degrees from the rib.
  struct TLeader {
    double X, Y, Angle;
    const char* Number;
  };
  const double ribY = 100 + 60 * std::tan(std::numbers::pi / 6);   // the rib at x = 140
  for (const TLeader& leader : {TLeader{170, 70, -std::numbers::pi / 4, "1"}, TLeader{140, ribY, std::numbers::pi / 3, "2"}}) {
    const double c = std::cos(leader.Angle), s = std::sin(leader.Angle);
    Line(drawing, leader.X, leader.Y, leader.X + 28 * c, leader.Y + 28 * s);
    InsertBlock(drawing, "BALLOON", {leader.X + 33 * c, leader.Y + 33 * s, 0}, {{"NO", leader.Number}});
  }
}

// A bracket: its outline with a chamfer, a rib at 30 degrees, two holes, and further lines
// at 60 and -15 degrees to write along.
void Part(TDrawing& drawing) {
  const double outline[][2] = {{40, 60}, {180, 60}, {180, 80}, {80, 80}, {80, 200}, {60, 220}, {40, 220}};
  constexpr std::size_t n = sizeof outline / sizeof outline[0];
  for (std::size_t i = 0; i < n; ++i)
    Line(drawing, outline[i][0], outline[i][1], outline[(i + 1) % n][0], outline[(i + 1) % n][1]);
  Line(drawing, 80, 100, 80 + 80 * std::cos(std::numbers::pi / 6), 100 + 80 * std::sin(std::numbers::pi / 6));
  Line(drawing, 190, 100, 190 + 50 * std::cos(std::numbers::pi / 3), 100 + 50 * std::sin(std::numbers::pi / 3));
  Line(drawing, 120, 250, 120 + 90 * std::cos(-std::numbers::pi / 12), 250 + 90 * std::sin(-std::numbers::pi / 12));
  Circle(drawing, 60, 110, 8);
  Circle(drawing, 60, 170, 8);
  Text(drawing, "リブ t=6", 120, 126, 3.5, 1, std::numbers::pi / 6);
  Text(drawing, "2-φ16 キリ", 30, 140, 3.5, 10, std::numbers::pi / 2);
  Text(drawing, "注記: 指示なき角部は C1", 20, 30, 3.5, 0);
}

}  // namespace

void BuildDemoDrawing(TDrawing& drawing) {
  Polyline(drawing, TEntityType::LwPolyline, {0, 0, 420, 0, 420, 297, 0, 297}, true);
  Polyline(drawing, TEntityType::LwPolyline, {10, 10, 410, 10, 410, 287, 10, 287}, true);
  Part(drawing);
  PartsList(drawing);
  TitleBlock(drawing);
  Balloons(drawing);
  // Shapes the filters of the operations skip.
  Polyline(drawing, TEntityType::Spline, {230, 230, 0, 260, 250, 0, 300, 235, 0, 330, 250, 0}, false);
  Polyline(drawing, TEntityType::Polyline3d, {340, 200, 0, 355, 215, 5, 370, 205, 10}, false);
}

}  // namespace kav::sim
