// End to end under Wine: a parts list drawn in simcad.exe (ruled, and as bare TEXT), "TEXT を
// 取得" on the main window with a queued selection of the whole table, the file grid, and the
// grid copied to the clipboard with "すべて選択" and "範囲をコピー" as a person reads the table.
#include <chrono>
#include <cstdlib>
#include <thread>

#include "cadlink/com/ComHost.h"
#include "cadlink/com/MessageFilter.h"
#include "platform/Text.h"
#include "tests/support/win32/HostPaths.h"
#include "tests/native/partslist/GridText.h"
#include "tests/windows/cadlink/SimProcess.h"
#include "tests/windows/partslist/MainWindowHost.h"

namespace kav::test {
namespace {

using cad::Variant;
using partslist::test::Rows;
using partslist::test::TTable;

constexpr const char* kProgId = "KaverolinSim.HarvestTest";

// A parts list with a title row; the quantity column right-aligned, as drafters draw it.
const TTable kPartsList = {{"品名", "材質", "数量"}, {"六角ボルト M8", "SS400", "12"}, {"平座金", "SUS304", "4"},
                           {"ばね座金", "SWRH", "120"}};
constexpr double kRowHeight = 8, kHeight = 3.5;
constexpr double kColumnRight[] = {50, 80, 100};   // x of the right border of each column

class HarvestEndToEnd : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    apartment = std::make_unique<cad::com::TComApartment>();
    filter = cad::com::MakeMessageFilterHook();
    filter->RegisterFilter();
    host = cad::com::MakeComHost();
    process = std::make_unique<TSimProcess>(L"--hidden --progid " + Utf8ToWide(kProgId));
    for (int i = 0; i < 300 && !host->IsActive(kProgId); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(host->IsActive(kProgId)) << "simcad.exe did not register";
    app = host->GetActiveObject(kProgId);
    Start();
    target.TargetProgID = kProgId;   // after the start-up, which sets the default
    form->AttachCad(*host);
    form->PageControl1.UserSelectPage(app::kFilePage);
    Pump();
  }
  void TearDown() override {
    try {
      if (app) app->Call("SimQuit");
    } catch (const std::exception&) {
    }
    app.reset();
    MainWindowTest::TearDown();   // the form and its CAD session go before the COM host
    process.reset();
    host.reset();
    if (filter) filter->RevokeFilter();
    filter.reset();
    apartment.reset();
  }

  int AddText(const std::string& text, double x, double y, int alignment) {
    return app->Call("SimAddText", {text, x, y, kHeight, Variant(static_cast<std::int32_t>(alignment))}).AsInt32();
  }
  // Every text of the table, left-aligned in its column, the quantities right-aligned.
  std::vector<int> AddTexts() {
    std::vector<int> ids;
    for (std::size_t r = 0; r < kPartsList.size(); ++r) {
      const double y = -kRowHeight * static_cast<double>(r) - 6;
      for (std::size_t c = 0; c < 3; ++c) {
        const double left = c == 0 ? 0 : kColumnRight[c - 1];
        ids.push_back(c == 2 ? AddText(kPartsList[r][c], kColumnRight[c] - 1.5, y, 2) : AddText(kPartsList[r][c], left + 1.5, y, 0));
      }
    }
    return ids;
  }
  void Select(const std::vector<int>& ids) {
    VariantArray selection;
    for (int id : ids) selection.Items.emplace_back(static_cast<std::int32_t>(id));
    app->Call("SimQueueSelection", {Variant(std::move(selection))});
  }
  void Click(const ui::TButton& button) {
    SendMessageW(peer->HandleOf(button), BM_CLICK, 0, 0);
    Pump();
  }
  static std::wstring TableText(const TTable& table) {
    std::string text;
    for (const auto& row : table) {
      for (std::size_t c = 0; c < row.size(); ++c) text += (c ? "\t" : "") + row[c];
      text += "\r\n";
    }
    return Utf8ToWide(text);
  }
  // Set KAV_HARVEST_HOLD_MS to keep the window on the screen for a screenshot.
  void HoldForScreenshot() {
    const char* hold = std::getenv("KAV_HARVEST_HOLD_MS");
    if (hold == nullptr) return;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::atoi(hold));
    while (std::chrono::steady_clock::now() < until) {
      Pump();
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }

  using VariantArray = cad::VariantArray;
  std::unique_ptr<cad::com::TComApartment> apartment;
  std::unique_ptr<cad::IMessageFilterHook> filter;
  std::unique_ptr<cad::IAutomationHost> host;
  std::unique_ptr<TSimProcess> process;
  cad::ObjectRef app;
};

TEST_F(HarvestEndToEnd, ARuledPartsListIsReadIntoTheFileGridAndCopiesAsTheTable) {
  const double bottom = -kRowHeight * static_cast<double>(kPartsList.size());
  std::vector<int> ids = AddTexts();
  ids.push_back(app->Call("SimAddPolyline", {Variant(cad::DoubleArray{0, {0, 0, 100, 0, 100, bottom, 0, bottom}}), true})
                    .AsInt32());
  for (std::size_t r = 1; r < kPartsList.size(); ++r)
    ids.push_back(app->Call("SimAddLine", {0.0, -kRowHeight * static_cast<double>(r), 100.0, -kRowHeight * static_cast<double>(r)}).AsInt32());
  for (double x : {kColumnRight[0], kColumnRight[1]}) ids.push_back(app->Call("SimAddLine", {x, 0.0, x, bottom}).AsInt32());
  ids.push_back(app->Call("SimAddCircle", {5.0, 5.0, 1.0}).AsInt32());   // not selectable: the filter keeps it out
  Select(ids);

  Click(form->Button2);
  EXPECT_EQ(Rows(form->StringGrid2), kPartsList);
  EXPECT_EQ(partslist::test::Header(form->StringGrid2), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_TRUE(messages.Shown.empty());
  EXPECT_TRUE(messages.Errors.empty());
  EXPECT_FALSE(IsIconic(peer->Handle()));
  EXPECT_EQ(app->Call("SimPendingAnswers").AsInt32(), 0);

  // The columns are wide enough for their texts in the grid's own font.
  const ui::TStringGrid& grid = form->StringGrid2;
  for (int c = 0; c < 3; ++c)
    for (int r = 1; r < grid.RowCount(); ++r) EXPECT_GE(grid.ColWidth(c), grid.MeasureText(grid.Cell(c, r) + "AAA"));

  Click(form->SpeedButton2);
  Click(form->SpeedButton3);
  EXPECT_EQ(ClipboardText(), TableText(kPartsList));
  HoldForScreenshot();
}

TEST_F(HarvestEndToEnd, ATableOfBareTextIsClusteredAndAnEmptySelectionBuildsItAgain) {
  Select(AddTexts());
  Click(form->Button2);
  EXPECT_EQ(Rows(form->StringGrid2), kPartsList);

  form->StringGrid2.SetCell(0, 1, "書き換え");
  Select({});
  Click(form->Button2);
  Click(form->SpeedButton2);
  Click(form->SpeedButton3);
  EXPECT_EQ(ClipboardText(), TableText(kPartsList));
}

// The drawings of our own in tests/data, opened in simcad.exe as a drafter's files are.
class HarvestOfDrawings : public HarvestEndToEnd {
 protected:
  void Open(const char* name) {
    app->Call("SimOpenDxf", {WideToUtf8(test::WindowsPath(std::string(KAV_TEST_DATA) + "/" + name))});
  }
  // Every entity of model space, as a window around the whole drawing takes it.
  std::vector<int> Everything() {
    std::vector<int> ids;
    for (const auto& line : app->Call("SimDrawing").AsVariants()) ids.push_back(std::stoi(line.AsString()));
    return ids;
  }
};

TEST_F(HarvestOfDrawings, TheRuledPartsListInCodePage932ReadsAsTheTableOnPaper) {
  Open("parts-list-ruled-932.dxf");
  Select(Everything());
  Click(form->Button2);
  const TTable table = {{"品番", "品名", "材質", "数量", "備考"},
                        {"1", "六角ボルト M8x20", "SS400", "8", "三価クロメート"},
                        {"2", "平座金 M8", "SS400", "8", ""},
                        {"3", "ブラケット", "SPCC", "2", "t=3.2"},
                        {"4", "カバー", "A5052", "1", "アルマイト"},
                        {"5", "スペーサー φ10", "SUS304", "4", ""}};
  EXPECT_EQ(Rows(form->StringGrid2), table);
  Click(form->SpeedButton2);
  Click(form->SpeedButton3);
  EXPECT_EQ(ClipboardText(), TableText(table));
  HoldForScreenshot();
}

TEST_F(HarvestOfDrawings, TheUnruledTableOfAnOldDrawingIsClusteredIntoItsRowsAndColumns) {
  Open("text-table-r12.dxf");
  Select(Everything());
  Click(form->Button2);
  const TTable table = {{"No.", "Part", "Size", "Qty"},
                        {"1", "Hex bolt", "M10x40", "12"},
                        {"2", "Washer", "Ø10.5", "12"},
                        {"3", "Bracket", "t=6", "2"},
                        {"10", "Cover plate", "200x150", "1"}};
  EXPECT_EQ(Rows(form->StringGrid2), table);
  Click(form->SpeedButton2);
  Click(form->SpeedButton3);
  EXPECT_EQ(ClipboardText(), TableText(table));
}

}  // namespace
}  // namespace kav::test
