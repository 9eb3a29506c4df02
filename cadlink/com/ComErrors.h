// Texts for COM failures: the system's message for an HRESULT, and the exception to throw.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "cadlink/AutomationError.h"

namespace kav::cad::com {

// The system's message for `hr`, or its hexadecimal form when the system has none.
std::string HResultMessage(HRESULT hr);
std::string HexCode(HRESULT hr);

[[noreturn]] void ThrowHResult(HRESULT hr, std::string_view context);

}  // namespace kav::cad::com
