// The harvest's own work without the CAD: building the file grid from 5,000 TEXT and 5,000
// lines (ruled), and from the 5,000 TEXT alone (clustered, two exchange sorts of 5,000), and
// the exchange sort on packed keys against the same sort swapping whole records.
#include <benchmark/benchmark.h>

#include <utility>

#include "bench/harvest/BenchTable.h"
#include "harvest/ExchangeSort.h"
#include "harvest/TableBuild.h"

namespace {

using namespace kav;

harvest::THarvestArrays Arrays(bool withLines) {
  const bench::TBenchTable table = bench::MakeBenchTable();
  harvest::THarvestArrays arrays;
  if (withLines)
    for (const auto& l : table.Lines) arrays.TxgLines.push_back({{l.X1, l.Y1, 0}, {l.X2, l.Y2, 0}});
  for (const auto& t : table.Texts) {
    harvest::TTxgText text;
    text.base = {t.X, t.Y, 0};
    text.code = t.Alignment;
    text.sText = t.Text;
    text.txtH = bench::kBenchTextHeight;
    arrays.TxgTexts.push_back(std::move(text));
  }
  return arrays;
}

void Build(benchmark::State& state, bool withLines) {
  const harvest::THarvestArrays source = Arrays(withLines);
  ui::TStringGrid grid("StringGrid2");
  for (auto _ : state) {
    state.PauseTiming();
    harvest::THarvestArrays arrays = source;
    state.ResumeTiming();
    const harvest::TBuildOutcome outcome = harvest::BuildTable(arrays, grid);
    benchmark::DoNotOptimize(outcome);
  }
  state.counters["rows"] = grid.RowCount() - 1;
  state.counters["columns"] = grid.ColCount();
}

void BM_BuildRuled(benchmark::State& state) { Build(state, true); }
void BM_BuildClustered(benchmark::State& state) { Build(state, false); }

// The sort by x of the clustering, as it meets the texts (row by row).
void BM_ExchangeSortPackedKeys(benchmark::State& state) {
  const harvest::THarvestArrays source = Arrays(false);
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<harvest::TTxgText> texts = source.TxgTexts;
    state.ResumeTiming();
    std::vector<double> keys;
    keys.reserve(texts.size());
    for (const auto& t : texts) keys.push_back(t.base.X);
    harvest::ApplyOrder(texts, harvest::ExchangeSortOrder(std::move(keys), harvest::TSortOrder::Ascending));
    benchmark::DoNotOptimize(texts.data());
  }
}

void BM_ExchangeSortWholeRecords(benchmark::State& state) {
  const harvest::THarvestArrays source = Arrays(false);
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<harvest::TTxgText> texts = source.TxgTexts;
    state.ResumeTiming();
    for (std::size_t i = 0; i + 1 < texts.size(); ++i)
      for (std::size_t j = i + 1; j < texts.size(); ++j)
        if (texts[j].base.X < texts[i].base.X) std::swap(texts[i], texts[j]);
    benchmark::DoNotOptimize(texts.data());
  }
}

BENCHMARK(BM_BuildRuled)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildClustered)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExchangeSortPackedKeys)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExchangeSortWholeRecords)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
