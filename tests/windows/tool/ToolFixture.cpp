#include "ToolFixture.h"

namespace kav::test {

namespace {
std::vector<std::string> Lines(const cad::Variant& value) {
  std::vector<std::string> lines;
  for (const auto& item : value.AsVariants()) lines.push_back(item.AsString());
  return lines;
}
}  // namespace

void ToolEndToEnd::SetUpTestSuite() {
  apartment_ = std::make_unique<cad::com::TComApartment>();
  host_ = cad::com::MakeComHost();
  simcad_ = std::make_unique<TSimProcess>(L"--progid " + std::wstring(L"KaverolinSim.ToolTest"));
  WaitUntil([] { return host_->IsActive(kToolTestProgId); });
}

void ToolEndToEnd::TearDownTestSuite() {
  try {
    host_->GetActiveObject(kToolTestProgId)->Call("SimQuit");
  } catch (const std::exception&) {
  }
  simcad_.reset();
  host_.reset();
  apartment_.reset();
}

void ToolEndToEnd::SetUp() {
  ASSERT_TRUE(host_->IsActive(kToolTestProgId)) << "simcad.exe is not running";
  app = host_->GetActiveObject(kToolTestProgId);
  app->Call("SimReset");
}

std::unique_ptr<TToolProcess> ToolEndToEnd::StartTool(const std::string& settings,
                                                      std::map<std::string, std::string> files,
                                                      const std::string& progId) {
  files.emplace("kaverolin.ini", "[Form]\r\nLeft=620\r\nTop=40\r\n[Target]\r\nProgID=" + progId +
                                     "\r\n[Combo1]\r\nText=parts.tsv\r\n" + settings);
  files.emplace("TargetCAD_APIVersion.txt", "Simulated CAD\t" + progId + "\r\n");
  files.emplace("parts.tsv", "品名\t数量\r\nボルト\t4\r\nナット\t8\r\n");
  return std::make_unique<TToolProcess>(files);
}

void ToolEndToEnd::ChooseRow(TToolProcess& tool, int row) {
  tool.ClickRow(row);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(tool.Control(L"TEXT 作成", true)) != FALSE; }));
}

void ToolEndToEnd::WaitUntilBack(TToolProcess& tool) {
  ASSERT_TRUE(WaitUntil([&] { return !tool.Minimized() && !CadBusy(); }));
}

bool ToolEndToEnd::CadBusy() { return test::CadBusy(*app); }

std::vector<std::string> ToolEndToEnd::Drawing() { return Lines(app->Call("SimDrawing")); }

std::vector<std::string> ToolEndToEnd::CommandLine() { return Lines(app->Call("SimCommandLine")); }

std::vector<std::string> ToolEndToEnd::TextsOf(const std::string& text) {
  std::vector<std::string> found;
  for (const auto& line : Drawing())
    if (line.find("\tAcDbText\t" + text + "\t") != std::string::npos) found.push_back(line);
  return found;
}

}  // namespace kav::test
