#include <windows.h>

#include "platform/Text.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Services.h"

namespace kav {
namespace {

// Closes the clipboard when it goes out of scope.
class TOpenClipboard {
 public:
  TOpenClipboard() : open_(OpenClipboard(nullptr) != FALSE) {}
  ~TOpenClipboard() { if (open_) CloseClipboard(); }
  TOpenClipboard(const TOpenClipboard&) = delete;
  TOpenClipboard& operator=(const TOpenClipboard&) = delete;
  bool Open() const { return open_; }

 private:
  bool open_;
};

class TWin32Clipboard final : public IClipboard {
 public:
  bool TrySetText(const std::string& text) override {
    const std::wstring wide = Utf8ToWide(text);
    TOpenClipboard clipboard;
    if (!clipboard.Open()) return false;
    EmptyClipboard();
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    {
      const TGlobalLock target(memory);
      if (target.Get() == nullptr) {
        GlobalFree(memory);
        return false;
      }
      memcpy(target.Get(), wide.c_str(), bytes);
    }
    if (!SetClipboardData(CF_UNICODETEXT, memory)) {
      GlobalFree(memory);
      return false;
    }
    return true;   // the clipboard owns the memory now
  }

  std::optional<std::string> GetText() override {
    TOpenClipboard clipboard;
    if (!clipboard.Open()) return std::nullopt;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return std::nullopt;
    const TGlobalLock locked(data);
    const auto* text = static_cast<const wchar_t*>(locked.Get());
    if (!text) return std::nullopt;
    // The block may lack its terminating zero; never read past its size.
    const std::size_t units = locked.Size() / sizeof(wchar_t);
    std::size_t length = 0;
    while (length < units && text[length] != L'\0') ++length;
    return WideToUtf8(std::wstring_view(text, length));
  }
};

}  // namespace

std::unique_ptr<IClipboard> MakeWin32Clipboard() { return std::make_unique<TWin32Clipboard>(); }

}  // namespace kav
