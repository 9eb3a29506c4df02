#include "partslist/PartsListFile.h"

#include <stdexcept>

#include "platform/Text.h"
#include "platform/TextFile.h"

namespace kav::partslist {
namespace {

std::string_view ByteOrderMark(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8Bom: return "\xEF\xBB\xBF";
    case TextEncoding::Utf16LE: return "\xFF\xFE";
    case TextEncoding::Utf16BE: return "\xFE\xFF";
    default: return {};
  }
}

bool IsUtf16(TextEncoding encoding) {
  return encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE;
}

// Splits the encoded body of a file (byte-order mark removed) into its lines as bytes, at CR,
// LF or CR LF counted in code units of the encoding; a break at the very end makes no empty line.
std::vector<std::string_view> SplitEncodedLines(std::string_view body, TextEncoding encoding) {
  std::vector<std::string_view> lines;
  const std::size_t unit = IsUtf16(encoding) ? 2 : 1;
  const auto at = [&](std::size_t i) -> unsigned {
    if (unit == 1) return static_cast<unsigned char>(body[i]);
    const unsigned a = static_cast<unsigned char>(body[i]), b = static_cast<unsigned char>(body[i + 1]);
    return encoding == TextEncoding::Utf16BE ? (a << 8) | b : (b << 8) | a;
  };
  std::size_t start = 0;
  for (std::size_t i = 0; i + unit <= body.size(); i += unit) {
    const unsigned c = at(i);
    if (c != '\r' && c != '\n') continue;
    lines.push_back(body.substr(start, i - start));
    if (c == '\r' && i + 2 * unit <= body.size() && at(i + unit) == '\n') i += unit;
    start = i + unit;
  }
  if (start < body.size()) lines.push_back(body.substr(start));
  return lines;
}

}  // namespace

std::vector<std::string> CollectLines(const ui::TStringGrid& grid, const ui::TGridRect& rect) {
  std::vector<std::string> lines;
  for (int r = rect.Top; r <= rect.Bottom; ++r) {
    std::string line;
    for (int c = rect.Left; c <= rect.Right; ++c) {
      if (c > rect.Left) line += '\t';
      line += grid.Cell(c, r);
    }
    if (!IsBlank(line)) lines.push_back(std::move(line));
  }
  return lines;
}

bool TooLittleToSave(const ui::TGridRect& rect, const std::vector<std::string>& lines) {
  const bool single = rect.Left == rect.Right && rect.Top == rect.Bottom;
  return single || lines.size() < 2;
}

bool TooLittleToAppend(const ui::TGridRect& rect, const std::vector<std::string>& lines) {
  const bool single = rect.Left == rect.Right && rect.Top == rect.Bottom;
  return single || lines.empty();
}

std::string EncodeNewPartsList(const std::vector<std::string>& lines, const ICodePage& codePage) {
  return EncodeTextFileKeepingText(lines, TextEncoding::Ansi, TextEncoding::Utf8Bom, codePage).Bytes;
}

void WriteNewPartsList(IFileSystem& files, const ICodePage& codePage, const std::string& path,
                       const std::vector<std::string>& lines) {
  files.WriteAtomically(path, EncodeNewPartsList(lines, codePage));
}

std::string AppendToPartsListBytes(std::string_view original, const std::vector<std::string>& lines,
                                   const ICodePage& codePage) {
  TextEncoding encoding = TextEncoding::Ansi;
  DecodeText(original, codePage, encoding);
  const std::string_view bom = ByteOrderMark(encoding);
  const std::string_view body = original.substr(bom.size());
  if (IsUtf16(encoding) && body.size() % 2 != 0)
    throw std::runtime_error("UTF-16 のファイルのバイト数が奇数です。壊れたファイルには追加できません。");
  const std::string added = JoinLines(lines);
  const auto refuse = [] { throw std::runtime_error("追加する文字の一部をファイルの文字コードで書き込めません。"); };
  if (encoding == TextEncoding::Ansi && !FitsAnsi(added, codePage)) refuse();
  const auto encodeBody = [&](std::string_view utf8) {
    return EncodeText(utf8, encoding, codePage).substr(bom.size());
  };
  const std::string newline = encodeBody("\r\n");
  std::string out(bom);
  for (const std::string_view line : SplitEncodedLines(body, encoding)) {
    out += line;
    out += newline;
  }
  out += encodeBody(added);
  // ANSI bytes of the added text may make the whole file read as UTF-8 (half-width katakana in
  // code page 932 can form valid UTF-8), which would change every character of it.
  TextEncoding readAs = encoding;
  DecodeText(out, codePage, readAs);
  if (readAs != encoding) refuse();
  return out;
}

bool AppendToPartsList(IFileSystem& files, const ICodePage& codePage, const std::string& path,
                       const std::vector<std::string>& lines) {
  if (!files.FileExists(path)) return false;
  const std::string original = files.ReadAll(path);
  files.WriteAtomically(path, AppendToPartsListBytes(original, lines, codePage));
  return true;
}

}  // namespace kav::partslist
