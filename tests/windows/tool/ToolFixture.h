// simcad.exe running under a ProgID of these tests for the whole suite, and kaverolin.exe
// started for each test with a settings file that names it, a target list and a parts list.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "SimProcess.h"
#include "SimUser.h"
#include "ToolProcess.h"
#include "cadlink/AutomationHost.h"
#include "cadlink/com/ComHost.h"

namespace kav::test {

inline constexpr const char* kToolTestProgId = "KaverolinSim.ToolTest";

class ToolEndToEnd : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;

  // kaverolin.exe with `settings` lines added to its settings file and `files` beside it,
  // working with the CAD of `progId`.
  std::unique_ptr<TToolProcess> StartTool(const std::string& settings = "",
                                          std::map<std::string, std::string> files = {},
                                          const std::string& progId = kToolTestProgId);
  // Clicks the row and waits until the send buttons take its text.
  void ChooseRow(TToolProcess& tool, int row);
  // Waits until the tool is back in its normal state after an operation.
  void WaitUntilBack(TToolProcess& tool);
  bool CadBusy();
  std::vector<std::string> Drawing();
  std::vector<std::string> CommandLine();
  // The drawing's lines that describe a TEXT with `text`.
  std::vector<std::string> TextsOf(const std::string& text);

  static inline std::unique_ptr<cad::com::TComApartment> apartment_;
  static inline std::unique_ptr<cad::IAutomationHost> host_;
  static inline std::unique_ptr<TSimProcess> simcad_;
  cad::ObjectRef app;
};

}  // namespace kav::test
