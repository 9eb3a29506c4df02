// Finding, activating, cancelling and asking the target CAD, against the simulated CAD and a
// fake desktop that records key strokes and the window in front.
#include <gtest/gtest.h>

#include "cadlink/MessageFilterRules.h"
#include "cadlink/TargetConnection.h"
#include "simcad/SimHost.h"
#include "tests/support/Fakes.h"
#include "tests/support/RejectedCalls.h"

namespace kav::cad {
namespace {

class TargetConnectionTest : public ::testing::Test {
 protected:
  sim::TSimCad cad;
  sim::TSimHost host;
  test::TFakeDesktop desktop;
  test::TFakeMessages messages;
  TTargetState target;
  TTargetConnection connection{host, desktop, messages, target};
  ObjectRef app = cad.Application();

  void SetUp() override { host.Register(kDefaultProgID, &cad); }
  std::vector<std::string> Calls() { return cad.CallTexts(); }
};

TEST_F(TargetConnectionTest, RunningCheckShowsItsMessageOnlyForAnUnknownProgId) {
  EXPECT_TRUE(connection.IsTargetRunning());
  host.Register("Other.Application", nullptr);   // installed, not running
  target.TargetProgID = "Other.Application";
  EXPECT_FALSE(connection.IsTargetRunning());
  EXPECT_TRUE(messages.Shown.empty());

  target.TargetProgID = "Bricscad.Misspelt";
  EXPECT_FALSE(connection.IsTargetRunning());
  target.TargetProgID = "";
  EXPECT_FALSE(connection.IsTargetRunning());
  EXPECT_EQ(messages.Shown, (std::vector<std::string>{"ProgID（クラス文字列）: \"Bricscad.Misspelt\" は無効です．",
                                                      "ProgID（クラス文字列）: \"\" は無効です．"}));
  EXPECT_TRUE(cad.State().Calls.empty());   // nothing happened in the CAD
}

TEST_F(TargetConnectionTest, BadProgIdsNeitherCrashNorReachTheCad) {
  for (const std::string& progId : {std::string(10000, 'A'), std::string("\0\x01\xff\xfe\t\r\n", 7), std::string("GCAD")}) {
    target.TargetProgID = progId;
    EXPECT_FALSE(connection.IsTargetRunning());
    EXPECT_THROW(connection.GetTargetApplication(), TAutomationError);
  }
  EXPECT_EQ(messages.Shown.size(), 3u);
  EXPECT_EQ(messages.Shown[0].size(), InvalidProgIdMessage("").size() + 10000);
}

TEST(TargetKinds, PickTheStateObjectAndTheCancelCharacterFromTheProgId) {
  struct TCase {
    const char* progId;
    std::vector<std::string> methods;
    char cancel;
  };
  const TCase cases[] = {
      {"BricscadApp.AcadApplication", {"GetAcadState"}, '\x1b'},
      {"AutoCAD.Application", {"GetAcadState"}, '\x03'},
      {"autocad.application.24", {"GetAcadState"}, '\x03'},
      {"GCAD.Application.25", {"GetAcadState", "GetGcadState"}, '\x1b'},
      {"GCAD.Application.24", {"GetAcadState", "GetGcadState"}, '\x1b'},
      {"gcad.Application.23", {"GetGcadState", "GetAcadState"}, '\x1b'},
      {"GCAD.Application", {"GetGcadState", "GetAcadState"}, '\x1b'},   // not a number: 20
      {"GCADAuto.App.30", {"GetAcadState", "GetGcadState"}, '\x03'},
      {"ZWCAD.Application", {"GetZcadState"}, '\x1b'},
      {"ZwcadAuto.Application", {"GetZcadState"}, '\x03'},
      {"ZWCAD.GCAD.Application.2", {"GetGcadState", "GetAcadState"}, '\x1b'},   // GCAD wins
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StateMethodsFor(c.progId), c.methods) << c.progId;
    EXPECT_EQ(CancelCharacterFor(c.progId), c.cancel) << c.progId;
  }
  EXPECT_EQ(GcadVersionOf("X.25"), 25);
  EXPECT_EQ(GcadVersionOf("X.x5"), 20);
  EXPECT_EQ(GcadVersionOf("X-5"), -5);
  EXPECT_EQ(GcadVersionOf("5"), 20);
  EXPECT_EQ(GcadVersionOf(""), 20);
}

TEST_F(TargetConnectionTest, BusyAsksTheKindsStateObjectAndFallsBackForGcad) {
  EXPECT_FALSE(connection.IsTargetBusy(*app));
  cad.State().Busy = true;
  EXPECT_TRUE(connection.IsTargetBusy(*app));
  EXPECT_EQ(Calls(), (std::vector<std::string>{"Application.GetAcadState", "AcadState.IsQuiescent",
                                               "Application.GetAcadState", "AcadState.IsQuiescent"}));

  cad.State().Calls.clear();
  target.TargetProgID = "GCAD.Application.23";
  cad.FailMember("Application.GetGcadState", kUnknownName, "Unknown name");
  EXPECT_TRUE(connection.IsTargetBusy(*app));
  EXPECT_EQ(Calls(), (std::vector<std::string>{"Application.GetGcadState", "Application.GetAcadState",
                                               "AcadState.IsQuiescent"}));

  // A failing IsQuiescent of the first state object also moves on to the second.
  cad.State().Calls.clear();
  target.TargetProgID = "GCAD.Application.25";
  cad.State().Failures.clear();
  cad.FailMember("AcadState.IsQuiescent", kFail, "busy reading");
  EXPECT_TRUE(connection.IsTargetBusy(*app));
  EXPECT_EQ(Calls(), (std::vector<std::string>{"Application.GetAcadState", "AcadState.IsQuiescent",
                                               "Application.GetGcadState", "GcadState.IsQuiescent"}));
}

TEST_F(TargetConnectionTest, BusyIsFalseWhenNoStateCanBeRead) {
  cad.State().Busy = true;
  cad.FailMember("Application.GetAcadState", kUnknownName, "Unknown name");
  cad.FailMember("Application.GetGcadState", kDisconnected, "gone");
  EXPECT_FALSE(connection.IsTargetBusy(*app));
  target.TargetProgID = "GCAD.Application";
  EXPECT_FALSE(connection.IsTargetBusy(*app));
  target.TargetProgID = "ZWCAD.Application";
  EXPECT_TRUE(connection.IsTargetBusy(*app));   // its own state object still answers
}

TEST_F(TargetConnectionTest, ActivationRestoresAnIconicWindowAndReadsTheHandleEachTime) {
  const WindowId cadWindow = static_cast<WindowId>(cad.State().WindowHandle);
  desktop.Iconic[cadWindow] = true;
  connection.ActivateTargetWindow(*app);
  EXPECT_EQ(desktop.Log, (std::vector<std::string>{"OpenIcon", "SetForegroundWindow"}));
  EXPECT_EQ(desktop.Foreground, cadWindow);
  connection.ActivateTargetWindow(*app);
  EXPECT_EQ(desktop.Log.back(), "SetForegroundWindow");
  EXPECT_EQ(desktop.Log.size(), 3u);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"Application.HWND", "Application.HWND"}));
}

TEST_F(TargetConnectionTest, EscapeGoesOnlyToTheCadWindow) {
  const WindowId cadWindow = static_cast<WindowId>(cad.State().WindowHandle);
  desktop.Foreground = cadWindow;
  connection.PressEscapeInTarget(*app, 200);
  ASSERT_EQ(desktop.Keys.size(), 2u);
  EXPECT_EQ(desktop.Keys[0].VirtualKey, 27);
  EXPECT_EQ(desktop.Keys[0].ScanCode, 0);
  EXPECT_EQ(desktop.Keys[0].Flags, 0u);
  EXPECT_EQ(desktop.Keys[1].Flags, 2u);
  EXPECT_EQ(desktop.Slept, (std::vector<unsigned>{5, 200}));

  // The main window (or another program) in front: nothing is sent, not even after an
  // activation that the system refused.
  desktop.Keys.clear();
  desktop.Foreground = 0x777;
  desktop.RefuseForeground = true;
  connection.ActivateTargetWindow(*app);
  connection.PressEscapeInTarget(*app, 0);
  EXPECT_TRUE(desktop.Keys.empty());
}

TEST_F(TargetConnectionTest, HandlesAboveTwoGigabytesAreSignExtendedAsWindowsDoes) {
  cad.State().WindowHandle = static_cast<std::int32_t>(0xFFFF1234u);
  EXPECT_EQ(TTargetConnection::TargetWindow(*app), static_cast<WindowId>(static_cast<std::intptr_t>(-0xEDCC)));
}

TEST_F(TargetConnectionTest, CancelSendsOneCharacterOnTheCommandLine) {
  ObjectRef doc = app->GetObj("ActiveDocument");
  connection.SendCancelToTarget(*doc);
  target.TargetProgID = "AutoCAD.Application.25";
  connection.SendCancelToTarget(*doc);
  EXPECT_EQ(cad.State().Commands, (std::vector<std::string>{"\x1b", "\x03"}));
}

std::uint32_t Retry(std::uint32_t, std::uint32_t rejectType) { return RetryRejectedCallAnswer(rejectType); }

TEST(MessageFilterRules, ABusyCadIsAskedAgainEverySecondForAsLongAsItStaysBusy) {
  const auto busy = [](std::size_t times) { return std::vector<std::uint32_t>(times, kServerCallRetryLater); };
  const test::TCallOutcome once = test::PlayRejectedCall(busy(1), Retry);
  EXPECT_TRUE(once.Delivered);
  EXPECT_EQ(once.Attempts, 2);
  EXPECT_EQ(once.WaitedMs, 1000u);
  const test::TCallOutcome five = test::PlayRejectedCall(busy(5), Retry);
  EXPECT_TRUE(five.Delivered);
  EXPECT_EQ(five.WaitedMs, 5000u);
  // A command that runs for two hours: no limit on the tries or on the time.
  const test::TCallOutcome hours = test::PlayRejectedCall(busy(7200), Retry);
  EXPECT_TRUE(hours.Delivered);
  EXPECT_EQ(hours.Attempts, 7201);
  EXPECT_EQ(hours.WaitedMs, 7200u * 1000u);
  EXPECT_EQ(hours.ImmediateRetries, 0);   // the wait is a pause, never a busy loop
}

TEST(MessageFilterRules, AnyOtherRejectionFailsTheCallAtOnce) {
  for (const std::uint32_t type : {kServerCallRejected, kServerCallIsHandled, 3u, 0xFFFFFFFFu}) {
    const test::TCallOutcome outcome = test::PlayRejectedCall({type}, Retry);
    EXPECT_FALSE(outcome.Delivered) << type;
    EXPECT_EQ(outcome.Attempts, 1) << type;
    EXPECT_EQ(outcome.WaitedMs, 0u) << type;
  }
  // Busy first, then turned away for good: the waits so far, then the failure.
  const test::TCallOutcome outcome = test::PlayRejectedCall(
      {kServerCallRetryLater, kServerCallRetryLater, kServerCallRetryLater, kServerCallRejected}, Retry);
  EXPECT_FALSE(outcome.Delivered);
  EXPECT_EQ(outcome.Attempts, 4);
  EXPECT_EQ(outcome.WaitedMs, 3000u);
}

}  // namespace
}  // namespace kav::cad
