#include "simcad/SimCad.h"

#include "platform/Text.h"
#include "simcad/SimObjects.h"

namespace kav::sim {

TSimCad::TSimCad() : state_(std::make_shared<TSimState>()), application_(MakeApplication(state_)) {}

int TSimCad::AddLine(double x1, double y1, double x2, double y2) {
  TEntity line;
  line.Type = TEntityType::Line;
  line.Start = {x1, y1, 0};
  line.End = {x2, y2, 0};
  return Drawing().Add(line);
}

int TSimCad::AddPolyline(std::vector<double> xy, bool closed) {
  TEntity polyline;
  polyline.Type = TEntityType::LwPolyline;
  polyline.Coordinates = std::move(xy);
  polyline.Closed = closed;
  return Drawing().Add(polyline);
}

int TSimCad::AddText(const std::string& text, double x, double y, double height, int alignment, double rotation) {
  TEntity entity;
  entity.Type = TEntityType::Text;
  entity.Text.TextString = text;
  entity.Text.Height = height;
  entity.Text.Alignment = alignment;
  entity.Text.Rotation = rotation;
  entity.Text.Anchor = {x, y, 0};
  return Drawing().Add(entity);
}

int TSimCad::AddBlock(const std::string& name, double x, double y, const std::vector<std::string>& tags,
                      const std::vector<std::string>& values) {
  return Drawing().AddBlock(name, {x, y, 0}, tags, values);
}

int TSimCad::AddSpline(std::vector<double> xyz) {
  TEntity spline;
  spline.Type = TEntityType::Spline;
  spline.Coordinates = std::move(xyz);
  return Drawing().Add(spline);
}

int TSimCad::Add3dPolyline(std::vector<double> xyz) {
  TEntity polyline;
  polyline.Type = TEntityType::Polyline3d;
  polyline.Coordinates = std::move(xyz);
  return Drawing().Add(polyline);
}

int TSimCad::AddCircle(double x, double y, double radius) {
  TEntity circle;
  circle.Type = TEntityType::Circle;
  circle.Center = {x, y, 0};
  circle.Radius = radius;
  return Drawing().Add(circle);
}

void TSimCad::QueuePoint(double x, double y, double z) { state_->Answers.push_back({TAnswer::TKind::Point, {x, y, z}, 0, {}}); }

void TSimCad::QueuePick(int entity, double x, double y, int reference) {
  state_->Answers.push_back({TAnswer::TKind::Pick, {x, y, 0}, entity, {}, reference});
}

void TSimCad::QueueSelection(std::vector<int> entities) {
  state_->Answers.push_back({TAnswer::TKind::Selection, {}, 0, std::move(entities)});
}

void TSimCad::QueueCancel() { state_->Answers.push_back({TAnswer::TKind::Cancel, {}, 0, {}}); }

void TSimCad::FailMember(const std::string& key, cad::HResult code, const std::string& message, int times) {
  state_->Failures[UpperAscii(key)] = TFailure{code, message, times};
}

std::vector<std::string> TSimCad::CallTexts() const {
  std::vector<std::string> texts;
  for (const auto& call : state_->Calls) texts.push_back(call.Text());
  return texts;
}

std::vector<std::string> TSimCad::DrawingLines() const {
  std::vector<std::string> lines;
  for (int id : state_->Drawing.TopLevel()) lines.push_back(DescribeEntity(state_->Drawing, *state_->Drawing.Find(id)));
  return lines;
}

}  // namespace kav::sim
