// The answers of the message filter while an automation call waits for the CAD: calls into
// this program are accepted, a busy CAD is asked again after a second, other rejections fail,
// and the program's own messages wait until the call returns.
#pragma once

#include <cstdint>

namespace kav::cad {

inline constexpr std::uint32_t kServerCallIsHandled = 0;     // SERVERCALL_ISHANDLED
inline constexpr std::uint32_t kServerCallRejected = 1;      // SERVERCALL_REJECTED
inline constexpr std::uint32_t kServerCallRetryLater = 2;    // SERVERCALL_RETRYLATER
inline constexpr std::uint32_t kPendingMsgWaitNoProcess = 1; // PENDINGMSG_WAITNOPROCESS
inline constexpr std::uint32_t kRetryDelayMs = 1000;

constexpr std::uint32_t HandleInComingCallAnswer() { return kServerCallIsHandled; }

// Milliseconds until COM sends the call again, or -1 (as an unsigned 32-bit value) to give up.
// A CAD that stays busy is asked again without limit: the user sees the CAD working and can
// end its command there.
constexpr std::uint32_t RetryRejectedCallAnswer(std::uint32_t rejectType) {
  return rejectType == kServerCallRetryLater ? kRetryDelayMs : 0xFFFFFFFFu;
}

constexpr std::uint32_t MessagePendingAnswer() { return kPendingMsgWaitNoProcess; }

// Registers and revokes the filter on the user-interface thread. The main window holds one
// from its creation to its destruction; the Windows program gives the COM implementation.
class IMessageFilterHook {
 public:
  virtual ~IMessageFilterHook() = default;
  virtual void RegisterFilter() = 0;
  virtual void RevokeFilter() = 0;
};

}  // namespace kav::cad
