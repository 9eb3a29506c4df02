// The user's number format from the regional settings.
#include <windows.h>

#include "platform/Text.h"
#include "platform/win32/Win32Services.h"

namespace kav {
namespace {

class TWin32Locale final : public ILocale {
 public:
  std::string DecimalSeparator() const override {
    wchar_t separator[8] = {};   // the settings allow three characters and the terminating zero
    const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    if (n <= 1) return ".";
    return WideToUtf8(std::wstring_view(separator, static_cast<std::size_t>(n - 1)));
  }
};

}  // namespace

std::unique_ptr<ILocale> MakeWin32Locale() { return std::make_unique<TWin32Locale>(); }

}  // namespace kav
