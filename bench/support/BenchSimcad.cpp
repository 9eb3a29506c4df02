#include "bench/support/BenchSimcad.h"

#include <chrono>
#include <stdexcept>
#include <thread>

#include "cadlink/com/ComHost.h"
#include "platform/Text.h"

namespace kav::bench {

namespace {
std::wstring SimcadPath() {
  std::wstring path = Utf8ToWide(KAV_SIMCAD_EXE);
  if (!path.empty() && path[0] == L'/') path = L"Z:" + path;   // a Unix build folder under Wine
  for (auto& c : path)
    if (c == L'/') c = L'\\';
  return path;
}
}  // namespace

TBenchSimcad::TBenchSimcad(const std::string& progId) : progId_(progId), host_(cad::com::MakeComHost()) {
  std::wstring commandLine = L"\"" + SimcadPath() + L"\" --hidden --progid " + Utf8ToWide(progId);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    throw std::runtime_error("cannot start simcad.exe");
  CloseHandle(process.hThread);
  process_ = process.hProcess;
  for (int i = 0; i < 300 && !host_->IsActive(progId_); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  if (!host_->IsActive(progId_)) throw std::runtime_error("simcad.exe did not register " + progId_);
  const TRoundTrips first = Count();
  const TRoundTrips second = Count();
  askingCost_ = {second.Invokes - first.Invokes, second.NameLookups - first.NameLookups};
}

TBenchSimcad::~TBenchSimcad() {
  try {
    Application()->Call("SimQuit");
  } catch (const std::exception&) {
  }
  if (WaitForSingleObject(process_, 5000) != WAIT_OBJECT_0) TerminateProcess(process_, 1);
  CloseHandle(process_);
}

cad::ObjectRef TBenchSimcad::Application() { return host_->GetActiveObject(progId_); }

TBenchSimcad::TRoundTrips TBenchSimcad::Count() {
  const cad::ObjectRef app = Application();
  const double invokes = app->Get("SimInvokeCount").AsDouble();
  return {invokes, app->Get("SimNameLookupCount").AsDouble()};
}



}  // namespace kav::bench
