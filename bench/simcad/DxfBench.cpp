// How the DXF reader's time grows with the file: drawings of 1,000 to 200,000 parts-list rows
// (a ruling LINE, four TEXT in code page 932 and, every tenth row, a block reference with two
// attributes) written once, then read again and again. "bytes_per_second" stays level when the
// time is linear in the size. The writer is measured on the same drawings.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

#include "platform/CodePage.h"
#include "simcad/DxfReader.h"
#include "simcad/DxfWriter.h"

namespace {

using namespace kav::sim;

TDrawing PartsList(int rows) {
  TDrawing drawing;
  const int block = drawing.AddBlockDefinition("BALLOON", {0, 0, 0});
  TEntity circle;
  circle.Type = TEntityType::Circle;
  circle.Radius = 4;
  drawing.AddToBlock(block, circle);
  const char* names[] = {"六角ボルト M8x20", "平座金 M8", "ブラケット", "カバー", "スペーサー φ10"};
  for (int r = 0; r < rows; ++r) {
    const double y = -8.0 * r;
    TEntity line;
    line.Type = TEntityType::Line;
    line.Start = {0, y, 0};
    line.End = {190, y, 0};
    drawing.Add(line);
    const std::string cells[] = {std::to_string(r + 1), names[r % 5], "SS400", std::to_string(r % 12 + 1)};
    const double xs[] = {10, 22, 92, 148};
    const int alignments[] = {10, 9, 9, 11};
    for (int c = 0; c < 4; ++c) {
      TEntity text;
      text.Type = TEntityType::Text;
      text.Text.TextString = cells[c];
      text.Text.Anchor = {xs[c], y - 4, 0};
      text.Text.Height = 3.5;
      text.Text.Alignment = alignments[c];
      drawing.Add(text);
    }
    if (r % 10 == 0) drawing.AddBlock("BALLOON", {200, y - 4, 0}, {"NO", "QTY"}, {cells[0], cells[3]});
  }
  return drawing;
}

// The files are made once for each size and kept for the whole run.
const std::string& File(int rows) {
  static std::map<int, std::string> files;
  auto found = files.find(rows);
  if (found == files.end()) found = files.emplace(rows, WriteDxf(PartsList(rows))).first;
  return found->second;
}

void ReadDxfFile(benchmark::State& state) {
  static const std::unique_ptr<kav::ICodePage> codePage = kav::MakePortableCodePage932();
  const std::string& bytes = File(static_cast<int>(state.range(0)));
  std::size_t entities = 0;
  for (auto _ : state) {
    const TDxfDrawing file = ReadDxf(bytes, TDxfCodePages{codePage.get(), nullptr});
    entities = file.Drawing.All().size();
    benchmark::DoNotOptimize(entities);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
  state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
  state.counters["entities"] = static_cast<double>(entities);
}

void WriteDxfFile(benchmark::State& state) {
  const TDrawing drawing = PartsList(static_cast<int>(state.range(0)));
  std::size_t size = 0;
  for (auto _ : state) {
    const std::string bytes = WriteDxf(drawing);
    size = bytes.size();
    benchmark::DoNotOptimize(size);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
  state.counters["MB"] = static_cast<double>(size) / 1e6;
}

BENCHMARK(ReadDxfFile)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteDxfFile)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
