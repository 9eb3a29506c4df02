#include "cadlink/com/ComErrors.h"

#include <cstdio>

#include "platform/Text.h"

namespace kav::cad::com {

std::string HexCode(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

std::string HResultMessage(HRESULT hr) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string message;
  if (length > 0 && buffer != nullptr) message = Trim(WideToUtf8(std::wstring_view(buffer, length)));
  if (buffer != nullptr) LocalFree(buffer);
  return message.empty() ? HexCode(hr) : message + " (" + HexCode(hr) + ")";
}

void ThrowHResult(HRESULT hr, std::string_view context) {
  throw TAutomationError(static_cast<HResult>(hr), std::string(context) + ": " + HResultMessage(hr));
}

}  // namespace kav::cad::com
