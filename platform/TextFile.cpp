#include "platform/TextFile.h"

#include "platform/Text.h"

namespace kav {
namespace {

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

bool HasNonAscii(std::string_view bytes) {
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  return false;
}

std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {  // an odd last byte is dropped
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    units += static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
  }
  return Utf16ToUtf8(units);
}

std::string EncodeUtf16(std::string_view utf8, bool bigEndian) {
  const std::u16string units = Utf8ToUtf16(utf8);
  std::string out;
  out.reserve(2 + units.size() * 2);
  out += bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t u : units) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    if (bigEndian) { out += hi; out += lo; } else { out += lo; out += hi; }
  }
  return out;
}

}  // namespace

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string DecodeText(std::string_view bytes, const ICodePage& codePage, TextEncoding& encoding) {
  if (StartsWith(bytes, "\xEF\xBB\xBF")) {
    encoding = TextEncoding::Utf8Bom;
    return MendUtf8(bytes.substr(3));  // replaces invalid bytes with U+FFFD
  }
  if (StartsWith(bytes, "\xFF\xFE")) {
    encoding = TextEncoding::Utf16LE;
    return DecodeUtf16(bytes.substr(2), false);
  }
  if (StartsWith(bytes, "\xFE\xFF")) {
    encoding = TextEncoding::Utf16BE;
    return DecodeUtf16(bytes.substr(2), true);
  }
  if (HasNonAscii(bytes) && IsValidUtf8(bytes)) {
    encoding = TextEncoding::Utf8;
    return std::string(bytes);
  }
  encoding = TextEncoding::Ansi;
  return codePage.AnsiToUtf8(bytes);
}

TTextFile DecodeTextFile(std::string_view bytes, const ICodePage& codePage) {
  TTextFile file;
  file.Lines = SplitLines(DecodeText(bytes, codePage, file.Encoding));
  return file;
}

std::string EncodeText(std::string_view utf8, TextEncoding encoding, const ICodePage& codePage) {
  switch (encoding) {
    case TextEncoding::Utf8: return std::string(utf8);
    case TextEncoding::Utf8Bom: return "\xEF\xBB\xBF" + std::string(utf8);
    case TextEncoding::Utf16LE: return EncodeUtf16(utf8, false);
    case TextEncoding::Utf16BE: return EncodeUtf16(utf8, true);
    case TextEncoding::Ansi: break;
  }
  return codePage.Utf8ToAnsi(utf8);
}

std::string EncodeTextFile(const std::vector<std::string>& lines, TextEncoding encoding,
                           const ICodePage& codePage) {
  return EncodeText(JoinLines(lines), encoding, codePage);
}

bool FitsAnsi(std::string_view utf8, const ICodePage& codePage) {
  return codePage.AnsiToUtf8(codePage.Utf8ToAnsi(utf8)) == utf8;
}

TEncodedText EncodeKeepingText(std::string_view utf8, TextEncoding encoding, TextEncoding lossless,
                               const ICodePage& codePage) {
  std::string bytes = EncodeText(utf8, encoding, codePage);
  TextEncoding readAs = encoding;
  if (DecodeText(bytes, codePage, readAs) == utf8) return {std::move(bytes), encoding};
  return {EncodeText(utf8, lossless, codePage), lossless};
}

TEncodedText EncodeTextFileKeepingText(const std::vector<std::string>& lines, TextEncoding encoding,
                                       TextEncoding lossless, const ICodePage& codePage) {
  return EncodeKeepingText(JoinLines(lines), encoding, lossless, codePage);
}

TTextFile ReadTextFile(IFileSystem& files, const ICodePage& codePage, const std::string& path) {
  return DecodeTextFile(files.ReadAll(path), codePage);
}

}  // namespace kav
