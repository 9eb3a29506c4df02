// Calls per second through the COM backend against simcad.exe, and the backend's overhead
// against a raw IDispatch::Invoke loop on the same member, measured in interleaved rounds of
// the same run (median of each). Also the round trips per call as simcad.exe counts them.
//
//   bench_com [calls per round] [rounds]
#include <windows.h>
#include <oleauto.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/support/BenchSimcad.h"
#include "bench/support/Timing.h"
#include "cadlink/com/ComHost.h"
#include "cadlink/com/ComObject.h"
#include "platform/Text.h"

using namespace kav;
using bench::Median;
using bench::Seconds;

namespace {

struct TCase {
  const char* Name;
  std::function<void()> Backend;
  std::function<void()> Raw;
};

}  // namespace

int main(int argc, char** argv) {
  const int calls = argc > 1 ? std::atoi(argv[1]) : 2000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 7;
  cad::com::TComApartment apartment;
  int status = 0;
  try {
    bench::TBenchSimcad simcad("KaverolinSim.Bench");
    cad::IAutomationHost* host = &simcad.Host();
    const cad::ObjectRef app = host->GetActiveObject("KaverolinSim.Bench");
    const cad::ObjectRef doc = app->GetObj("ActiveDocument");
    auto* appCom = static_cast<cad::com::TComObject*>(app.get());
    auto* docCom = static_cast<cad::com::TComObject*>(doc.get());
    const DISPID hwndId = appCom->IdOf("HWND");
    const DISPID getVariableId = docCom->IdOf("GetVariable");

    const auto rawGet = [&] {
      DISPPARAMS none{nullptr, nullptr, 0, 0};
      VARIANT result;
      VariantInit(&result);
      appCom->Dispatch()->Invoke(hwndId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none,
                                 &result, nullptr, nullptr);
      VariantClear(&result);
    };
    const auto rawGetVariable = [&] {
      VARIANT arg;
      VariantInit(&arg);
      arg.vt = VT_BSTR;
      arg.bstrVal = SysAllocString(L"DIMSCALE");
      DISPPARAMS params{&arg, nullptr, 1, 0};
      VARIANT result;
      VariantInit(&result);
      docCom->Dispatch()->Invoke(getVariableId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                 &params, &result, nullptr, nullptr);
      VariantClear(&result);
      VariantClear(&arg);
    };
    const TCase cases[] = {
        {"Application.HWND (get)", [&] { (void)app->Get("HWND"); }, rawGet},
        {"Document.GetVariable(\"DIMSCALE\")", [&] { (void)doc->Call("GetVariable", {"DIMSCALE"}); }, rawGetVariable},
    };

    std::printf("%d calls per round, %d rounds, median per side\n", calls, rounds);
    for (const auto& c : cases) {
      for (int i = 0; i < 200; ++i) {   // warm up both paths
        c.Backend();
        c.Raw();
      }
      std::vector<double> backend, raw;
      for (int r = 0; r < rounds; ++r) {
        backend.push_back(Seconds([&] { for (int i = 0; i < calls; ++i) c.Backend(); }));
        raw.push_back(Seconds([&] { for (int i = 0; i < calls; ++i) c.Raw(); }));
      }
      const double b = Median(backend), w = Median(raw);
      std::printf("%-36s backend %8.0f calls/s   raw Invoke %8.0f calls/s   overhead %.3f\n", c.Name, calls / b,
                  calls / w, b / w);
    }

    // Round trips per call, as simcad.exe counts them.
    const cad::ObjectRef fresh = host->GetActiveObject("KaverolinSim.Bench");
    const auto trips = simcad.RoundTripsOf([&] {
      for (int i = 0; i < calls; ++i) (void)fresh->Get("HWND");
    });
    std::printf("round trips per call (new object, %d calls of HWND): %.4f (%.0f Invoke, %.0f GetIDsOfNames)\n", calls,
                trips.Total() / calls, trips.Invokes, trips.NameLookups);
  } catch (const std::exception& e) {
    std::printf("failed: %s\n", e.what());
    status = 1;
  }
  return status;
}
