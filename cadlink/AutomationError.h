// The failure of an automation call: the HRESULT and the message the CAD (or the system) gave.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace kav::cad {

using HResult = std::int32_t;

constexpr HResult MakeHResult(std::uint32_t bits) { return static_cast<HResult>(bits); }

// The codes this program creates or looks at; the values are those of Windows.
inline constexpr HResult kFail = MakeHResult(0x80004005u);              // E_FAIL
inline constexpr HResult kAbort = MakeHResult(0x80004004u);             // E_ABORT
inline constexpr HResult kInvalidArg = MakeHResult(0x80070057u);        // E_INVALIDARG
inline constexpr HResult kUnknownName = MakeHResult(0x80020006u);       // DISP_E_UNKNOWNNAME
inline constexpr HResult kTypeMismatch = MakeHResult(0x80020005u);      // DISP_E_TYPEMISMATCH
inline constexpr HResult kBadParamCount = MakeHResult(0x8002000Eu);     // DISP_E_BADPARAMCOUNT
inline constexpr HResult kParamNotFound = MakeHResult(0x80020004u);     // DISP_E_PARAMNOTFOUND
inline constexpr HResult kMemberNotFound = MakeHResult(0x80020003u);    // DISP_E_MEMBERNOTFOUND
inline constexpr HResult kDispException = MakeHResult(0x80020009u);     // DISP_E_EXCEPTION
inline constexpr HResult kBadIndex = MakeHResult(0x8002000Bu);          // DISP_E_BADINDEX
inline constexpr HResult kOperationUnavailable = MakeHResult(0x800401E3u);  // MK_E_UNAVAILABLE
inline constexpr HResult kInvalidClassString = MakeHResult(0x800401F3u);    // CO_E_CLASSSTRING
inline constexpr HResult kDisconnected = MakeHResult(0x80010108u);      // RPC_E_DISCONNECTED
inline constexpr HResult kServerUnavailable = MakeHResult(0x800706BAu); // RPC_S_SERVER_UNAVAILABLE
inline constexpr HResult kCallFailed = MakeHResult(0x800706BEu);        // RPC_S_CALL_FAILED

class TAutomationError : public std::runtime_error {
 public:
  TAutomationError(HResult code, const std::string& message) : std::runtime_error(message), Code(code) {}
  HResult Code;
};

// True for the codes that say the CAD process has gone away.
constexpr bool IsDisconnection(HResult code) {
  return code == kDisconnected || code == kServerUnavailable || code == kCallFailed;
}

}  // namespace kav::cad
