#include <windows.h>

#include "platform/Text.h"
#include "platform/win32/Win32Services.h"

namespace kav {
namespace {

class TWin32CodePage final : public ICodePage {
 public:
  explicit TWin32CodePage(unsigned codePage) : codePage_(codePage) {}

  unsigned AnsiCodePage() const override { return codePage_ == CP_ACP ? GetACP() : codePage_; }

  std::string AnsiToUtf8(std::string_view ansi) const override {
    if (ansi.empty()) return {};
    const int size = static_cast<int>(ansi.size());
    const int n = MultiByteToWideChar(codePage_, 0, ansi.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage_, 0, ansi.data(), size, wide.data(), n);
    return WideToUtf8(wide);
  }

  std::string Utf8ToAnsi(std::string_view utf8) const override {
    const std::wstring wide = Utf8ToWide(utf8);
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(codePage_, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage_, 0, wide.data(), size, out.data(), n, nullptr, nullptr);
    return out;
  }

 private:
  unsigned codePage_;
};

class TWin32Collation final : public ICollation {
 public:
  int CompareIgnoreCase(std::string_view a, std::string_view b) const override {
    const std::wstring wa = Utf8ToWide(a), wb = Utf8ToWide(b);
    const int r = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wa.data(), static_cast<int>(wa.size()),
                                 wb.data(), static_cast<int>(wb.size()));
    return r == CSTR_LESS_THAN ? -1 : r == CSTR_GREATER_THAN ? 1 : 0;
  }
};

}  // namespace

std::unique_ptr<ICodePage> MakeWin32CodePage(unsigned codePage) { return std::make_unique<TWin32CodePage>(codePage); }
std::unique_ptr<ICollation> MakeWin32Collation() { return std::make_unique<TWin32Collation>(); }

std::string ProgramFilePath() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n < buf.size()) {
      buf.resize(n);
      return WideToUtf8(buf);
    }
    buf.resize(buf.size() * 2);
  }
}

std::string SystemErrorMessage(unsigned long error) {
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message = text ? WideToUtf8(text) : "error " + std::to_string(error);
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
    message.pop_back();
  return message;
}

}  // namespace kav
