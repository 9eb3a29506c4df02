// Measures the time from process start until the main window is idle (WaitForInputIdle) for
// two programs, alternating them in one run, and prints the medians and their ratio. On a
// machine shared with other work the wall times swing with the load, so it also prints the
// fastest start of each, the one least disturbed.
// Usage: startup_bench <program> <yardstick program> [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/support/Timing.h"

namespace {

using kav::bench::Median;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

BOOL CALLBACK CloseWindowsOf(HWND window, LPARAM processId) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == static_cast<DWORD>(processId)) PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

// One start; returns the seconds until input idle, or a negative value on failure.
double TimeOneStart(const std::wstring& program) {
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  LARGE_INTEGER before, after;
  QueryPerformanceCounter(&before);
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return -1;
  const DWORD idle = WaitForInputIdle(process.hProcess, 30000);
  QueryPerformanceCounter(&after);
  EnumWindows(CloseWindowsOf, static_cast<LPARAM>(process.dwProcessId));
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return idle == 0 ? Seconds(before, after) : -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_bench <program> <yardstick program> [runs]\n");
    return 2;
  }
  const int runs = argc > 3 ? _wtoi(argv[3]) : 15;
  if (runs < 1) {
    std::fprintf(stderr, "the number of runs must be a whole number of at least 1\n");
    return 2;
  }
  std::vector<double> program, yardstick;
  TimeOneStart(argv[1]);   // warm the file cache and Wine's loader once for each
  TimeOneStart(argv[2]);
  for (int i = 0; i < runs; ++i) {
    const double p = TimeOneStart(argv[1]);
    const double y = TimeOneStart(argv[2]);
    if (p < 0 || y < 0) {
      std::fprintf(stderr, "a start failed\n");
      return 1;
    }
    program.push_back(p);
    yardstick.push_back(y);
  }
  const auto line = [](const char* what, double p, double y) {
    std::printf("  %-8s %8.1f ms %8.1f ms   ratio %.2f\n", what, p * 1000, y * 1000, y > 0 ? p / y : 0);
  };
  std::printf("start until input idle, %d runs: program, bare window\n", runs);
  line("median", Median(program), Median(yardstick));
  line("fastest", *std::min_element(program.begin(), program.end()),
       *std::min_element(yardstick.begin(), yardstick.end()));
  std::printf("  (goal: the median ratio at most 1.5)\n");
  return 0;
}
