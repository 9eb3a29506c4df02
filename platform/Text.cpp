#include "platform/Text.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace kav {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at text[i]; returns its length (at least 1) and the code point,
// or U+FFFD with length 1 for a malformed sequence.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& cp) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b0 = byte(i);
  if (b0 < 0x80) { cp = b0; return 1; }
  std::size_t len = 0;
  char32_t min = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) { len = 2; cp = b0 & 0x1F; min = 0x80; }
  else if (b0 >= 0xE0 && b0 <= 0xEF) { len = 3; cp = b0 & 0x0F; min = 0x800; }
  else if (b0 >= 0xF0 && b0 <= 0xF4) { len = 4; cp = b0 & 0x07; min = 0x10000; }
  else { cp = kReplacement; return 1; }
  if (i + len > text.size()) { cp = kReplacement; return 1; }
  for (std::size_t k = 1; k < len; ++k) {
    const unsigned char b = byte(i + k);
    if ((b & 0xC0) != 0x80) { cp = kReplacement; return 1; }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) { cp = kReplacement; return 1; }
  return len;
}

template <class Str>
Str ToUtf16(std::string_view utf8) {
  Str out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp;
    i += DecodeUtf8(utf8, i, cp);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<typename Str::value_type>(0xD800 + (cp >> 10));
      out += static_cast<typename Str::value_type>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<typename Str::value_type>(cp);
    }
  }
  return out;
}

template <class View>
std::string FromUtf16(View utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t u = static_cast<char16_t>(utf16[i]);
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < utf16.size()) {
      const char32_t low = static_cast<char16_t>(utf16[i + 1]);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    if (u >= 0xD800 && u <= 0xDFFF) u = kReplacement;
    AppendUtf8(out, u);
  }
  return out;
}

bool IsTrimmed(unsigned char c) { return c <= 32; }

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) { return ToUtf16<std::u16string>(utf8); }
std::string Utf16ToUtf8(std::u16string_view utf16) { return FromUtf16(utf16); }
std::wstring Utf8ToWide(std::string_view utf8) { return ToUtf16<std::wstring>(utf8); }
std::string WideToUtf8(std::wstring_view wide) { return FromUtf16(wide); }

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t cp;
    const std::size_t len = DecodeUtf8(bytes, i, cp);
    if (cp == kReplacement && !(len == 3 && bytes.substr(i, 3) == "\xEF\xBF\xBD")) return false;
    i += len;
  }
  return true;
}

std::string MendUtf8(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() + 8);
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t cp;
    i += DecodeUtf8(bytes, i, cp);
    AppendUtf8(out, cp);
  }
  return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string Trim(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && IsTrimmed(static_cast<unsigned char>(text[b]))) ++b;
  while (e > b && IsTrimmed(static_cast<unsigned char>(text[e - 1]))) --e;
  return std::string(text.substr(b, e - b));
}

bool IsBlank(std::string_view text) {
  for (char c : text)
    if (!IsTrimmed(static_cast<unsigned char>(c))) return false;
  return true;
}

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

bool TryParseNumber(std::string_view text, double& value) {
  const std::string t = Trim(text);
  if (t.empty()) return false;
  const char* first = t.data();
  const char* last = t.data() + t.size();
  if (*first == '+') ++first;
  double v = 0;
  const auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::general);
  if (ec != std::errc() || ptr != last || !std::isfinite(v)) return false;
  value = v;
  return true;
}

bool TryParseNumber(std::string_view text, double& value, std::string_view decimalSeparator) {
  if (decimalSeparator.empty() || decimalSeparator == ".") return TryParseNumber(text, value);
  std::string t;
  t.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (text.substr(i, decimalSeparator.size()) == decimalSeparator) {
      t += '.';
      i += decimalSeparator.size();
    } else {
      t += text[i++];
    }
  }
  return TryParseNumber(t, value);   // a second '.' (both separators) stops the number short
}

double NumberOr(std::string_view text, double fallback) {
  double v;
  return TryParseNumber(text, v) ? v : fallback;
}

std::string FormatFixed(double value, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  return buf;
}

std::string FormatFixed(double value, int decimals, std::string_view decimalSeparator) {
  const std::string text = FormatFixed(value, decimals);
  const auto dot = text.find('.');
  if (dot == std::string::npos || decimalSeparator.empty()) return text;
  return text.substr(0, dot) + std::string(decimalSeparator) + text.substr(dot + 1);
}

std::size_t Utf16Length(std::string_view utf8) {
  // Counted without building the UTF-16 text: grids measure every cell they fill with this.
  std::size_t units = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp;
    i += DecodeUtf8(utf8, i, cp);
    units += cp >= 0x10000 ? 2 : 1;
  }
  return units;
}

std::string ExtractFileName(std::string_view path) {
  const auto pos = path.find_last_of("\\/:");
  return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::string ExtractFilePath(std::string_view path) {
  const auto pos = path.find_last_of("\\/:");
  return pos == std::string_view::npos ? std::string() : std::string(path.substr(0, pos + 1));
}

std::string ChangeFileExt(std::string_view path, std::string_view extension) {
  const std::string name = ExtractFileName(path);
  const auto dot = name.find_last_of('.');
  const std::size_t keep = dot == std::string::npos ? path.size() : path.size() - (name.size() - dot);
  return std::string(path.substr(0, keep)) + std::string(extension);
}

}  // namespace kav
