// Times what the user waits for in simcad.exe's window with a drawing of 50,000 entities
// (550 ruled parts lists of lines and TEXT, each with a title block reference that shows its
// block definition, and circles): a repaint of the whole drawing fitted into the window, a
// repaint zoomed in on one list, the answer to a click of an entity pick and of a sub-entity
// pick inside a title block, and a crossing window of a selection. The goal is 50 ms each.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <iomanip>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "bench/support/Timing.h"
#include "bench/win32/DibTarget.h"
#include "simcad/SimBlockGeometry.h"
#include "simcad/SimCad.h"
#include "simcad/SimHitTest.h"
#include "simcad/SimInteraction.h"
#include "simcad/SimView.h"
#include "simcad/com/DrawingPaint.h"

namespace {

using namespace kav::sim;

constexpr int kRepetitions = 31;
constexpr int kWidth = 884, kHeight = 500;   // the drawing area of simcad.exe's window

// The title block under each list: a frame of five lines, a label and two attribute
// definitions, shown by each reference.
void DefineTitleBlock(TDrawing& drawing) {
  const int block = drawing.AddBlockDefinition("TITLE", {0, 0, 0}, 2);
  auto line = [&](double x1, double y1, double x2, double y2) {
    TEntity e;
    e.Type = TEntityType::Line;
    e.Start = {x1, y1, 0};
    e.End = {x2, y2, 0};
    drawing.AddToBlock(block, e);
  };
  line(0, 0, 160, 0);
  line(160, 0, 160, 8);
  line(160, 8, 0, 8);
  line(0, 8, 0, 0);
  line(40, 0, 40, 8);
  auto text = [&](TEntityType type, const std::string& tag, const std::string& value, double x) {
    TEntity e;
    e.Type = type;
    e.Tag = tag;
    e.Text.TextString = value;
    e.Text.Height = 2.5;
    e.Text.Alignment = 9;
    e.Text.Anchor = {x, 4, 0};
    drawing.AddToBlock(block, e);
  };
  text(TEntityType::Text, "", "図番", 2);
  text(TEntityType::AttributeDefinition, "PARTNO", "?", 12);
  text(TEntityType::AttributeDefinition, "NAME", "?", 42);
}

// One parts list of 20 rows and 5 columns at (x, y): 21 + 6 lines and 60 TEXT, a title
// block reference with two attributes and a circle: 90 entities, 92 with the attributes.
void AddList(TSimCad& cad, double x, double y, int index) {
  const double widths[] = {15, 55, 15, 35, 40};
  double columns[6] = {x};
  for (int c = 0; c < 5; ++c) columns[c + 1] = columns[c] + widths[c];
  for (int r = 0; r <= 20; ++r) cad.AddLine(x, y + r * 8, columns[5], y + r * 8);
  for (double cx : columns) cad.AddLine(cx, y, cx, y + 160);
  for (int r = 0; r < 20; ++r) {
    cad.AddText(std::to_string(r + 1), columns[0] + 1.5, y + r * 8 + 4, 2.5, 9);
    cad.AddText("六角ボルト M" + std::to_string(6 + r % 10) + "x" + std::to_string(20 + index % 30), columns[1] + 1.5, y + r * 8 + 4, 2.5, 9);
    cad.AddText("SS400", columns[3] + 1.5, y + r * 8 + 4, 2.5, 9);
  }
  InsertBlock(cad.Drawing(), "TITLE", {x, y - 10, 0}, {{"PARTNO", "K-" + std::to_string(index)}, {"NAME", "ブラケット"}});
  cad.AddCircle(x + 170, y + 80, 5);
}

double MedianMs(const std::function<void()>& work) {
  std::vector<double> samples;
  for (int i = 0; i < kRepetitions; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    GdiFlush();
    samples.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  return kav::bench::Median(std::move(samples));
}

}  // namespace

int main() {
  TSimCad cad;
  constexpr int kAcross = 25, kLists = 550;
  DefineTitleBlock(cad.Drawing());
  for (int i = 0; i < kLists; ++i) AddList(cad, (i % kAcross) * 200.0, (i / kAcross) * 190.0, i);
  // The list in the middle, where the user zooms, picks and selects.
  const double x = 10 * 200.0, y = 11 * 190.0;
  const std::size_t entities = cad.Drawing().All().size();

  kav::bench::TDibTarget target(kWidth, kHeight);
  kav::sim::com::TDrawingPainter painter;
  const RECT area{0, 0, kWidth, kHeight};
  TViewport fitted;
  fitted.Resize(kWidth, kHeight);
  fitted.Fit(DrawingBounds(cad.Drawing()), 24);
  TViewport zoomed = fitted;
  zoomed.Fit(TBounds::Of({x - 10, y - 20, 0}, {x + 180, y + 170, 0}), 24);
  const std::vector<int> none;

  painter.PaintScene(target.Dc(), area, cad.State(), zoomed, none);   // warm the font cache
  const double fitMs = MedianMs([&] { painter.PaintScene(target.Dc(), area, cad.State(), fitted, none); });
  const double zoomMs = MedianMs([&] { painter.PaintScene(target.Dc(), area, cad.State(), zoomed, none); });

  // A click on a line of the list in the middle, as an entity pick answers it.
  TInteraction interaction(cad.State());
  const double tolerance = kav::sim::com::TDrawingPainter::kPickBoxHalf / zoomed.Scale();
  int found = 0;
  const double pickMs = MedianMs([&] {
    interaction.BeginPick(TPickRequest{TPickKind::Entity, "", nullptr});
    interaction.Press({x + 45, y + 8 * 7 + 0.1, 0}, tolerance);
    found = interaction.EndPick().Entity;
  });
  // A click on the frame of the list's title block, as a sub-entity pick answers it: the line
  // of the block definition.
  int nested = 0;
  const double subPickMs = MedianMs([&] {
    interaction.BeginPick(TPickRequest{TPickKind::SubEntity, "", nullptr});
    interaction.Press({x + 100, y - 10 + 0.05, 0}, tolerance);
    nested = interaction.EndPick().Entity;
  });
  // A crossing window over one list, as a selection takes it.
  std::size_t selected = 0;
  const double windowMs = MedianMs([&] {
    interaction.BeginPick(TPickRequest{TPickKind::Selection, "", nullptr});
    interaction.Press({x + 165, y + 165, 0}, tolerance);
    interaction.Press({x + 5, y + 5, 0}, tolerance);
    interaction.Enter();
    selected = interaction.EndPick().Entities.size();
  });

  std::cout << std::fixed << std::setprecision(1) << "simcad.exe window, " << entities << " entities, " << kWidth << "x"
            << kHeight << " pixels, median of " << kRepetitions << ":\n"
            << "  repaint, whole drawing fitted: " << fitMs << " ms\n"
            << "  repaint, zoomed on one list:   " << zoomMs << " ms\n"
            << "  entity pick answered:          " << pickMs << " ms (found " << (found != 0 ? "a line" : "nothing") << ")\n"
            << "  sub-entity pick in a block:    " << subPickMs << " ms (found " << (nested < 0 ? "its line" : "something else") << ")\n"
            << "  crossing window selection:     " << windowMs << " ms (" << selected << " entities)\n"
            << "  goal: 50 ms each\n";
  return found != 0 && nested < 0 && selected > 0 ? 0 : 1;
}
