// Conversion between UTF-8 and the system's ANSI code page (932 on Japanese Windows).
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace kav {

class ICodePage {
 public:
  virtual ~ICodePage() = default;
  virtual unsigned AnsiCodePage() const = 0;
  // Bytes that cannot be decoded become U+FFFD; never throws for bad input.
  virtual std::string AnsiToUtf8(std::string_view ansi) const = 0;
  // Characters the code page lacks become '?'.
  virtual std::string Utf8ToAnsi(std::string_view utf8) const = 0;
};

// Code page 932 through iconv: the portable stand-in for Japanese Windows.
std::unique_ptr<ICodePage> MakePortableCodePage932();

}  // namespace kav
