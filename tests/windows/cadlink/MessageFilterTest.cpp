// The message filter's answers, called directly (Wine does not deliver busy rejections), and
// its registration putting the earlier filter back.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "cadlink/com/ComHost.h"
#include "cadlink/com/MessageFilter.h"
#include "tests/support/RejectedCalls.h"

namespace kav::cad::com {
namespace {

TEST(MessageFilter, ABusyCadIsAskedAgainEverySecondWithoutLimit) {
  TComApartment apartment;
  auto filter = TMessageFilter::Create();
  const auto retry = [&](std::uint32_t elapsed, std::uint32_t type) {
    return static_cast<std::uint32_t>(filter->RetryRejectedCall(nullptr, elapsed, type));
  };
  const test::TCallOutcome brief = test::PlayRejectedCall({SERVERCALL_RETRYLATER, SERVERCALL_RETRYLATER}, retry);
  EXPECT_TRUE(brief.Delivered);
  EXPECT_EQ(brief.Attempts, 3);
  EXPECT_EQ(brief.WaitedMs, 2000u);
  // Busy for fifty days: the tick count COM passes wraps past 32 bits, and still the call waits.
  const std::vector<std::uint32_t> days(50u * 24u * 3600u, SERVERCALL_RETRYLATER);
  const test::TCallOutcome outcome = test::PlayRejectedCall(days, retry);
  EXPECT_TRUE(outcome.Delivered);
  EXPECT_EQ(outcome.WaitedMs, 50ull * 24 * 3600 * 1000);
  EXPECT_EQ(outcome.ImmediateRetries, 0);
}

TEST(MessageFilter, ARejectedCallFailsAtOnceEvenAfterBusyAnswers) {
  TComApartment apartment;
  auto filter = TMessageFilter::Create();
  const auto retry = [&](std::uint32_t elapsed, std::uint32_t type) {
    return static_cast<std::uint32_t>(filter->RetryRejectedCall(nullptr, elapsed, type));
  };
  const test::TCallOutcome rejected = test::PlayRejectedCall({SERVERCALL_REJECTED}, retry);
  EXPECT_FALSE(rejected.Delivered);
  EXPECT_EQ(rejected.Attempts, 1);
  EXPECT_EQ(rejected.WaitedMs, 0u);
  const test::TCallOutcome later =
      test::PlayRejectedCall({SERVERCALL_RETRYLATER, SERVERCALL_RETRYLATER, SERVERCALL_REJECTED}, retry);
  EXPECT_FALSE(later.Delivered);
  EXPECT_EQ(later.Attempts, 3);
  EXPECT_EQ(later.WaitedMs, 2000u);
  EXPECT_FALSE(test::PlayRejectedCall({SERVERCALL_ISHANDLED}, retry).Delivered);   // no rejection type at all
}

TEST(MessageFilter, CallsIntoTheProgramAreTakenAndItsOwnMessagesWaitWhateverTheKind) {
  TComApartment apartment;
  auto filter = TMessageFilter::Create();
  // The rules' portable numbers are the ones COM uses.
  EXPECT_EQ(kServerCallIsHandled, static_cast<std::uint32_t>(SERVERCALL_ISHANDLED));
  EXPECT_EQ(kServerCallRejected, static_cast<std::uint32_t>(SERVERCALL_REJECTED));
  EXPECT_EQ(kServerCallRetryLater, static_cast<std::uint32_t>(SERVERCALL_RETRYLATER));
  for (const DWORD callType : {CALLTYPE_TOPLEVEL, CALLTYPE_NESTED, CALLTYPE_ASYNC, CALLTYPE_TOPLEVEL_CALLPENDING,
                               CALLTYPE_ASYNC_CALLPENDING}) {
    for (const DWORD ticks : {0u, 60000u, 0xFFFFFFFFu})
      EXPECT_EQ(filter->HandleInComingCall(callType, nullptr, ticks, nullptr), static_cast<DWORD>(SERVERCALL_ISHANDLED))
          << callType << " " << ticks;
  }
  // While a call is out, input and painting wait; nothing of the program runs in between.
  for (const DWORD pendingType : {PENDINGTYPE_TOPLEVEL, PENDINGTYPE_NESTED}) {
    for (const DWORD ticks : {0u, 60000u, 0xFFFFFFFFu})
      EXPECT_EQ(filter->MessagePending(nullptr, ticks, pendingType), static_cast<DWORD>(PENDINGMSG_WAITNOPROCESS))
          << pendingType << " " << ticks;
  }
}

TEST(MessageFilter, RevokingPutsBackTheFilterThatWasThere) {
  TComApartment apartment;
  auto earlier = TMessageFilter::Create();
  earlier->RegisterFilter();
  {
    auto hook = MakeMessageFilterHook();
    hook->RegisterFilter();
    IMessageFilter* current = nullptr;
    CoRegisterMessageFilter(nullptr, &current);   // look, then put it back
    EXPECT_NE(current, static_cast<IMessageFilter*>(earlier.Get()));
    EXPECT_NE(current, nullptr);
    IMessageFilter* none = nullptr;
    CoRegisterMessageFilter(current, &none);
    if (current) current->Release();
    hook->RevokeFilter();
  }
  IMessageFilter* current = nullptr;
  CoRegisterMessageFilter(nullptr, &current);
  EXPECT_EQ(current, static_cast<IMessageFilter*>(earlier.Get()));
  if (current) current->Release();
}

}  // namespace
}  // namespace kav::cad::com
