// The user's number format as the Windows program asks for it: the regional settings' decimal
// separator, followed when the user changes it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/Win32Services.h"

namespace kav {
namespace {

// Sets the user's decimal separator for the test and puts the old one back at the end.
class TDecimalSeparatorChange {
 public:
  explicit TDecimalSeparatorChange(const wchar_t* separator) {
    wchar_t old[8] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, old, 8);
    old_ = old;
    ok_ = SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator) != 0;
  }
  ~TDecimalSeparatorChange() { SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, old_.c_str()); }
  TDecimalSeparatorChange(const TDecimalSeparatorChange&) = delete;
  TDecimalSeparatorChange& operator=(const TDecimalSeparatorChange&) = delete;
  bool Ok() const { return ok_; }

 private:
  std::wstring old_;
  bool ok_;
};

TEST(Locale, TheDecimalSeparatorFollowsTheRegionalSettings) {
  const auto locale = MakeWin32Locale();
  EXPECT_EQ(locale->DecimalSeparator(), ".");   // Japanese
  {
    TDecimalSeparatorChange comma(L",");
    ASSERT_TRUE(comma.Ok());
    EXPECT_EQ(locale->DecimalSeparator(), ",");
    TDecimalSeparatorChange longer(L"::");
    ASSERT_TRUE(longer.Ok());
    EXPECT_EQ(locale->DecimalSeparator(), "::");
  }
  EXPECT_EQ(locale->DecimalSeparator(), ".");
}

}  // namespace
}  // namespace kav
