// A harvest of 5,000 TEXT and 5,000 lines over COM against simcad.exe (under Wine), through
// the same operation the button runs: the round trips per entity as simcad.exe counts them,
// the time spent in automation calls against the tool's own time (reading the results, the
// sorts, the grid fill) in the same run, and how often the grid window is told to repaint.
// A second scenario harvests the 5,000 TEXT alone, which clusters them with two exchange
// sorts of 5,000. A program, not a test: it prints figures instead of judging them.
//
//   bench_harvest [rounds] [rows]
//
// One round (the default) is some 100,000 round trips; rows (default 100, at least 4) makes a
// smaller table for a quick run.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/harvest/BenchTable.h"
#include "bench/support/BenchSimcad.h"
#include "bench/support/TimedObject.h"
#include "bench/support/Timing.h"
#include "cadlink/CadSession.h"
#include "cadlink/com/ComHost.h"
#include "harvest/HarvestTable.h"
#include "harvest/TableBuild.h"
#include "tests/support/Fakes.h"
#include "ui/win32/GridControl.h"

using namespace kav;
using bench::Median;
using Clock = std::chrono::steady_clock;

namespace {

constexpr const char* kProgId = "KaverolinSim.HarvestBench";

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

cad::Variant Ids(const std::vector<int>& ids) {
  cad::VariantArray array;
  for (int id : ids) array.Items.emplace_back(static_cast<std::int32_t>(id));
  return cad::Variant(std::move(array));
}

// Counts the paint messages of one window that this thread takes from its queue, whoever
// takes them: the harvest's own pump, or COM's while it waits for the CAD's answer.
class TPaintCounter {
 public:
  explicit TPaintCounter(HWND window) {
    Window() = window;
    Count() = 0;
    hook_ = SetWindowsHookExW(WH_GETMESSAGE, &Hook, nullptr, GetCurrentThreadId());
  }
  ~TPaintCounter() { UnhookWindowsHookEx(hook_); }
  TPaintCounter(const TPaintCounter&) = delete;
  TPaintCounter& operator=(const TPaintCounter&) = delete;
  static int& Count() {
    static int count = 0;   // a hook has no context of its own
    return count;
  }

 private:
  static HWND& Window() {
    static HWND window = nullptr;
    return window;
  }
  static LRESULT CALLBACK Hook(int code, WPARAM removal, LPARAM message) {
    const MSG* msg = reinterpret_cast<const MSG*>(message);
    if (code == HC_ACTION && removal == PM_REMOVE && msg->message == WM_PAINT && msg->hwnd == Window()) ++Count();
    return CallNextHookEx(nullptr, code, removal, message);
  }
  HHOOK hook_ = nullptr;
};

void Pump() {
  MSG msg{};
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

struct TScenario {
  const char* Name;
  std::vector<int> Selection;
  int Lines, Texts;
};

int Run(bench::TBenchSimcad& simcad, int rounds, int rows) {
  const cad::ObjectRef app = simcad.Application();

  // The drawing, built through the test members.
  const bench::TBenchTable table = bench::MakeBenchTable(rows);
  std::vector<int> lineIds, textIds;
  const auto buildStart = Clock::now();
  for (const auto& l : table.Lines) lineIds.push_back(app->Call("SimAddLine", {l.X1, l.Y1, l.X2, l.Y2}).AsInt32());
  for (const auto& t : table.Texts)
    textIds.push_back(
        app->Call("SimAddText", {t.Text, t.X, t.Y, bench::kBenchTextHeight, cad::Variant(static_cast<std::int32_t>(t.Alignment))})
            .AsInt32());
  std::printf("drawing: %zu lines, %zu TEXT, built in %.0f ms\n", lineIds.size(), textIds.size(), Ms(Clock::now() - buildStart));
  std::vector<int> all = lineIds;
  all.insert(all.end(), textIds.begin(), textIds.end());

  // The file grid: a real grid window, so that the column widths are measured in its font.
  const HWND window = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 900, 600, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  const ui::win32::TPalette palette;
  ui::TStringGrid grid("StringGrid2");
  grid.Bounds = ui::TBounds{0, 0, 880, 560};
  auto gridControl = ui::win32::TGridControl::Create(window, grid, palette, 96);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  int notifications = 0;
  auto peerLink = grid.OnModelChange;
  grid.OnModelChange = [&](ui::TAspect aspect) {
    ++notifications;
    peerLink(aspect);
  };
  Pump();
  TPaintCounter paintCounter(gridControl->Handle());

  const auto clock = std::make_shared<bench::TCallClock>();
  const auto host = bench::TimedHost(simcad.Host(), clock);
  test::TFakeDesktop desktop;
  test::TFakeMessages messages;
  cad::TTargetState target{kProgId, {}};
  ui::TForm mainWindow("Form88");
  cad::TCadSession session(*host, desktop, messages, target, mainWindow);
  harvest::THarvestArrays arrays;

  const int n = static_cast<int>(textIds.size());
  const TScenario scenarios[] = {{"TEXT and as many lines (ruled)", all, n, n}, {"TEXT alone (clustered)", textIds, 0, n}};
  std::printf("%d rounds per scenario, medians\n", rounds);
  for (const TScenario& s : scenarios) {
    std::vector<double> totals, com, tool, build, invokes, lookups;
    std::vector<int> repaints, paints;
    for (int r = 0; r < rounds; ++r) {
      app->Call("SimQueueSelection", {Ids(s.Selection)});
      clock->InCalls = {};
      notifications = 0;
      TPaintCounter::Count() = 0;
      Clock::duration total{};
      const auto trips = simcad.RoundTripsOf([&] {
        const auto start = Clock::now();
        harvest::HarvestTable(session, arrays, grid);
        total = Clock::now() - start;
      });
      invokes.push_back(trips.Invokes);
      lookups.push_back(trips.NameLookups);
      totals.push_back(Ms(total));
      com.push_back(Ms(clock->InCalls));
      tool.push_back(Ms(total - clock->InCalls));
      repaints.push_back(notifications);
      Pump();
      paints.push_back(TPaintCounter::Count());
      // The build alone, on a copy of what this harvest read (its share of the tool's time).
      harvest::THarvestArrays copy = arrays;
      const auto buildStart2 = Clock::now();
      harvest::BuildTable(copy, grid);
      build.push_back(Ms(Clock::now() - buildStart2));
      Pump();
    }
    const double entities = s.Lines + s.Texts;
    const double t = Median(totals), c = Median(com), o = Median(tool);
    std::printf("\n%d %s: grid %d rows x %d columns, %zu messages\n", n, s.Name, grid.RowCount() - 1, grid.ColCount(),
                messages.Shown.size());
    std::printf("  round trips: %.0f Invoke (%.3f per entity), %.0f GetIDsOfNames (%.3f per entity)\n", Median(invokes),
                Median(invokes) / entities, Median(lookups), Median(lookups) / entities);
    std::printf("  harvest %.0f ms: automation calls %.0f ms, the tool's own %.1f ms = %.2f%% of the calls' time"
                " (goal: under 10%%)\n", t, c, o, 100.0 * o / c);
    std::printf("  of the tool's own: the build alone (borders, sorts, grid fill) %.1f ms\n", Median(build));
    std::printf("  the grid told to repaint %d time(s) by the harvest; the grid window painted %d time(s)\n",
                *std::max_element(repaints.begin(), repaints.end()), *std::max_element(paints.begin(), paints.end()));
  }
  grid.OnModelChange = nullptr;   // the control's own link goes with it
  gridControl.reset();
  DestroyWindow(window);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
  const int rows = argc > 2 ? std::max(4, std::atoi(argv[2])) : 100;
  cad::com::TComApartment apartment;
  try {
    bench::TBenchSimcad simcad(kProgId);
    return Run(simcad, rounds, rows);
  } catch (const std::exception& e) {
    std::printf("failed: %s\n", e.what());
    return 1;
  }
}
