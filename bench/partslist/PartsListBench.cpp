// What every keystroke in the work-area filter costs: loading a 20,000-row, 8-column parts
// list (about 2 MB of Japanese and ASCII) into the grid model with a one-character filter,
// measured against reading the same file and splitting it into lines, in the same run.
// The "ratio" counter is load / read; the goal is at most 3.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "partslist/TableLoad.h"
#include "platform/TextFile.h"
#include "platform/portable/PosixFileSystem.h"

namespace {

using Clock = std::chrono::steady_clock;

// A parts list as drafters keep them: number, name, size, material, count, unit, note, maker.
std::string MakePartsList(int rows) {
  const char* names[] = {"六角ボルト", "六角ナット", "平座金", "ばね座金", "止めねじ", "六角穴付きボルト", "蝶ナット",
                         "リベット", "スペーサー", "ピン"};
  const char* sizes[] = {"M6x20", "M8x25", "M10x30", "M12x40", "φ6x30", "M5x12"};
  const char* materials[] = {"SUS304", "SS400", "S45C", "黄銅", "A5052"};
  const char* notes[] = {"三価クロメート", "ユニクロ", "", "ステンレス製 追加工あり", "現場合わせ", "予備品を含む"};
  const char* makers[] = {"Yamashita Seiko", "Kanto Fasteners", "Osaka Bolt Co.", "Nihon Neji"};
  std::string text = "品番\t品名\t規格\t材質\t数量\t単位\t備考\tメーカー\r\n";
  for (int r = 1; r < rows; ++r) {
    char number[32];
    std::snprintf(number, sizeof number, "P-%06d", r);
    text += number;
    text += '\t';
    text += names[r % 10];
    text += '\t';
    text += sizes[r % 6];
    text += '\t';
    text += materials[r % 5];
    text += '\t';
    text += std::to_string(1 + r % 50);
    text += "\t個\t";
    text += notes[r % 6];
    std::snprintf(number, sizeof number, " 図番 KV-%05d", r % 7919);
    text += number;
    text += " 改訂";
    text += static_cast<char>('A' + r % 5);
    text += '\t';
    text += makers[r % 4];
    text += "\r\n";
  }
  return text;
}

struct TBenchFile {
  std::string Path;
  std::unique_ptr<kav::ICodePage> CodePage = kav::MakePortableCodePage932();
  std::unique_ptr<kav::IFileSystem> Files = kav::MakePosixFileSystem();
  std::size_t Bytes = 0;

  explicit TBenchFile(kav::TextEncoding encoding) {
    Path = (std::filesystem::temp_directory_path() / ("kav-bench-" + std::to_string(static_cast<int>(encoding)) + ".tsv")).string();
    const std::string bytes = kav::EncodeText(MakePartsList(20000), encoding, *CodePage);
    Bytes = bytes.size();
    std::ofstream(Path, std::ios::binary) << bytes;
  }
  ~TBenchFile() { std::filesystem::remove(Path); }
};

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// One iteration times both: the read and split, then the loading with the filter "M".
void RunRatio(benchmark::State& state, kav::TextEncoding encoding, const char* filter) {
  TBenchFile file(encoding);
  kav::ui::TStringGrid grid("StringGrid1");
  double read = 0, load = 0;
  int loaded = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    const kav::TTextFile text = kav::ReadTextFile(*file.Files, *file.CodePage, file.Path);
    benchmark::DoNotOptimize(text.Lines.data());
    const auto t1 = Clock::now();
    loaded = kav::partslist::LoadWorkAreaGrid(grid, *file.Files, *file.CodePage, file.Path, filter);
    const auto t2 = Clock::now();
    read += Seconds(t1 - t0);
    load += Seconds(t2 - t1);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["read_ms"] = read / n * 1000;
  state.counters["load_ms"] = load / n * 1000;
  state.counters["ratio"] = load / read;
  state.counters["rows"] = loaded;
  state.counters["MB"] = static_cast<double>(file.Bytes) / 1e6;
}

void BM_FilterKeystroke_Cp932(benchmark::State& state) { RunRatio(state, kav::TextEncoding::Ansi, "M"); }
void BM_FilterKeystroke_Utf8Bom(benchmark::State& state) { RunRatio(state, kav::TextEncoding::Utf8Bom, "M"); }
// A character that few lines hold: the loading is mostly the filter's scan.
void BM_FilterKeystroke_Rare(benchmark::State& state) { RunRatio(state, kav::TextEncoding::Utf8Bom, "蝶"); }

BENCHMARK(BM_FilterKeystroke_Cp932)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_FilterKeystroke_Utf8Bom)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_FilterKeystroke_Rare)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
