#include "SimProcess.h"

#include <stdexcept>

#include "platform/Text.h"
#include "tests/support/win32/HostPaths.h"

namespace kav::test {

std::wstring SimcadPath() { return test::WindowsPath(KAV_SIMCAD_EXE); }

namespace {
HANDLE Start(const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + SimcadPath() + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    throw std::runtime_error("cannot start simcad.exe: error " + std::to_string(GetLastError()));
  CloseHandle(info.hThread);
  return info.hProcess;
}
}  // namespace

TSimProcess::TSimProcess(const std::wstring& arguments) : process_(Start(arguments)) {}

TSimProcess::~TSimProcess() {
  if (process_ == nullptr) return;
  if (WaitForSingleObject(process_, 5000) != WAIT_OBJECT_0) Kill();
  CloseHandle(process_);
}

DWORD TSimProcess::RunToEnd(const std::wstring& arguments) {
  HANDLE process = Start(arguments);
  DWORD code = 99;
  if (WaitForSingleObject(process, 30000) == WAIT_OBJECT_0) GetExitCodeProcess(process, &code);
  else TerminateProcess(process, 98);
  CloseHandle(process);
  return code;
}

void TSimProcess::Kill() {
  TerminateProcess(process_, 1);
  WaitForSingleObject(process_, 10000);
}

bool TSimProcess::Running() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

}  // namespace kav::test
