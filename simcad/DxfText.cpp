// Decoding and encoding the strings of DXF files.
#include "simcad/DxfText.h"

#include <cctype>

#include "platform/Text.h"

namespace kav::sim {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Four hex digits at `pos`; -1 when they are not there.
long Hex4(std::string_view text, std::size_t pos) {
  if (pos + 4 > text.size()) return -1;
  long value = 0;
  for (std::size_t i = pos; i < pos + 4; ++i) {
    const int digit = HexDigit(text[i]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

// "\U+XXXX" at `pos` (the backslash): its code unit, or -1.
long UnicodeEscape(std::string_view text, std::size_t pos) {
  if (text.substr(pos, 3) != "\\U+") return -1;
  return Hex4(text, pos + 3);
}

// "\M+nXXXX" at `pos`: true with the code page digit and the two bytes.
bool MultibyteEscape(std::string_view text, std::size_t pos, char& page, long& bytes) {
  if (text.substr(pos, 3) != "\\M+" || pos + 8 > text.size() || text[pos + 3] < '1' || text[pos + 3] > '5') return false;
  page = text[pos + 3];
  bytes = Hex4(text, pos + 4);
  return bytes >= 0;
}

bool AllAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

unsigned CodePageNumber(std::string_view name) {
  std::string upper = UpperAscii(Trim(name));
  std::size_t digits = upper.find_first_of("0123456789");
  if (digits == std::string::npos || (upper.rfind("ANSI_", 0) != 0 && upper.rfind("DOS", 0) != 0)) return 0;
  unsigned number = 0;
  for (std::size_t i = digits; i < upper.size() && std::isdigit(static_cast<unsigned char>(upper[i])) && number < 100000; ++i)
    number = number * 10 + static_cast<unsigned>(upper[i] - '0');
  return number;
}

}  // namespace

int DxfVersionNumber(std::string_view version) {
  const std::string text = Trim(version);
  if (text.size() != 6 || text[0] != 'A' || text[1] != 'C') return 0;
  int number = 0;
  for (std::size_t i = 2; i < 6; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return 0;
    number = number * 10 + (text[i] - '0');
  }
  return number;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  // 0x80 to 0x9F; 0 where Windows-1252 has no character.
  static constexpr char16_t kHigh[32] = {0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                         0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                         0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (char byte : bytes) {
    const auto b = static_cast<unsigned char>(byte);
    if (b < 0x80) out += byte;
    else if (b < 0xA0) AppendUtf8(out, kHigh[b - 0x80] != 0 ? kHigh[b - 0x80] : kReplacement);
    else AppendUtf8(out, b);
  }
  return out;
}

TDxfTextDecoder::TDxfTextDecoder(std::string_view version, std::string_view dwgCodePage, const TDxfCodePages& codePages) {
  const ICodePage* ansi = codePages.Ansi;
  japanese_ = ansi != nullptr && ansi->AnsiCodePage() == 932 ? ansi : codePages.Japanese;
  if (DxfVersionNumber(version) >= 1021) {
    utf8_ = true;
    return;
  }
  const unsigned named = CodePageNumber(dwgCodePage);
  if (named == 1252) {
    converter_ = nullptr;   // our own table, whatever the system's code page
    codePage_ = 1252;
  } else if (named != 0 && ansi != nullptr && ansi->AnsiCodePage() == named) {
    converter_ = ansi;
    codePage_ = named;
  } else if (named == 932 && japanese_ != nullptr) {
    converter_ = japanese_;
    codePage_ = 932;
  } else {
    converter_ = ansi;
    codePage_ = ansi != nullptr ? ansi->AnsiCodePage() : 1252;
  }
}

std::string TDxfTextDecoder::Describe() const { return utf8_ ? "UTF-8" : "code page " + std::to_string(codePage_); }

std::string TDxfTextDecoder::Decode(std::string_view raw, bool mtext) const {
  std::string text;
  if (AllAscii(raw)) text.assign(raw);
  else if (utf8_) text = MendUtf8(raw);
  else text = converter_ != nullptr ? converter_->AnsiToUtf8(raw) : Cp1252ToUtf8(raw);
  if (text.find_first_of("^\\") == std::string::npos) return text;

  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '^' && i + 1 < text.size()) {
      const char next = text[i + 1];
      if (next == ' ') {
        out += '^';
        i += 2;
        continue;
      }
      if (next > '@' && next <= '_') {   // "^@" would be a NUL: left as it stands
        out += static_cast<char>(next - '@');
        i += 2;
        continue;
      }
    } else if (c == '\\') {
      if (mtext && i + 1 < text.size() && text[i + 1] == '\\') {
        out += "\\\\";
        i += 2;
        continue;
      }
      if (const long unit = UnicodeEscape(text, i); unit >= 0) {
        i += 7;
        char32_t code = static_cast<char32_t>(unit);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
          const long low = UnicodeEscape(text, i);
          if (low >= 0xDC00 && low <= 0xDFFF) {
            code = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (static_cast<char32_t>(low) - 0xDC00);
            i += 7;
          } else {
            code = kReplacement;
          }
        } else if ((unit >= 0xDC00 && unit <= 0xDFFF) || unit == 0) {
          code = kReplacement;
        }
        AppendUtf8(out, code);
        continue;
      }
      char page = 0;
      long bytes = 0;
      if (MultibyteEscape(text, i, page, bytes) && page == '1' && japanese_ != nullptr) {
        std::string sjis;
        if (bytes > 0xFF) sjis += static_cast<char>(bytes >> 8);
        sjis += static_cast<char>(bytes & 0xFF);
        out += japanese_->AnsiToUtf8(sjis);
        i += 8;
        continue;
      }
    }
    out += c;
    ++i;
  }
  return out;
}

std::string EncodeDxfString(std::string_view text) {
  const std::string clean = MendUtf8(text);
  std::string out;
  out.reserve(clean.size());
  for (std::size_t i = 0; i < clean.size(); ++i) {
    const char c = clean[i];
    char page = 0;
    long bytes = 0;
    if (static_cast<unsigned char>(c) < 0x20) {
      out += '^';
      out += static_cast<char>(c + '@');
    } else if (c == '^') {
      out += "^ ";
    } else if (c == '\\' && (UnicodeEscape(clean, i) >= 0 || MultibyteEscape(clean, i, page, bytes))) {
      out += "\\U+005C";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace kav::sim
