// Starts simcad.exe for a test and ends it afterwards, whatever happened.
#pragma once

#include <windows.h>

#include <string>

namespace kav::test {

class TSimProcess {
 public:
  // Starts simcad.exe with `arguments`; throws std::runtime_error when it cannot start.
  explicit TSimProcess(const std::wstring& arguments);
  ~TSimProcess();
  TSimProcess(const TSimProcess&) = delete;
  TSimProcess& operator=(const TSimProcess&) = delete;

  // Runs simcad.exe with `arguments` and waits for it to end; its exit code.
  static DWORD RunToEnd(const std::wstring& arguments);
  // Ends the process at once (as a crash would) and waits for it.
  void Kill();
  bool Running() const;
  HANDLE Handle() const { return process_; }

 private:
  HANDLE process_ = nullptr;
};

// The Windows path of simcad.exe.
std::wstring SimcadPath();

}  // namespace kav::test
