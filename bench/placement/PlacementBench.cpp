// The text operations over COM against simcad.exe:
//  - round trips of one TEXT creation and of one frame search, as simcad.exe counts them;
//  - a stack of 50 rows through the operation against the same calls made with raw
//    IDispatch::Invoke, in interleaved rounds of one run (median of each);
//  - the tool's own time in a frame search among 10,000 selected lines against the time its
//    calls spend in COM;
//  - the bulk attribute change on 2,000 references of 20 blocks (5 of them without the tag):
//    round trips against what the skip rule gives, time per reference, and the direct path
//    against the CAD's own command.
//
//   bench_placement [rounds] [lines]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/placement/RawCalls.h"
#include "bench/support/BenchSimcad.h"
#include "bench/support/Timing.h"
#include "bench/support/TimedObject.h"
#include "cadlink/CadSession.h"
#include "cadlink/com/ComHost.h"
#include "placement/BulkAttributes.h"
#include "placement/CellFrame.h"
#include "placement/CreateText.h"
#include "platform/Text.h"

using namespace kav;
using bench::Median;
using bench::Seconds;

namespace {

constexpr const char* kProgId = "KaverolinSim.BenchPlacement";
constexpr int kStackRows = 50;

// A desktop on which nothing is in front and nobody waits: no key strokes, no pauses.
class TQuietDesktop final : public IDesktop {
 public:
  WindowId ForegroundWindow() override { return 0; }
  bool IsIconic(WindowId) override { return false; }
  void OpenIcon(WindowId) override {}
  void SetForegroundWindow(WindowId) override {}
  void KeyEvent(unsigned char, unsigned char, unsigned) override {}
  void Sleep(unsigned) override {}
  std::uint32_t TickCount() override { return GetTickCount(); }
  bool ProcessMessages() override { return true; }
  int ScreenWidth() override { return 1920; }
  int ScreenHeight() override { return 1080; }
};

class TPrintedMessages final : public IMessages {
 public:
  void ShowMessage(const std::string& text) override { std::printf("message: %s\n", text.c_str()); }
  void ShowError(const std::string& text) override { std::printf("error: %s\n", text.c_str()); }
  bool AskYesNo(const std::string&) override { return false; }
};

void DrawCell(cad::IAutomationObject& app, double left, double bottom, double width, double height) {
  app.Call("SimAddLine", {left, bottom, left + width, bottom});
  app.Call("SimAddLine", {left, bottom + height, left + width, bottom + height});
  app.Call("SimAddLine", {left, bottom, left, bottom + height});
  app.Call("SimAddLine", {left + width, bottom, left + width, bottom + height});
}

placement::TCreateTextOptions StackOptions() {
  placement::TCreateTextOptions o;
  o.Stack = true;
  o.FirstString = "ROW 0";
  for (int i = 1; i < kStackRows; ++i) o.FollowingCells.push_back("ROW " + std::to_string(i));
  o.Alignment = 9;
  return o;
}

// The calls of the stack, made by hand: the same members with the same arguments.
void RawStack(const std::wstring& progId) {
  CLSID clsid{};
  CLSIDFromProgID(progId.c_str(), &clsid);   // the running check looks the class up
  bench::TRawObject probe = bench::ActiveObject(progId);
  bench::TRawObject app = bench::ActiveObject(progId);
  bench::TRawObject doc = app.Object(L"ActiveDocument");
  bench::TRawVariant hwnd, scale, point;
  app.Get(L"HWND", &hwnd.Value);
  bench::TRawVariant name;
  bench::SetString(name.Value, L"DIMSCALE");
  doc.Call(L"GetVariable", &name.Value, 1, &scale.Value);
  bench::TRawObject utility = doc.Object(L"Utility");
  bench::TRawVariant prompt, missing;
  bench::SetString(prompt.Value, L"作成基点を指示 : ");
  bench::SetMissing(missing.Value);
  VARIANT pointArgs[2] = {prompt.Value, missing.Value};   // reversed order
  utility.Call(L"GetPoint", pointArgs, 2, &point.Value);
  doc.Call(L"StartUndoMark");
  bench::TRawObject modelSpace = doc.Object(L"ModelSpace");
  double y = 100;
  for (int row = 0; row < kStackRows; ++row, y -= 5) {
    bench::TRawVariant text, at, height, result;
    bench::SetString(text.Value, (L"ROW " + std::to_wstring(row)).c_str());
    bench::SetPoint(at.Value, {10, y, 0});
    bench::SetDouble(height.Value, 2.5);
    VARIANT refs[3];
    bench::SetRef(refs[0], height.Value);
    bench::SetRef(refs[1], at.Value);
    bench::SetRef(refs[2], text.Value);
    modelSpace.Call(L"AddText", refs, 3, &result.Value);
    bench::TRawObject entity(cad::com::TComPtr<IDispatch>::Attach(result.Value.pdispVal));
    result.Value.vt = VT_EMPTY;
    bench::TRawVariant alignment, factor, ref;
    bench::SetInt(alignment.Value, 9);
    if (row == 0) {
      entity.Put(L"Alignment", alignment.Value);
      bench::TRawVariant back;
      entity.Get(L"Alignment", &back.Value);
    } else {
      bench::SetRef(ref.Value, alignment.Value);
      entity.Put(L"Alignment", ref.Value);
    }
    bench::TRawVariant atRef, factorRef;
    bench::SetRef(atRef.Value, at.Value);
    entity.Put(L"TextAlignmentPoint", atRef.Value);
    bench::SetDouble(factor.Value, 1.0);
    bench::SetRef(factorRef.Value, factor.Value);
    entity.Put(L"ScaleFactor", factorRef.Value);
    atRef.Value.vt = VT_EMPTY;   // the references do not own what they point at
    factorRef.Value.vt = VT_EMPTY;
    ref.Value.vt = VT_EMPTY;
  }
  doc.Call(L"EndUndoMark");
  (void)probe;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 7;
  const int lines = argc > 2 ? std::atoi(argv[2]) : 10000;
  cad::com::TComApartment apartment;
  int status = 0;
  try {
    bench::TBenchSimcad simcad(kProgId);
    TQuietDesktop desktop;
    TPrintedMessages messages;
    cad::TTargetState target{kProgId, {}};
    ui::TForm mainWindow("bench");
    cad::TCadSession session(simcad.Host(), desktop, messages, target, mainWindow);
    const cad::ObjectRef app = simcad.Application();

    // One TEXT at a pick; the list of calls of the operation reads the window handle four times.
    app->Call("SimReset");
    placement::TCreateTextOptions one;
    one.FirstString = "ABC";
    one.Alignment = 9;
    app->Call("SimQueuePoint", {10.0, 10.0});
    const auto createTrips = simcad.RoundTripsOf([&] { placement::CreateText(session, one); });
    std::printf("one TEXT at a pick: %.0f Invoke + %.0f GetIDsOfNames; the list of calls has 16 Invoke\n",
                createTrips.Invokes, createTrips.NameLookups);

    // One frame search around a cell of four lines.
    DrawCell(*app, 0, 0, 40, 10);
    const cad::ObjectRef doc = app->GetObj("ActiveDocument");
    placement::TPoint p{13, 3, 0};
    const auto frameTrips = simcad.RoundTripsOf([&] { placement::FindCellFrame(*doc, p, "ML", 12.5, 250, 0.5); });
    std::printf("one frame search, one line per side: %.0f Invoke + %.0f GetIDsOfNames; the list of calls has 30 Invoke\n",
                frameTrips.Invokes, frameTrips.NameLookups);

    // A stack of 50 rows against the same calls made by hand.
    const placement::TCreateTextOptions stack = StackOptions();
    const std::wstring progId = Utf8ToWide(kProgId);
    std::vector<double> backend, raw;
    bench::TBenchSimcad::TRoundTrips stackTrips;
    for (int r = 0; r < rounds; ++r) {
      app->Call("SimReset");
      app->Call("SimQueuePoint", {10.0, 100.0});
      backend.push_back(Seconds([&] { stackTrips = simcad.RoundTripsOf([&] { placement::CreateText(session, stack); }); }));
      app->Call("SimReset");
      app->Call("SimQueuePoint", {10.0, 100.0});
      raw.push_back(Seconds([&] { RawStack(progId); }));
    }
    const double b = Median(backend), w = Median(raw);
    std::printf("stack of %d rows: %.1f ms through the operation, %.1f ms as raw Invoke calls: %.3f times (%.0f Invoke + %.0f GetIDsOfNames)\n",
                kStackRows, b * 1000, w * 1000, b / w, stackTrips.Invokes, stackTrips.NameLookups);

    // A frame search among many selected lines left of the point: the tool's own time against
    // the COM time.
    app->Call("SimReset");
    DrawCell(*app, 0, 0, 40, 10);
    cad::DoubleArray many;
    for (int i = 0; i < lines; ++i) many.Items.insert(many.Items.end(), {-1.0 - i * 0.01, -5.0, -1.0 - i * 0.01, 5.0});
    app->Call("SimAddLines", {many});
    std::vector<double> totals, own;
    for (int r = 0; r < std::max(1, rounds / 2); ++r) {
      auto clock = std::make_shared<bench::TCallClock>();
      const cad::ObjectRef timedDoc = bench::Timed(app->GetObj("ActiveDocument"), clock);
      placement::TPoint q{13, 3, 0};
      const double total = Seconds([&] { placement::FindCellFrame(*timedDoc, q, "ML", 12.5, 250, 0.5); });
      const double inCalls = std::chrono::duration<double>(clock->InCalls).count();
      totals.push_back(total);
      own.push_back(total - inCalls);
    }
    const double t = Median(totals), o = Median(own);
    std::printf("frame search among %d lines: %.0f ms in all, the tool's own %.2f ms: %.2f%% of the COM time\n", lines,
                t * 1000, o * 1000, 100 * o / (t - o));

    // The bulk attribute change: 100 references of each of 20 blocks; 15 blocks carry the tag
    // as their second attribute, 5 carry other tags only.
    app->Call("SimReset");
    cad::DoubleArray references;
    for (int block = 0; block < 20; ++block) {
      const bool tagged = block >= 5;
      cad::VariantArray tags, values;
      tags.Items = {cad::Variant("NAME"), cad::Variant(tagged ? "PARTNO" : "MATERIAL")};
      values.Items = {cad::Variant("x"), cad::Variant("old")};
      for (int i = 0; i < 100; ++i)
        references.Items.push_back(
            app->Call("SimAddBlock", {"B" + std::to_string(block), double(i), double(block), tags, values}).AsDouble());
    }
    const placement::TBulkAttributeOptions direct{"PARTNO : 品番", "NEW", false};
    const placement::TBulkAttributeOptions command{"PARTNO : 品番", "NEW", true};
    // Fixed calls 13; a reference of a block with the tag: Item, Name, GetAttributes, two
    // TagString, TextString; the first reference of a block without it: Item, Name,
    // GetAttributes, two TagString; its later references: Item and Name.
    const double expected = 13 + 1500 * 6 + 5 * 5 + 495 * 2;
    std::vector<double> directTimes, commandTimes;
    bench::TBenchSimcad::TRoundTrips bulkTrips;
    for (int r = 0; r < std::max(1, rounds / 2); ++r) {
      app->Call("SimQueueSelection", {references});
      directTimes.push_back(Seconds([&] { bulkTrips = simcad.RoundTripsOf([&] { placement::ChangeAttributes(session, direct); }); }));
      commandTimes.push_back(Seconds([&] { placement::ChangeAttributes(session, command); }));
    }
    const double d = Median(directTimes), c = Median(commandTimes);
    std::printf("bulk change, 2000 references: %.0f Invoke (the skip rule gives %.0f) + %.0f GetIDsOfNames; %.2f ms per reference\n",
                bulkTrips.Invokes, expected, bulkTrips.NameLookups, d * 1000 / 2000);
    std::printf("bulk change: direct path %.0f ms, the CAD's own command %.1f ms: %.0f times\n", d * 1000, c * 1000, d / c);
  } catch (const std::exception& e) {
    std::printf("failed: %s\n", e.what());
    status = 1;
  }
  return status;
}
