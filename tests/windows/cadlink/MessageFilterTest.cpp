// The message filter's answers, called directly (Wine does not deliver busy rejections), and
// its registration putting the earlier filter back.
#include <gtest/gtest.h>

#include "cadlink/com/ComHost.h"
#include "cadlink/com/MessageFilter.h"

namespace kav::cad::com {
namespace {

TEST(MessageFilter, AnswersAsTheRulesSay) {
  TComApartment apartment;
  auto filter = TMessageFilter::Create();
  EXPECT_EQ(filter->HandleInComingCall(CALLTYPE_TOPLEVEL, nullptr, 0, nullptr), static_cast<DWORD>(SERVERCALL_ISHANDLED));
  EXPECT_EQ(filter->RetryRejectedCall(nullptr, 5000, SERVERCALL_RETRYLATER), 1000u);
  EXPECT_EQ(filter->RetryRejectedCall(nullptr, 0, SERVERCALL_REJECTED), static_cast<DWORD>(-1));
  EXPECT_EQ(filter->MessagePending(nullptr, 0, PENDINGTYPE_TOPLEVEL), static_cast<DWORD>(PENDINGMSG_WAITNOPROCESS));
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
