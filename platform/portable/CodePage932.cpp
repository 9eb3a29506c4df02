// Code page 932 through iconv, for the native build (Windows converts with its own API).
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

#include "platform/CodePage.h"
#include "platform/Text.h"

namespace kav {
namespace {

class TIconv {
 public:
  TIconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv: code page 932 is missing");
  }
  ~TIconv() { iconv_close(cd_); }
  TIconv(const TIconv&) = delete;
  TIconv& operator=(const TIconv&) = delete;

  // Converts `in`; a sequence iconv rejects is replaced, stepping over the bytes that
  // `skip` counts for the rest of the input at that point.
  template <class Skip>
  std::string Convert(std::string_view in, std::string_view replacement, Skip skip) const {
    std::string out;
    out.reserve(in.size() * 2);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buf[4096];
    while (srcLeft > 0) {
      char* dst = buf;
      std::size_t dstLeft = sizeof buf;
      const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buf, static_cast<std::size_t>(dst - buf));
      if (rc != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (a cut sequence at the end): replace and step over it.
      out += replacement;
      const std::size_t n = std::min(skip(std::string_view(src, srcLeft)), srcLeft);
      src += n;
      srcLeft -= n;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

 private:
  iconv_t cd_;
};

class TPortableCodePage932 final : public ICodePage {
 public:
  unsigned AnsiCodePage() const override { return 932; }
  std::string AnsiToUtf8(std::string_view ansi) const override {
    return toUtf8_.Convert(ansi, "\xEF\xBF\xBD", [](std::string_view) { return std::size_t{1}; });
  }
  std::string Utf8ToAnsi(std::string_view utf8) const override {
    // Invalid UTF-8 is mended first, so iconv only meets characters the code page lacks.
    const std::string clean = MendUtf8(utf8);
    return fromUtf8_.Convert(clean, "?", [](std::string_view rest) {
      const auto lead = static_cast<unsigned char>(rest[0]);
      return std::size_t{lead < 0xC0 ? 1u : lead < 0xE0 ? 2u : lead < 0xF0 ? 3u : 4u};
    });
  }

 private:
  TIconv toUtf8_{"UTF-8", "CP932"};
  TIconv fromUtf8_{"CP932", "UTF-8"};
};

}  // namespace

std::unique_ptr<ICodePage> MakePortableCodePage932() { return std::make_unique<TPortableCodePage932>(); }

}  // namespace kav
